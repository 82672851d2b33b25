#include "ui.h"

#include <algorithm>

namespace kvex::testing {
namespace {

// A sent message to a thread that has stopped pumping must not hang the test.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, 3000, &result)) return 0;
    return static_cast<LRESULT>(result);
}

BOOL CALLBACK Collect(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

}  // namespace

std::vector<HWND> TopWindows(DWORD thread) {
    std::vector<HWND> windows;
    const auto param = reinterpret_cast<LPARAM>(&windows);
    thread ? EnumThreadWindows(thread, Collect, param) : EnumWindows(Collect, param);
    windows.erase(std::remove_if(windows.begin(), windows.end(), [](HWND w) { return !IsWindowVisible(w); }),
                  windows.end());
    return windows;
}

HWND WaitForWindow(DWORD thread, const std::wstring& caption, Millis timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : TopWindows(thread))
                if (TextOf(w) == caption) found = w;
            return found != nullptr;
        },
        timeout);
    return found;
}

bool WaitUntilGone(HWND window, Millis timeout) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout);
}

void CloseWindowsOfThread(DWORD thread) {
    for (HWND w : TopWindows(thread)) {
        const int answer = GetDlgItem(w, IDNO) ? IDNO : GetDlgItem(w, IDCANCEL) ? IDCANCEL : IDOK;
        GetDlgItem(w, answer) ? PressDialogButton(w, answer) : PostClose(w);
    }
}

std::wstring TextOf(HWND window) {
    const auto length = Send(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

HWND ChildById(HWND parent, int id) {
    for (HWND w : Children(parent))
        if (GetDlgCtrlID(w) == id) return w;
    return nullptr;
}

HWND ChildByText(HWND parent, const wchar_t* className, const std::wstring& text) {
    for (HWND w : Children(parent)) {
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (lstrcmpiW(name, className) == 0 && (text.empty() || TextOf(w) == text)) return w;
    }
    return nullptr;
}

void SetEditText(HWND edit, const std::wstring& text) {
    Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PostClick(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void PostClose(HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }

void PressDialogButton(HWND dialog, int id) {
    if (HWND button = GetDlgItem(dialog, id)) return PostClick(button);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

std::vector<std::wstring> ListItems(HWND list) {
    std::vector<std::wstring> items;
    const auto count = Send(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(Send(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        const auto copied = Send(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, static_cast<LRESULT>(text.size()) - 1)));
        items.push_back(text);
    }
    return items;
}

}  // namespace kvex::testing
