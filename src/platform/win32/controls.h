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
// A list box's entry; empty when there is none.
std::wstring ListItemText(HWND list, int index);

class Win32Button : public ui::IButton, public Win32Control {
public:
    void SetEnabled(bool enabled) noexcept override { EnableWindowKeepingFocus(enabled); }
    bool Enabled() const noexcept override { return IsEnabledWindow(); }
};

class Win32Label : public ui::ILabel, public Win32Control {
public:
    void SetCaption(const std::string& caption) noexcept override;
    std::string Caption() const noexcept override;
};

// EDIT. Text changes reach the form through EN_CHANGE, also for SetText and
// SetSelText, so the change handler has one way in.
class Win32TextBox : public ui::ITextBox, public Win32Control {
public:
    static constexpr int kMaxChars = 255;
    using KeyHandler = std::function<void()>;

    ~Win32TextBox();
    // onEditorKey, when set, hears F4 and Alt+Down: the keys that open a
    // box's own editor, as they drop a combo box down.
    void AttachText(HWND window, KeyHandler onEditorKey);

    void SetEnabled(bool enabled) noexcept override { EnableWindowKeepingFocus(enabled); }
    bool Enabled() const noexcept override { return IsEnabledWindow(); }
    std::string Text() const noexcept override;
    void SetText(const std::string& text) noexcept override;
    int SelStart() const noexcept override;
    int SelLength() const noexcept override;
    void SetSelection(int start, int length) noexcept override;
    std::string SelText() const noexcept override;
    void SetSelText(const std::string& text) noexcept override;

    LRESULT OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnSubclassedWindowGone() { Detach(); }

private:
    void GetSelection(DWORD& start, DWORD& end) const;

    KeyHandler onEditorKey_;
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

    void SetEnabled(bool enabled) noexcept override { EnableWindowKeepingFocus(enabled); }
    bool Enabled() const noexcept override { return IsEnabledWindow(); }
    int ListCount() const noexcept override;
    std::string List(int index) const noexcept override;
    bool AddItem(const std::string& text, int index = -1) noexcept override;
    bool RemoveItem(int index) noexcept override;
    void Clear() noexcept override;
    bool Selected(int index) const noexcept override;
    bool SetSelected(int index, bool selected) noexcept override;
    int SelCount() const noexcept override;
    int ListIndex() const noexcept override;
    std::intptr_t SendListMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) noexcept override;

    LRESULT OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnSubclassedWindowGone() { Detach(); }

private:
    void NoteCaretMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);
    // The menu asked for from the keyboard, below the current entry.
    void RaiseKeyboardMenu(HWND window);

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

    void SetPicture(int iconResourceId) noexcept override;
    void SetMouseIcon(int cursorResourceId) noexcept override;
    // The 32-pixel picture grows with the form's dpi like its box does.
    void SetDpi(UINT dpi);

    LRESULT OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnSubclassedWindowGone() { Detach(); }

private:
    HINSTANCE module_;
    UINT dpi_ = 96;
    int pictureId_ = 0;
    HICON picture_ = nullptr;    // borrowed from the thread's image cache
    HCURSOR cursor_ = nullptr;
};

// An item of a pop-up menu; the menu is built from the items each time it
// opens, so the enabled state is what the item holds then.
class Win32MenuItem : public ui::IMenuItem {
public:
    explicit Win32MenuItem(std::string caption = {}) : caption_(std::move(caption)) {}
    void SetEnabled(bool enabled) noexcept override { enabled_ = enabled; }
    bool Enabled() const noexcept override { return enabled_; }
    const std::string& Caption() const { return caption_; }
    bool IsSeparator() const { return caption_ == "-"; }

private:
    std::string caption_;
    bool enabled_ = true;
};

// Shows the items as a pop-up menu at the mouse pointer, its right edge at the
// pointer (opened from the keyboard: below the list's current entry); returns
// the chosen item's index or -1.
int TrackItemsPopup(HWND owner, Win32MenuItem* const* items, int count, int defaultItem);

}  // namespace kvex::win32
