#pragma once
// The controls the forms drive. Win32 implements them over real windows
// (src/platform/win32); tests over in-memory fakes (tests/fakes). Nothing here
// throws: a control that cannot do what it is asked refuses, as its window
// does. Events (change, click, mouse-up) are wired by whoever owns the
// controls: they call the form's handler methods.
#include <cstdint>
#include <string>

namespace kvex::ui {

class IControl {
public:
    virtual ~IControl() = default;
    virtual void SetEnabled(bool enabled) noexcept = 0;
    virtual bool Enabled() const noexcept = 0;
};

class IButton : public IControl {};

class IMenuItem : public IControl {};

class ILabel {
public:
    virtual ~ILabel() = default;
    virtual void SetCaption(const std::string& caption) noexcept = 0;
    virtual std::string Caption() const noexcept = 0;
};

// Single-line edit. Setting the text or the selected text raises the change
// event, as typing does.
class ITextBox : public IControl {
public:
    virtual std::string Text() const noexcept = 0;
    virtual void SetText(const std::string& text) noexcept = 0;
    virtual int SelStart() const noexcept = 0;
    virtual int SelLength() const noexcept = 0;
    virtual void SetSelection(int start, int length) noexcept = 0;
    virtual std::string SelText() const noexcept = 0;
    // Replaces the selection (inserts at the caret when nothing is selected);
    // the caret ends after the written text with nothing selected.
    virtual void SetSelText(const std::string& text) noexcept = 0;
};

// List-box messages the list routines send, with their Win32 values.
inline constexpr unsigned kLB_SELITEMRANGEEX = 0x183;
inline constexpr unsigned kLB_SETSEL = 0x185;

// Extended-selection list box: several selected entries and one current entry
// (the caret, ListIndex, -1 when none). A bad index is refused as the list box
// refuses it: nothing changes, a write answers false, a read gives "" or false.
class IListBox : public IControl {
public:
    virtual int ListCount() const noexcept = 0;
    virtual std::string List(int index) const noexcept = 0;
    // Appends when index is -1, else inserts before index (at most ListCount).
    virtual bool AddItem(const std::string& text, int index = -1) noexcept = 0;
    virtual bool RemoveItem(int index) noexcept = 0;
    virtual void Clear() noexcept = 0;
    virtual bool Selected(int index) const noexcept = 0;
    virtual bool SetSelected(int index, bool selected) noexcept = 0;
    virtual int SelCount() const noexcept = 0;
    virtual int ListIndex() const noexcept = 0;
    // A raw list-box message to the list's window (LB_SETSEL, LB_SELITEMRANGEEX).
    virtual std::intptr_t SendListMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) noexcept = 0;
};

// An image control: shows an icon resource, with a custom mouse cursor.
class IImage {
public:
    virtual ~IImage() = default;
    virtual void SetPicture(int iconResourceId) noexcept = 0;     // 0 releases it
    virtual void SetMouseIcon(int cursorResourceId) noexcept = 0; // 0 releases it
};

// The input-error indicator beside a text box.
class IIndicator {
public:
    virtual ~IIndicator() = default;
    virtual void SetIconImageList(bool attached) noexcept = 0;  // the form's image list, or none
    virtual void SetErrorCaption(const std::string& caption) noexcept = 0;
    virtual void ShowError(const std::string& detail) noexcept = 0;
    virtual void ClearError() noexcept = 0;
};

// The form's window events, called by the window that owns the form.
class IFormEvents {
public:
    virtual ~IFormEvents() = default;
    virtual void Form_Load() = 0;
    virtual void Form_QueryUnload() = 0;
    virtual void Form_Resize() = 0;
    virtual void Form_Unload() = 0;
};

// The top-level window of a form.
class IFormWindow {
public:
    virtual ~IFormWindow() = default;
    // Creates the window if it does not exist yet; Form_Load runs then.
    virtual void EnsureLoaded() noexcept = 0;
    // Loads, shows modally and returns once the window has been unloaded.
    virtual void ShowModal() noexcept = 0;
    // QueryUnload, Unload, then the window is destroyed; ends ShowModal.
    virtual void Unload() noexcept = 0;
    virtual bool Loaded() const noexcept = 0;
    virtual void SetCaption(const std::string& caption) noexcept = 0;
    virtual std::string Caption() const noexcept = 0;
    virtual void SetIcon(int iconResourceId) noexcept = 0;  // 0 removes it
    // Owner handle for dialogs (an HWND on Windows).
    virtual std::intptr_t NativeHandle() const noexcept = 0;
    // Shows the form's pop-up menu at the mouse pointer with the given default
    // item; returns the index of the chosen menu item, or -1.
    virtual int PopupMenu(int defaultItem) noexcept = 0;
};

}  // namespace kvex::ui
