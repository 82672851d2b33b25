#pragma once
// In-memory stand-ins for the standard controls. They behave as the Windows
// controls do where the forms depend on it: change events on every text
// write, an extended-selection list box whose caret is separate from its
// selection, and the list-box selection messages with their Win32 rules.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace kvex::fakes {

// Enabled state, shared by every control that has one.
template <class Interface>
class WithEnabled : public Interface {
public:
    void SetEnabled(bool enabled) noexcept override { enabled_ = enabled; }
    bool Enabled() const noexcept override { return enabled_; }

private:
    bool enabled_ = true;
};

class FakeButton : public WithEnabled<ui::IButton> {
public:
    std::function<void()> onClick;
    // A disabled button takes no clicks.
    void Click();
};

class FakeMenuItem : public WithEnabled<ui::IMenuItem> {
public:
    std::string caption;
    bool IsSeparator() const { return caption == "-"; }
};

class FakeLabel : public ui::ILabel {
public:
    explicit FakeLabel(std::string designCaption = {}) : caption_(std::move(designCaption)) {}
    void SetCaption(const std::string& caption) noexcept override { caption_ = caption; }
    std::string Caption() const noexcept override { return caption_; }
    std::function<void()> onClick;
    void Click();

private:
    std::string caption_;
};

class FakeImage : public ui::IImage {
public:
    void SetPicture(int iconResourceId) noexcept override { picture = iconResourceId; }
    void SetMouseIcon(int cursorResourceId) noexcept override { mouseIcon = cursorResourceId; }
    int picture = 0;
    int mouseIcon = 0;
    std::function<void()> onClick;
    void Click();
};

class FakeIndicator : public ui::IIndicator {
public:
    void SetIconImageList(bool attached) noexcept override { imageListAttached = attached; }
    void SetErrorCaption(const std::string& caption) noexcept override { errorCaption = caption; }
    void ShowError(const std::string& detail) noexcept override;
    void ClearError() noexcept override;
    bool imageListAttached = false;
    bool shown = false;
    std::string errorCaption;
    std::string detail;  // of the last ShowError
};

// A single-line edit. Writing the text or the selected text raises the change
// event, as typing does; a text written by code puts the caret at the start.
class FakeTextBox : public WithEnabled<ui::ITextBox> {
public:
    explicit FakeTextBox(std::string designText = {}, int maxLength = 255)
        : text_(std::move(designText)), maxLength_(maxLength) {}

    std::string Text() const noexcept override { return text_; }
    void SetText(const std::string& text) noexcept override;
    int SelStart() const noexcept override { return selStart_; }
    int SelLength() const noexcept override { return selLength_; }
    void SetSelection(int start, int length) noexcept override;
    std::string SelText() const noexcept override;
    void SetSelText(const std::string& text) noexcept override;

    // The user types over the selection; the box's length limit applies, as
    // it does only to typing.
    void Type(const std::string& typed);

    std::function<void()> onChange;

private:
    void Changed();
    std::string text_;
    int maxLength_;
    int selStart_ = 0;
    int selLength_ = 0;
};

// Keys held during a user's click in the list.
enum ClickKeys : unsigned { kNoKeys = 0, kCtrl = 1 };

// An extended-selection list box. The caret (ListIndex) is an index of its
// own: inserting or removing entries leaves it at the same number, clamped to
// the last entry, as the Windows list box does; it starts at -1 (none) until a
// click or a select message puts it on an entry. LB_SETSEL with the select
// flag moves the caret to the entry; range messages leave it. A bad index is
// refused as the list box refuses it, and noted in violations.
class FakeListBox : public WithEnabled<ui::IListBox> {
public:
    int ListCount() const noexcept override { return static_cast<int>(items_.size()); }
    std::string List(int index) const noexcept override;
    bool AddItem(const std::string& text, int index = -1) noexcept override;
    bool RemoveItem(int index) noexcept override;
    void Clear() noexcept override;
    bool Selected(int index) const noexcept override;
    bool SetSelected(int index, bool selected) noexcept override;
    int SelCount() const noexcept override;
    int ListIndex() const noexcept override { return caret_; }
    std::intptr_t SendListMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) noexcept override;

    // What the user does with the mouse: a click sets caret and selection as
    // Windows does for a plain or Ctrl click, then raises the click and the
    // left mouse-up events. Other buttons only raise mouse-up.
    void UserClick(int index, unsigned keys = kNoKeys);
    void UserMouseUp(int button);

    std::vector<std::string> Items() const;
    std::vector<int> SelectedIndexes() const;

    std::function<void()> onClick;
    std::function<void(int button)> onMouseUp;

    // Each call with an index the list box would refuse, e.g. "RemoveItem(5) of 5".
    mutable std::vector<std::string> violations;

private:
    struct Item {
        std::string text;
        bool selected = false;
    };
    bool Refused(const char* call, int index) const;
    void SelectRange(int first, int last, bool select);
    std::vector<Item> items_;
    int caret_ = -1;
};

}  // namespace kvex::fakes
