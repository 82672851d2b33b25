#include "ui_driver.h"

#include <algorithm>
#include <cwctype>

#include "wide_text.h"

namespace kvex::testing {
namespace {

// A sent message to a thread that has stopped pumping must not hang the test.
constexpr UINT kSendTimeoutMs = 3000;

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* ok = nullptr) {
    DWORD_PTR result = 0;
    const bool sent = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                          kSendTimeoutMs, &result) != 0;
    if (ok) *ok = sent;
    return sent ? static_cast<LRESULT>(result) : 0;
}

bool SameClass(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(x) == std::towlower(y);
           });
}

struct TopSearch {
    const TopWindowQuery* query;
    HWND found = nullptr;
};

bool Matches(HWND window, const TopWindowQuery& query) {
    if (!IsWindowVisible(window)) return false;
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(window, &processId);
    if (query.threadId && threadId != query.threadId) return false;
    if (query.processId && processId != query.processId) return false;
    if (!query.className.empty() && !SameClass(ClassOf(window), query.className)) return false;
    if (query.caption && TextOf(window) != *query.caption) return false;
    return true;
}

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopSearch*>(param);
    if (Matches(window, *search->query)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

POINT ItemCentre(HWND list, int index) {
    RECT item{};
    SendWithTimeout(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

// Scrolls the item into view first, as a user would before clicking it.
void RevealItem(HWND list, int index) {
    RECT client{};
    GetClientRect(list, &client);
    const POINT centre = ItemCentre(list, index);
    if (centre.y < client.top || centre.y >= client.bottom) {
        SendWithTimeout(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    }
}

int HighlightedItem(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    }
    return -1;
}

// The item a Down key moves to from `from` (-1: none lit); menu loops skip
// separators and, on some systems, grey items.
int NextMenuStop(HMENU menu, int from, bool skipGrey) {
    const int count = GetMenuItemCount(menu);
    for (int step = 1; step <= count; ++step) {
        const int i = (from + step + count) % count;
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR) continue;
        if (skipGrey && (state & (MF_GRAYED | MF_DISABLED))) continue;
        return i;
    }
    return -1;
}

BoxIcon IconKind(HICON icon) {
    if (!icon) return BoxIcon::None;
    struct Known {
        LPCWSTR id;
        BoxIcon kind;
    };
    static const Known known[] = {{IDI_EXCLAMATION, BoxIcon::Exclamation},
                                  {IDI_HAND, BoxIcon::Stop},
                                  {IDI_QUESTION, BoxIcon::Question},
                                  {IDI_ASTERISK, BoxIcon::Information}};
    for (const auto& k : known) {
        if (LoadIconW(nullptr, k.id) == icon) return k.kind;
    }
    return BoxIcon::Other;
}

}  // namespace

// ---- windows ---------------------------------------------------------------

HWND FindTopWindow(const TopWindowQuery& query) {
    TopSearch search{&query};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(const TopWindowQuery& query, Millis timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(query)) != nullptr; }, timeout);
    return found;
}

std::vector<HWND> TopWindowsOfThread(DWORD threadId) {
    std::vector<HWND> windows;
    EnumThreadWindows(threadId, CollectThreadWindow, reinterpret_cast<LPARAM>(&windows));
    windows.erase(std::remove_if(windows.begin(), windows.end(), [](HWND w) { return !IsWindowVisible(w); }),
                  windows.end());
    return windows;
}

std::vector<HWND> CloseWindowsOfThread(DWORD threadId) {
    std::vector<HWND> windows = TopWindowsOfThread(threadId);
    for (HWND w : windows) {
        const std::wstring cls = ClassOf(w);
        if (cls == L"#32768") {
            PostKey(w, VK_ESCAPE);
        } else if (cls == L"#32770" && GetDlgItem(w, IDNO)) {
            PressDialogButton(w, IDNO);
        } else if (cls == L"#32770" && GetDlgItem(w, IDCANCEL)) {
            PressDialogButton(w, IDCANCEL);
        } else if (cls == L"#32770" && GetDlgItem(w, IDOK)) {
            PressDialogButton(w, IDOK);
        } else {
            PostClose(w);
        }
    }
    return windows;
}

