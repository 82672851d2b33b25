#include "platform/win32/controls.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/dpi.h"
#include "platform/win32/drawing.h"
#include "platform/win32/subclass.h"
#include "wide_text.h"

namespace kvex::win32 {
namespace {

constexpr UINT_PTR kListSubclassId = 1;
constexpr UINT_PTR kImageSubclassId = 2;
constexpr UINT_PTR kTextSubclassId = 3;

// Where a pop-up asked for from the keyboard shows, while the list raises it.
thread_local const POINT* tKeyboardMenuAt = nullptr;

class KeyboardMenuScope {
public:
    explicit KeyboardMenuScope(const POINT& at) { tKeyboardMenuAt = &at; }
    KeyboardMenuScope(const KeyboardMenuScope&) = delete;
    KeyboardMenuScope& operator=(const KeyboardMenuScope&) = delete;
    ~KeyboardMenuScope() { tKeyboardMenuAt = nullptr; }
};

// The shift state as the form's mouse handlers receive it: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState(WPARAM mouseKeys) {
    int shift = 0;
    if (mouseKeys & MK_SHIFT) shift |= 1;
    if (mouseKeys & MK_CONTROL) shift |= 2;
    if (::GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

// The form speaks twips: 1440 an inch.
POINT ClientTwips(HWND window, POINT pixels) {
    const int dpi = static_cast<int>(WindowDpi(window));
    return POINT{::MulDiv(pixels.x, 1440, dpi), ::MulDiv(pixels.y, 1440, dpi)};
}

bool MovesListCaret(UINT message, WPARAM wParam) {
    if (message == WM_LBUTTONDOWN || message == WM_CHAR) return true;
    if (message != WM_KEYDOWN) return false;
    switch (wParam) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END: case VK_SPACE:
        return true;
    default:
        return false;
    }
}

}  // namespace

namespace {

std::wstring WideWindowText(HWND window) {
    if (!window) return {};
    int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

}  // namespace

std::string WindowText(HWND window) { return WideToUtf8(WideWindowText(window)); }

void SetUtf8WindowText(HWND window, const std::string& text) {
    if (window) ::SetWindowTextW(window, Utf8ToWide(text).c_str());
}

bool Win32Control::IsEnabledWindow() const { return window_ && ::IsWindowEnabled(window_); }

void Win32Control::EnableWindowKeepingFocus(bool enabled) {
    if (!window_) return;
    if (!enabled && ::GetFocus() == window_) {
        HWND next = ::GetNextDlgTabItem(::GetParent(window_), window_, FALSE);
        if (next && next != window_) ::SetFocus(next);
    }
    ::EnableWindow(window_, enabled ? TRUE : FALSE);
}

// Label.

void Win32Label::SetCaption(const std::string& caption) noexcept {
    SetUtf8WindowText(window_, caption);
}

std::string Win32Label::Caption() const noexcept { return WindowText(window_); }

// Text box.

Win32TextBox::~Win32TextBox() { RemoveSubclass<Win32TextBox>(window_, kTextSubclassId); }

void Win32TextBox::AttachText(HWND window, KeyHandler onEditorKey) {
    Attach(window);
    onEditorKey_ = std::move(onEditorKey);
    if (onEditorKey_) InstallSubclass(window, this, kTextSubclassId);
}

LRESULT Win32TextBox::OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool editorKey = (message == WM_KEYDOWN && wParam == VK_F4) || (message == WM_SYSKEYDOWN && wParam == VK_DOWN);
    if (!editorKey || !onEditorKey_) return ::DefSubclassProc(window, message, wParam, lParam);
    onEditorKey_();
    return 0;
}

std::string Win32TextBox::Text() const noexcept { return WindowText(window_); }

void Win32TextBox::SetText(const std::string& text) noexcept {
    SetUtf8WindowText(window_, text);
}

void Win32TextBox::GetSelection(DWORD& start, DWORD& end) const {
    start = end = 0;
    if (window_)
        ::SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}

int Win32TextBox::SelStart() const noexcept {
    DWORD start, end;
    GetSelection(start, end);
    return static_cast<int>(start);
}

int Win32TextBox::SelLength() const noexcept {
    DWORD start, end;
    GetSelection(start, end);
    return static_cast<int>(end - start);
}

void Win32TextBox::SetSelection(int start, int length) noexcept {
    if (window_) ::SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

// The selection is counted in the control's UTF-16 units.
std::string Win32TextBox::SelText() const noexcept {
    DWORD start, end;
    GetSelection(start, end);
    const std::wstring text = WideWindowText(window_);
    if (start >= end || start >= text.size()) return {};
    return WideToUtf8(std::wstring_view(text).substr(start, end - start));
}

void Win32TextBox::SetSelText(const std::string& text) noexcept {
    if (window_) ::SendMessageW(window_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()));
}

// List box.

Win32ListBox::~Win32ListBox() { RemoveSubclass<Win32ListBox>(window_, kListSubclassId); }

void Win32ListBox::AttachList(HWND window, MouseUpHandler onMouseUp) {
    Attach(window);
    onMouseUp_ = std::move(onMouseUp);
    caretSet_ = false;
    InstallSubclass(window, this, kListSubclassId);
}

int Win32ListBox::ListCount() const noexcept {
    if (!window_) return 0;
    LRESULT n = ::SendMessageA(window_, LB_GETCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
}

// Items go in and out wide (an ANSI LB_GETTEXT may also go through a fixed
// buffer: Wine's takes 511 characters and overruns the stack beyond that).
std::wstring ListItemText(HWND list, int index) {
    if (!list || index < 0) return {};
    LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    LRESULT copied = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data()));
    if (copied == LB_ERR || copied <= 0) return {};
    wide.resize(static_cast<std::size_t>(std::min<LRESULT>(copied, length)));
    return wide;
}

