#pragma once
// In-memory stand-ins for the standard controls, behaving as the Windows ones
// do where the forms depend on it (the control contract holds both to that).
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "core/unicode_text.h"
#include "ui/controls.h"
#include "ui/views.h"

namespace kvex::testing {

template <class Interface>
class WithEnabled : public Interface {
public:
    void SetEnabled(bool enabled) noexcept override { isEnabled = enabled; }
    bool Enabled() const noexcept override { return isEnabled; }
    bool isEnabled = true;
};

// Raises its click event; a disabled control takes no clicks.
template <class Interface>
class Clickable : public Interface {
public:
    std::function<void()> onClick;
    void Click() {
        if constexpr (std::is_base_of_v<ui::IControl, Interface>) {
            if (!this->Enabled()) return;
        }
        if (onClick) onClick();
    }
};

using FakeButton = Clickable<WithEnabled<ui::IButton>>;

class FakeMenuItem : public WithEnabled<ui::IMenuItem> {
public:
    std::string caption;
};

class FakeLabel : public Clickable<ui::ILabel> {
public:
    void SetCaption(const std::string& text) noexcept override { caption = text; }
    std::string Caption() const noexcept override { return caption; }
    std::string caption;
};

class FakeImage : public Clickable<ui::IImage> {
public:
    void SetPicture(int iconResourceId) noexcept override { picture = iconResourceId; }
    void SetMouseIcon(int cursorResourceId) noexcept override { mouseIcon = cursorResourceId; }
    int picture = 0;
    int mouseIcon = 0;
};

class FakeIndicator : public ui::IIndicator {
public:
    void SetIconImageList(bool attached) noexcept override { imageListAttached = attached; }
    void SetErrorCaption(const std::string& caption) noexcept override { errorCaption = caption; }
    void ShowError(const std::string& shownDetail) noexcept override {
        shown = true;
        detail = shownDetail;
    }
    void ClearError() noexcept override { shown = false; }
    bool imageListAttached = false;
    bool shown = false;
    std::string errorCaption;
    std::string detail;  // of the last ShowError
};

// A single-line edit; a text written by code puts the caret at the start.
// Caret and selection count UTF-16 units, as the Windows edit control does.
class FakeTextBox : public WithEnabled<ui::ITextBox> {
public:
    std::string Text() const noexcept override { return text_; }
    void SetText(const std::string& text) noexcept override {
        text_ = text;
        selStart_ = selLength_ = 0;
        if (onChange) onChange();
    }
    int SelStart() const noexcept override { return selStart_; }
    int SelLength() const noexcept override { return selLength_; }
    void SetSelection(int start, int length) noexcept override {
        const int size = static_cast<int>(Utf16Length(text_));
        selStart_ = std::clamp(start, 0, size);
        selLength_ = std::clamp(length, 0, size - selStart_);
    }
    std::string SelText() const noexcept override {
        const std::size_t from = ByteAt(selStart_);
        return text_.substr(from, ByteAt(selStart_ + selLength_) - from);
    }
    void SetSelText(const std::string& text) noexcept override {
        const std::size_t from = ByteAt(selStart_);
        text_.replace(from, ByteAt(selStart_ + selLength_) - from, text);
        selStart_ += static_cast<int>(Utf16Length(text));
        selLength_ = 0;
        if (onChange) onChange();
    }
    std::function<void()> onChange;

private:
    // Where the first n UTF-16 units of the text end, in bytes.
    std::size_t ByteAt(int n) const {
        std::size_t at = 0;
        for (int units = 0; units < n && at < text_.size();) units += NextChar(text_, at) >= 0x10000 ? 2 : 1;
        return at;
    }
    std::string text_;
    int selStart_ = 0;
    int selLength_ = 0;
};

enum ClickKeys : unsigned { kNoKeys = 0, kCtrl = 1 };

// An extended-selection list box whose caret (ListIndex) is -1 until a click or
// a select message puts it on an entry. A bad index is refused and noted.
class FakeListBox : public WithEnabled<ui::IListBox> {
public:
    int ListCount() const noexcept override { return static_cast<int>(items_.size()); }
    std::string List(int index) const noexcept override { return Refused("List", index) ? "" : items_[At(index)]; }
    bool AddItem(const std::string& text, int index = -1) noexcept override {
        if (index == -1) index = ListCount();
        if (index != ListCount() && Refused("AddItem", index)) return false;
        items_.insert(items_.begin() + index, text);
        selected_.insert(selected_.begin() + index, false);
        return true;
    }
    bool RemoveItem(int index) noexcept override {
        if (Refused("RemoveItem", index)) return false;
        items_.erase(items_.begin() + index);
        selected_.erase(selected_.begin() + index);
        caret_ = std::min(caret_, ListCount() - 1);
        return true;
    }
    void Clear() noexcept override {
        items_.clear();
        selected_.clear();
        caret_ = -1;
    }
    bool Selected(int index) const noexcept override { return !Refused("Selected", index) && selected_[At(index)]; }
    bool SetSelected(int index, bool selected) noexcept override {
        return SendListMessage(ui::kLB_SETSEL, selected ? 1 : 0, index) == 0;
    }
    int SelCount() const noexcept override { return static_cast<int>(SelectedIndexes().size()); }
    int ListIndex() const noexcept override { return caret_; }
    // LB_SETSEL (selecting moves the caret) and LB_SELITEMRANGEEX (first >
    // last deselects); LB_ERR to anything else.
    std::intptr_t SendListMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) noexcept override {
        const int index = static_cast<int>(lParam);
        if (msg == ui::kLB_SETSEL) {
            if (Refused("LB_SETSEL", index)) return -1;
            selected_[At(index)] = wParam != 0;
            if (wParam != 0) caret_ = index;
        } else if (msg == ui::kLB_SELITEMRANGEEX) {
            const int first = static_cast<int>(static_cast<std::intptr_t>(wParam));
            SelectRange(std::min(first, index), std::max(first, index), first <= index);
        } else {
            return -1;
        }
        return 0;
    }

