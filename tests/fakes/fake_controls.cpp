#include "fakes/fake_controls.h"

#include <algorithm>

#include "ui/views.h"

namespace kvex::fakes {

void FakeButton::Click() {
    if (Enabled() && onClick) onClick();
}

void FakeLabel::Click() {
    if (onClick) onClick();
}

void FakeImage::Click() {
    if (onClick) onClick();
}

void FakeIndicator::ShowError(const std::string& shownDetail) noexcept {
    shown = true;
    detail = shownDetail;
}

void FakeIndicator::ClearError() noexcept { shown = false; }

// ---- text box

void FakeTextBox::SetText(const std::string& text) noexcept {
    text_ = text;
    selStart_ = 0;
    selLength_ = 0;
    Changed();
}

void FakeTextBox::SetSelection(int start, int length) noexcept {
    const int size = static_cast<int>(text_.size());
    selStart_ = std::clamp(start, 0, size);
    selLength_ = std::clamp(length, 0, size - selStart_);
}

std::string FakeTextBox::SelText() const noexcept {
    return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

void FakeTextBox::SetSelText(const std::string& text) noexcept {
    text_.replace(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_), text);
    selStart_ += static_cast<int>(text.size());
    selLength_ = 0;
    Changed();
}

void FakeTextBox::Type(const std::string& typed) {
    const int room = maxLength_ - (static_cast<int>(text_.size()) - selLength_);
    SetSelText(typed.substr(0, static_cast<std::size_t>(std::max(room, 0))));
}

void FakeTextBox::Changed() {
    if (onChange) onChange();
}

// ---- list box

// The list box answers LB_ERR to a bad index and changes nothing; the call is
// still noted, since no handler means to make one.
bool FakeListBox::Refused(const char* call, int index) const {
    if (index >= 0 && index < ListCount()) return false;
    violations.push_back(std::string(call) + "(" + std::to_string(index) + ") of " + std::to_string(ListCount()));
    return true;
}

std::string FakeListBox::List(int index) const noexcept {
    if (Refused("List", index)) return {};
    return items_[static_cast<std::size_t>(index)].text;
}

// LB_INSERTSTRING takes positions up to the count; -1 appends.
bool FakeListBox::AddItem(const std::string& text, int index) noexcept {
    if (index == -1) index = ListCount();
    if (index != ListCount() && Refused("AddItem", index)) return false;
    items_.insert(items_.begin() + index, Item{text, false});
    return true;
}

bool FakeListBox::RemoveItem(int index) noexcept {
    if (Refused("RemoveItem", index)) return false;
    items_.erase(items_.begin() + index);
    const int last = ListCount() - 1;
    if (caret_ > last) caret_ = last;
    return true;
}

void FakeListBox::Clear() noexcept {
    items_.clear();
    caret_ = -1;
}

bool FakeListBox::Selected(int index) const noexcept {
    if (Refused("Selected", index)) return false;
    return items_[static_cast<std::size_t>(index)].selected;
}

// The Selected property is LB_SETSEL underneath.
bool FakeListBox::SetSelected(int index, bool selected) noexcept {
    return SendListMessage(ui::kLB_SETSEL, selected ? 1 : 0, index) == 0;
}

int FakeListBox::SelCount() const noexcept {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Item& i) { return i.selected; }));
}

void FakeListBox::SelectRange(int first, int last, bool select) {
    first = std::max(first, 0);
    last = std::min(last, ListCount() - 1);
    for (int i = first; i <= last; ++i) items_[static_cast<std::size_t>(i)].selected = select;
}

std::intptr_t FakeListBox::SendListMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) noexcept {
    constexpr std::intptr_t kLbErr = -1;
    if (msg == ui::kLB_SETSEL) {
        const int index = static_cast<int>(lParam);
        const bool select = wParam != 0;
        if (index == -1) {
            SelectRange(0, ListCount() - 1, select);
            return 0;
        }
        if (Refused("LB_SETSEL", index)) return kLbErr;
        items_[static_cast<std::size_t>(index)].selected = select;
        if (select) caret_ = index;
        return 0;
    }
    if (msg == ui::kLB_SELITEMRANGEEX) {
        const long first = static_cast<long>(static_cast<std::intptr_t>(wParam));
        const long last = static_cast<long>(lParam);
        if (first <= last) {
            SelectRange(static_cast<int>(first), static_cast<int>(last), true);
        } else {
            SelectRange(static_cast<int>(last), static_cast<int>(first), false);
        }
        return 0;
    }
    return kLbErr;
}

void FakeListBox::UserClick(int index, unsigned keys) {
    if (Refused("UserClick", index)) return;
    Item& item = items_[static_cast<std::size_t>(index)];
    if ((keys & kCtrl) != 0) {
        item.selected = !item.selected;
    } else {
        SelectRange(0, ListCount() - 1, false);
        item.selected = true;
    }
    caret_ = index;
    if (onClick) onClick();
    UserMouseUp(ui::kLeftButton);
}

void FakeListBox::UserMouseUp(int button) {
    if (onMouseUp) onMouseUp(button);
}

std::vector<std::string> FakeListBox::Items() const {
    std::vector<std::string> texts;
    for (const Item& item : items_) texts.push_back(item.text);
    return texts;
}

std::vector<int> FakeListBox::SelectedIndexes() const {
    std::vector<int> indexes;
    for (int i = 0; i < ListCount(); ++i) {
        if (items_[static_cast<std::size_t>(i)].selected) indexes.push_back(i);
    }
    return indexes;
}

}  // namespace kvex::fakes