bool WaitUntilGone(HWND window, Millis timeout) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int n = GetClassNameW(window, name, 256);
    return std::wstring(name, n > 0 ? n : 0);
}

std::wstring TextOf(HWND window) {
    const auto length = SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied =
        SendWithTimeout(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(0, std::min<LRESULT>(copied, length))));
    return text;
}

bool IsEnabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

std::vector<HWND> ChildrenOf(HWND parent, std::wstring_view className) {
    std::vector<HWND> all;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&all));
    if (className.empty()) return all;
    std::vector<HWND> wanted;
    for (HWND w : all) {
        if (SameClass(ClassOf(w), className)) wanted.push_back(w);
    }
    return wanted;
}

HWND FindChild(HWND parent, std::wstring_view className, std::wstring_view text) {
    for (HWND w : ChildrenOf(parent, className)) {
        if (TextOf(w) == text) return w;
    }
    return nullptr;
}

HWND FindChildById(HWND parent, int id) {
    for (HWND w : ChildrenOf(parent)) {
        if (GetDlgCtrlID(w) == id) return w;
    }
    return nullptr;
}

std::vector<DWORD> IconPixels(HICON icon, int size) {
    std::vector<DWORD> pixels;
    if (!icon) return pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (dc && bitmap) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all{0, 0, size, size};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        GdiFlush();
        const auto* p = static_cast<const DWORD*>(bits);
        pixels.assign(p, p + size * size);
        SelectObject(dc, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    return pixels;
}

HICON WindowIcon(HWND window) {
    return reinterpret_cast<HICON>(SendWithTimeout(window, WM_GETICON, ICON_BIG, 0));
}

HICON StaticIcon(HWND staticControl) {
    return reinterpret_cast<HICON>(SendWithTimeout(staticControl, STM_GETICON, 0, 0));
}

// ---- input -----------------------------------------------------------------

void SetEditText(HWND edit, const std::wstring& text) {
    SendWithTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SelectEditText(HWND edit, int start, int end) { SendWithTimeout(edit, EM_SETSEL, start, end); }

std::pair<int, int> EditSelection(HWND edit) {
    DWORD start = 0, end = 0;
    SendWithTimeout(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void PostClick(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void PostClose(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }

void PostMouseClick(HWND window, POINT client, bool rightButton, WPARAM keys) {
    const LPARAM at = MAKELPARAM(client.x, client.y);
    if (rightButton) {
        PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON | keys, at);
        PostMessageW(window, WM_RBUTTONUP, keys, at);
    } else {
        PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
        PostMessageW(window, WM_LBUTTONUP, keys, at);
    }
}

void PostKey(HWND window, UINT virtualKey) {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16));
    PostMessageW(window, WM_KEYUP, virtualKey, 1 | (static_cast<LPARAM>(scan) << 16) | (3LL << 30));
}

// ---- list box --------------------------------------------------------------

int ListCount(HWND list) { return static_cast<int>(SendWithTimeout(list, LB_GETCOUNT, 0, 0)); }

std::wstring ListText(HWND list, int index) {
    const auto length = SendWithTimeout(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied =
        SendWithTimeout(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(std::min<LRESULT>(copied, length)));
    return text;
}

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    const int count = ListCount(list);
    for (int i = 0; i < count; ++i) items.push_back(ListText(list, i));
    return items;
}

std::vector<int> ListSelection(HWND list) {
    std::vector<int> selected;
    const int count = ListCount(list);
    for (int i = 0; i < count; ++i) {
        if (SendWithTimeout(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(i);
    }
    return selected;
}

int ListCaret(HWND list) { return static_cast<int>(SendWithTimeout(list, LB_GETCARETINDEX, 0, 0)); }

void ClickListItem(HWND list, int index, WPARAM keys) {
    RevealItem(list, index);
    PostMouseClick(list, ItemCentre(list, index), false, keys);
}

void RightClickListItem(HWND list, int index) {
    RevealItem(list, index);
    PostMouseClick(list, ItemCentre(list, index), true);
}

// ---- pop-up menu -----------------------------------------------------------

std::optional<PopupMenu> WaitForPopupMenu(DWORD threadId, Millis timeout) {
    PopupMenu popup;
    const bool found = WaitUntil(
        [&] {
            popup.window = FindTopWindow({threadId, 0, L"#32768", std::nullopt});
            if (!popup.window) return false;
            popup.menu = reinterpret_cast<HMENU>(SendWithTimeout(popup.window, MN_GETHMENU, 0, 0));
            return popup.menu != nullptr;
        },
        timeout);
    if (!found) return std::nullopt;
    return popup;
}

std::vector<MenuItemState> MenuItems(HMENU menu) {
    std::vector<MenuItemState> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        MenuItemState item;
        item.text = text;
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        item.enabled = (info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0;
        item.isDefault = (info.fState & MFS_DEFAULT) != 0;
        items.push_back(item);
    }
    return items;
}

bool ChooseMenuItem(const PopupMenu& popup, int position, Millis timeout) {
    // The menu loop reads keys from its thread's queue; posting them to the
    // menu window puts them there. Stepping with Down until the item is lit
    // works whether the loop skips grey items or not.
    const int count = GetMenuItemCount(popup.menu);
    for (int step = 0; step <= count + 1; ++step) {
        const int lit = HighlightedItem(popup.menu);
        if (lit == position) {
            PostKey(popup.window, VK_RETURN);
            return WaitUntilGone(popup.window, timeout);
        }
        // Wait for where this Down lands, not just for a change: the
        // highlight reads as none for a moment while it moves, and a second
        // Down sent then would overshoot.
        const int plain = NextMenuStop(popup.menu, lit, false);
        const int enabled = NextMenuStop(popup.menu, lit, true);
        PostKey(popup.window, VK_DOWN);
        if (!WaitUntil(
                [&] {
                    const int now = HighlightedItem(popup.menu);
                    return now >= 0 && (now == plain || now == enabled);
                },
                Millis(2000)))
            return false;
    }
    return false;
}

void DismissMenu(const PopupMenu& popup) {
    PostKey(popup.window, VK_ESCAPE);
    if (!WaitUntilGone(popup.window, Millis(2000))) PostKey(popup.window, VK_ESCAPE);
}

// ---- message boxes ---------------------------------------------------------

MessageBoxInfo DescribeMessageBox(HWND box) {
    MessageBoxInfo info;
    info.window = box;
    info.title = TextOf(box);
    for (HWND child : ChildrenOf(box)) {
        if (GetParent(child) != box || !IsWindowVisible(child)) continue;
        const std::wstring cls = ClassOf(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (SameClass(cls, L"Static")) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                info.icon = IconKind(reinterpret_cast<HICON>(SendWithTimeout(child, STM_GETICON, 0, 0)));
            } else {
                std::wstring text = TextOf(child);
                if (text.size() > info.text.size()) info.text = std::move(text);
            }
        } else if (SameClass(cls, L"Button")) {
            const int id = GetDlgCtrlID(child);
            info.buttons.push_back(id);
            if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) info.defaultButton = id;
        }
    }
    std::sort(info.buttons.begin(), info.buttons.end());
    if (!info.defaultButton) {
        const LRESULT def = SendWithTimeout(box, DM_GETDEFID, 0, 0);
        if (HIWORD(def) == DC_HASDEFID) info.defaultButton = LOWORD(def);
    }
    return info;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD threadId, const std::wstring& title, Millis timeout) {
    HWND box = WaitForTopWindow({threadId, 0, L"#32770", title}, timeout);
    if (!box) return std::nullopt;
    // The box is visible before its buttons are all laid out; give it a moment.
    MessageBoxInfo info;
    WaitUntil([&] { return !(info = DescribeMessageBox(box)).buttons.empty(); }, Millis(2000));
    return info;
}

std::optional<MessageBoxInfo> FindAnyMessageBox(DWORD threadId) {
    HWND box = FindTopWindow({threadId, 0, L"#32770", std::nullopt});
    if (!box) return std::nullopt;
    return DescribeMessageBox(box);
}

void PressDialogButton(HWND dialog, int id) {
    if (HWND button = GetDlgItem(dialog, id)) {
        PostClick(button);
    } else {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
}

std::string Narrow(const std::wstring& text) { return win32::WideToUtf8(text); }

}  // namespace kvex::testing