std::string Win32ListBox::List(int index) const noexcept { return WideToUtf8(ListItemText(window_, index)); }

bool Win32ListBox::AddItem(const std::string& text, int index) noexcept {
    if (!window_) return false;
    const std::wstring wide = Utf8ToWide(text);
    const LRESULT at = index == -1
        ? ::SendMessageW(window_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()))
        : ::SendMessageW(window_, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str()));
    return at >= 0;
}

bool Win32ListBox::RemoveItem(int index) noexcept {
    if (!window_) return false;
    const bool removed = ::SendMessageA(window_, LB_DELETESTRING, static_cast<WPARAM>(index), 0) != LB_ERR;
    if (ListCount() == 0) caretSet_ = false;
    return removed;
}

void Win32ListBox::Clear() noexcept {
    if (window_) ::SendMessageA(window_, LB_RESETCONTENT, 0, 0);
    caretSet_ = false;
}

bool Win32ListBox::Selected(int index) const noexcept {
    if (!window_) return false;
    LRESULT state = ::SendMessageA(window_, LB_GETSEL, static_cast<WPARAM>(index), 0);
    return state != LB_ERR && state > 0;
}

bool Win32ListBox::SetSelected(int index, bool selected) noexcept {
    return SendListMessage(LB_SETSEL, selected ? TRUE : FALSE, index) != LB_ERR;
}

int Win32ListBox::SelCount() const noexcept {
    if (!window_) return 0;
    LRESULT n = ::SendMessageA(window_, LB_GETSELCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
}

int Win32ListBox::ListIndex() const noexcept {
    int count = ListCount();
    if (count == 0 || !caretSet_) return -1;
    LRESULT caret = ::SendMessageA(window_, LB_GETCARETINDEX, 0, 0);
    if (caret == LB_ERR || caret < 0 || caret >= count) return -1;
    return static_cast<int>(caret);
}

std::intptr_t Win32ListBox::SendListMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) noexcept {
    if (!window_) return LB_ERR;
    LRESULT result = ::SendMessageA(window_, msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
    if (result != LB_ERR) NoteCaretMessage(msg, wParam, lParam);
    return result;
}

void Win32ListBox::NoteCaretMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    // Selecting one entry with LB_SETSEL puts the caret on it.
    if ((msg == LB_SETSEL && wParam && lParam != -1) || msg == LB_SETCARETINDEX) caretSet_ = true;
}