    // A plain or Ctrl click of the user, then the click and left mouse-up
    // events; other buttons only raise mouse-up.
    void UserClick(int index, unsigned keys = kNoKeys) {
        if (Refused("UserClick", index)) return;
        if ((keys & kCtrl) == 0) SelectRange(0, ListCount() - 1, false);
        selected_[At(index)] = (keys & kCtrl) == 0 || !selected_[At(index)];
        caret_ = index;
        if (onClick) onClick();
        UserMouseUp(ui::kLeftButton);
    }
    void UserMouseUp(int button) {
        if (onMouseUp) onMouseUp(button);
    }

    std::vector<std::string> Items() const { return items_; }
    std::vector<int> SelectedIndexes() const {
        std::vector<int> indexes;
        for (int i = 0; i < ListCount(); ++i)
            if (selected_[At(i)]) indexes.push_back(i);
        return indexes;
    }

    std::function<void()> onClick;
    std::function<void(int button)> onMouseUp;
    // Each refused call, e.g. "RemoveItem(5) of 5".
    mutable std::vector<std::string> violations;

private:
    static std::size_t At(int index) { return static_cast<std::size_t>(index); }
    bool Refused(const char* call, int index) const {
        if (index >= 0 && index < ListCount()) return false;
        violations.push_back(std::string(call) + "(" + std::to_string(index) + ") of " + std::to_string(ListCount()));
        return true;
    }
    void SelectRange(int first, int last, bool select) {
        for (int i = std::max(first, 0); i <= std::min(last, ListCount() - 1); ++i) selected_[At(i)] = select;
    }
    std::vector<std::string> items_;
    std::vector<bool> selected_;
    int caret_ = -1;
};

}  // namespace kvex::testing
