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
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool Enabled() const override { return enabled_; }

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
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    std::string Caption() const override { return caption_; }
    std::function<void()> onClick;
    void Click();

private:
    std::string caption_;
};

class FakeImage : public ui::IImage {
public:
    void SetPicture(int iconResourceId) override { picture = iconResourceId; }
    void SetMouseIcon(int cursorResourceId) override { mouseIcon = cursorResourceId; }
    int picture = 0;
    int mouseIcon = 0;
    std::function<void()> onClick;
    void Click();
};

class FakeIndicator : public ui::IIndicator {
public:
    void SetIconImageList(bool attached) override { imageListAttached = attached; }
    void SetErrorCaption(const std::string& caption) override { errorCaption = caption; }
    void ShowError(const std::string& detail) override;
    void ClearError() override;
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

    std::string Text() const override { return text_; }
    void SetText(const std::string& text) override;
    int SelStart() const override { return selStart_; }
    int SelLength() const override { return selLength_; }
    void SetSelection(int start, int length) override;
    std::string SelText() const override;
    void SetSelText(const std::string& text) override;

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
// flag moves the caret to the entry; range messages leave it.
class FakeListBox : public WithEnabled<ui::IListBox> {
public:
    int ListCount() const override { return static_cast<int>(items_.size()); }
    std::string List(int index) const override;
    void AddItem(const std::string& text, int index = -1) override;
    void RemoveItem(int index) override;
    void Clear() override;
    bool Selected(int index) const override;
    void SetSelected(int index, bool selected) override;
    int SelCount() const override;
    int ListIndex() const override { return caret_; }
    std::intptr_t SendListMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

    // What the user does with the mouse: a click sets caret and selection as
    // Windows does for a plain or Ctrl click, then raises the click and the
    // left mouse-up events. Other buttons only raise mouse-up.
    void UserClick(int index, unsigned keys = kNoKeys);
    void UserMouseUp(int button);

    std::vector<std::string> Items() const;
    std::vector<int> SelectedIndexes() const;

    std::function<void()> onClick;
    std::function<void(int button)> onMouseUp;

private:
    struct Item {
        std::string text;
        bool selected = false;
    };
    void CheckIndex(int index) const;
    void SelectRange(int first, int last, bool select);
    std::vector<Item> items_;
    int caret_ = -1;
};

}  // namespace kvex::fakes
