#pragma once
// The forms' controls over real child windows. A wrapper does not own its
// window: the form's top-level window does, and destroys its children with it.
// After that a wrapper answers like an empty, disabled control.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/handles.h"
#include "ui/controls.h"

namespace kvex::win32 {

class Win32Control {
public:
    void Attach(HWND window) { window_ = window; }
    void Detach() { window_ = nullptr; }
    HWND Hwnd() const { return window_; }

protected:
    bool IsEnabledWindow() const;
    // Disabling the focused control would leave the keyboard nowhere.
    void EnableWindowKeepingFocus(bool enabled);

    HWND window_ = nullptr;
};

std::string WindowText(HWND window);
void SetUtf8WindowText(HWND window, const std::string& text);

class Win32Button : public ui::IButton, public Win32Control {
public:
    void SetEnabled(bool enabled) override { EnableWindowKeepingFocus(enabled); }
    bool Enabled() const override { return IsEnabledWindow(); }
};

class Win32Label : public ui::ILabel, public Win32Control {
public:
    void SetCaption(const std::string& caption) override;
    std::string Caption() const override;
};

// EDIT. Text changes reach the form through EN_CHANGE, also for SetText and
// SetSelText, so the change handler has one way in.
class Win32TextBox : public ui::ITextBox, public Win32Control {
public:
    static constexpr int kMaxChars = 255;

    void SetEnabled(bool enabled) override { EnableWindowKeepingFocus(enabled); }
    bool Enabled() const override { return IsEnabledWindow(); }
    std::string Text() const override;
    void SetText(const std::string& text) override;
    int SelStart() const override;
    int SelLength() const override;
    void SetSelection(int start, int length) override;
    std::string SelText() const override;
    void SetSelText(const std::string& text) override;

private:
    void GetSelection(DWORD& start, DWORD& end) const;
};

// Extended-selection LISTBOX. The caret of a list box always names an entry,
// even before anyone chose one; the list has a current entry only once the
// user or the code has put the caret somewhere, until the list is emptied.
class Win32ListBox : public ui::IListBox, public Win32Control {
public:
    // button (1 left, 2 right, 4 middle), shift state, position in twips.
    using MouseUpHandler = std::function<void(int button, int shift, int x, int y)>;

    ~Win32ListBox();
    void AttachList(HWND window, MouseUpHandler onMouseUp);
    void ForgetCaret() { caretSet_ = false; }

    void SetEnabled(bool enabled) override { EnableWindowKeepingFocus(enabled); }
    bool Enabled() const override { return IsEnabledWindow(); }
    int ListCount() const override;
    std::string List(int index) const override;
    void AddItem(const std::string& text, int index = -1) override;
    void RemoveItem(int index) override;
    void Clear() override;
    bool Selected(int index) const override;
    void SetSelected(int index, bool selected) override;
    int SelCount() const override;
    int ListIndex() const override;
    std::intptr_t SendListMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) override;

    LRESULT OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnSubclassedWindowGone() { Detach(); }

private:
    void NoteCaretMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);

    MouseUpHandler onMouseUp_;
    bool caretSet_ = false;
};

// STATIC with SS_ICON: shows an icon resource of the module and, over it, a
// cursor resource of the module.
class Win32Image : public ui::IImage, public Win32Control {
public:
    explicit Win32Image(HINSTANCE module) : module_(module) {}
    ~Win32Image();
    void AttachImage(HWND window);

    void SetPicture(int iconResourceId) override;
    void SetMouseIcon(int cursorResourceId) override;
    // The 32-pixel picture grows with the form's dpi like its box does.
    void SetDpi(UINT dpi);

    LRESULT OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnSubclassedWindowGone() { Detach(); }

private:
    HINSTANCE module_;
    UINT dpi_ = 96;
    int pictureId_ = 0;
    unique_hicon picture_;
    unique_hcursor cursor_;
};

// An item of a pop-up menu; the menu is built from the items each time it
// opens, so the enabled state is what the item holds then.
class Win32MenuItem : public ui::IMenuItem {
public:
    explicit Win32MenuItem(std::string caption = {}) : caption_(std::move(caption)) {}
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool Enabled() const override { return enabled_; }
    const std::string& Caption() const { return caption_; }
    bool IsSeparator() const { return caption_ == "-"; }

private:
    std::string caption_;
    bool enabled_ = true;
};

// Shows the items as a pop-up menu at the mouse pointer, its right edge at the
// pointer; returns the chosen item's index or -1.
int TrackItemsPopup(HWND owner, Win32MenuItem* const* items, int count, int defaultItem);

}  // namespace kvex::win32