LRESULT Win32ListBox::OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The context-menu key and Shift+F10 ask for what the right button opens.
    // The key is taken here, on its way up, so the menu opens once whatever
    // the system makes of it; Shift+F10 arrives as the system's request.
    const bool menuKey = (message == WM_KEYDOWN || message == WM_KEYUP) && wParam == VK_APPS;
    const bool menuRequest = message == WM_CONTEXTMENU && GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1;
    if ((menuKey || menuRequest) && onMouseUp_) {
        if (message != WM_KEYDOWN) RaiseKeyboardMenu(window);
        return 0;
    }
    LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (MovesListCaret(message, wParam) && ListCount() > 0) caretSet_ = true;
    int button = 0;
    switch (message) {
    case WM_LBUTTONUP: button = 1; break;
    case WM_RBUTTONUP: button = 2; break;
    case WM_MBUTTONUP: button = 4; break;
    default: break;
    }
    if (button && onMouseUp_) {
        const POINT at = ClientTwips(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        onMouseUp_(button, ShiftState(wParam), at.x, at.y);
    }
    return result;
}

void Win32ListBox::RaiseKeyboardMenu(HWND window) {
    RECT entry{};
    const LRESULT caret = ::SendMessageW(window, LB_GETCARETINDEX, 0, 0);
    if (caret == LB_ERR || ::SendMessageW(window, LB_GETITEMRECT, static_cast<WPARAM>(caret),
                                          reinterpret_cast<LPARAM>(&entry)) == LB_ERR)
        ::GetClientRect(window, &entry);
    POINT at{(entry.left + entry.right) / 2, entry.bottom};
    const POINT twips = ClientTwips(window, at);
    ::ClientToScreen(window, &at);
    KeyboardMenuScope scope(at);
    onMouseUp_(2, 0, twips.x, twips.y);  // the right button, no shift key
}

// Image.

Win32Image::~Win32Image() {
    if (window_) {
        RemoveSubclass<Win32Image>(window_, kImageSubclassId);
        ::SendMessageA(window_, STM_SETICON, 0, 0);
    }
}

void Win32Image::AttachImage(HWND window) {
    Attach(window);
    InstallSubclass(window, this, kImageSubclassId);
}

void Win32Image::SetDpi(UINT dpi) {
    dpi_ = dpi;
    if (pictureId_ != 0) SetPicture(pictureId_);
}

void Win32Image::SetPicture(int iconResourceId) noexcept {
    pictureId_ = iconResourceId;
    if (iconResourceId == 0) {
        if (window_) ::SendMessageA(window_, STM_SETICON, 0, 0);
        picture_ = nullptr;
        return;
    }
    const int size = ::MulDiv(32, static_cast<int>(dpi_), 96);
    auto icon = static_cast<HICON>(ModuleImage(module_, iconResourceId, IMAGE_ICON, size, size));
    if (!icon) return;
    if (window_) ::SendMessageA(window_, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    picture_ = icon;
}

void Win32Image::SetMouseIcon(int cursorResourceId) noexcept {
    if (cursorResourceId == 0) {
        cursor_ = nullptr;
        return;
    }
    if (auto cursor = static_cast<HCURSOR>(ModuleImage(module_, cursorResourceId, IMAGE_CURSOR, 0, 0)))
        cursor_ = cursor;
}

LRESULT Win32Image::OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && cursor_ && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(cursor_);
        return TRUE;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

// Pop-up menu.

int TrackItemsPopup(HWND owner, Win32MenuItem* const* items, int count, int defaultItem) {
    unique_hmenu menu(::CreatePopupMenu());
    if (!menu) return -1;
    for (int i = 0; i < count; ++i) {
        const Win32MenuItem& item = *items[i];
        if (item.IsSeparator())
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(menu.get(), MF_STRING | (item.Enabled() ? MF_ENABLED : MF_GRAYED),
                          static_cast<UINT_PTR>(i + 1), Utf8ToWide(item.Caption()).c_str());
    }
    if (defaultItem >= 0 && defaultItem < count)
        ::SetMenuDefaultItem(menu.get(), static_cast<UINT>(defaultItem), TRUE);
    POINT at{};
    if (tKeyboardMenuAt)
        at = *tKeyboardMenuAt;
    else
        ::GetCursorPos(&at);
    int chosen = static_cast<int>(
        ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_TOPALIGN, at.x, at.y, 0, owner, nullptr));
    return chosen > 0 ? chosen - 1 : -1;
}

}  // namespace kvex::win32
