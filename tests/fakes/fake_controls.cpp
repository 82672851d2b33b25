#include "fakes/fake_controls.h"

#include <algorithm>
#include <stdexcept>

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

void FakeIndicator::ShowError(const std::string& shownDetail) {
    shown = true;
    detail = shownDetail;
}

void FakeIndicator::ClearError() { shown = false; }

// ---- text box

void FakeTextBox::SetText(const std::string& text) {
    text_ = text;
    selStart_ = 0;
    selLength_ = 0;
    Changed();
}

void FakeTextBox::SetSelection(int start, int length) {
    const int size = static_cast<int>(text_.size());
    selStart_ = std::clamp(start, 0, size);
    selLength_ = std::clamp(length, 0, size - selStart_);
}

std::string FakeTextBox::SelText() const {
    return text_.substr(static_cast<std::size_t>(selStart_), static_cast<std::size_t>(selLength_));
}

void FakeTextBox::SetSelText(const std::string& text) {
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

void FakeListBox::CheckIndex(int index) const {
    if (index < 0 || index >= ListCount()) throw std::out_of_range("list index out of range");
}

std::string FakeListBox::List(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].text;
}

void FakeListBox::AddItem(const std::string& text, int index) {
    if (index == -1) index = ListCount();
    if (index < 0 || index > ListCount()) throw std::out_of_range("insert position out of range");
    items_.insert(items_.begin() + index, Item{text, false});
}

void FakeListBox::RemoveItem(int index) {
    CheckIndex(index);
    items_.erase(items_.begin() + index);
    const int last = ListCount() - 1;
    if (caret_ > last) caret_ = last;
}

void FakeListBox::Clear() {
    items_.clear();
    caret_ = -1;
}

bool FakeListBox::Selected(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].selected;
}

// The Selected property is LB_SETSEL underneath.
void FakeListBox::SetSelected(int index, bool selected) {
    CheckIndex(index);
    SendListMessage(ui::kLB_SETSEL, selected ? 1 : 0, index);
}

int FakeListBox::SelCount() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Item& i) { return i.selected; }));
}

void FakeListBox::SelectRange(int first, int last, bool select) {
    first = std::max(first, 0);
    last = std::min(last, ListCount() - 1);
    for (int i = first; i <= last; ++i) items_[static_cast<std::size_t>(i)].selected = select;
}

std::intptr_t FakeListBox::SendListMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    constexpr std::intptr_t kLbErr = -1;
    if (msg == ui::kLB_SETSEL) {
        const int index = static_cast<int>(lParam);
        const bool select = wParam != 0;
        if (index == -1) {
            SelectRange(0, ListCount() - 1, select);
            return 0;
        }
        if (index < 0 || index >= ListCount()) return kLbErr;
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
    CheckIndex(index);
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
