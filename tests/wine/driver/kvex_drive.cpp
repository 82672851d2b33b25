// Drives the component's dialogs from another process, for the demo and the
// script tests:
//   kvex_drive wait <caption> [seconds]
//   kvex_drive rect <caption> [seconds]     prints "width height left top"
//   kvex_drive close <caption> [seconds]
//   kvex_drive press <caption> <button caption> [seconds]
//   kvex_drive edit-filter <ok|cancel|close> <text> [seconds]
// Exit code 0 when done, 1 when a window did not appear or close in time, 2 on
// a usage error.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "ui_driver.h"

namespace {

using namespace kvex::testing;

constexpr wchar_t kEditFilterCaption[] = L"Edit Filter - Always test your filters for desired results";

int Fail(const std::wstring& what) {
    std::fwprintf(stderr, L"kvex_drive: %ls\n", what.c_str());
    return 1;
}

HWND WaitForCaption(const std::wstring& caption, Millis timeout) {
    return WaitForTopWindow({0, 0, {}, caption}, timeout);
}

// For cropping a screenshot to the window, in ImageMagick's geometry order.
int PrintRect(const std::wstring& caption, Millis timeout) {
    HWND window = WaitForCaption(caption, timeout);
    if (!window) return Fail(L"no window \"" + caption + L"\"");
    const RECT r = WindowRect(window);
    std::printf("%ld %ld %ld %ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return 0;
}

int CloseWindow(const std::wstring& caption, Millis timeout) {
    HWND window = WaitForCaption(caption, timeout);
    if (!window) return Fail(L"no window \"" + caption + L"\"");
    PostClose(window);
    return WaitUntilGone(window, timeout) ? 0 : Fail(L"\"" + caption + L"\" did not close");
}

int PressButton(const std::wstring& caption, const std::wstring& button, Millis timeout) {
    HWND window = WaitForCaption(caption, timeout);
    if (!window) return Fail(L"no window \"" + caption + L"\"");
    HWND target = FindChild(window, L"Button", button);
    if (!target) return Fail(L"no button \"" + button + L"\"");
    PostClick(target);
    return 0;
}

int EditFilter(const std::wstring& how, const std::wstring& text, Millis timeout) {
    HWND window = WaitForCaption(kEditFilterCaption, timeout);
    if (!window) return Fail(L"no Edit Filter window");
    const auto edits = ChildrenOf(window, L"Edit");
    if (edits.empty()) return Fail(L"the Edit Filter window has no text box");
    SetEditText(edits.front(), text);
    if (how == L"ok") {
        HWND ok = FindChild(window, L"Button", L"O&K");
        if (!ok || !WaitUntil([&] { return IsEnabled(ok); }, Millis(3000))) return Fail(L"OK is missing or disabled");
        PostClick(ok);
    } else if (how == L"cancel") {
        HWND cancel = FindChild(window, L"Button", L"&Cancel");
        if (!cancel) return Fail(L"no Cancel button");
        PostClick(cancel);
    } else {
        PostClose(window);
    }
    return WaitUntilGone(window, timeout) ? 0 : Fail(L"the Edit Filter window did not close");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: kvex_drive wait|close|press|edit-filter ...\n");
        return 2;
    }
    // Screen pixels as they are: a scaled screen must not shrink the rectangles it reports.
    ::SetProcessDPIAware();
    const std::wstring command = argv[1];
    auto seconds = [&](int index) {
        return Millis(argc > index ? 1000 * std::wcstol(argv[index], nullptr, 10) : kUiTimeout.count());
    };
    if (command == L"wait") return WaitForCaption(argv[2], seconds(3)) ? 0 : Fail(L"no window");
    if (command == L"rect") return PrintRect(argv[2], seconds(3));
    if (command == L"close") return CloseWindow(argv[2], seconds(3));
    if (command == L"press" && argc >= 4) return PressButton(argv[2], argv[3], seconds(4));
    if (command == L"edit-filter" && argc >= 4) return EditFilter(argv[2], argv[3], seconds(4));
    std::fwprintf(stderr, L"kvex_drive: unknown command or missing arguments\n");
    return 2;
}
