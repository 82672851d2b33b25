// Drives the component's dialogs from another process, for the demo and the
// script tests:
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

#include "ui.h"

namespace {

using namespace kvex::testing;

constexpr wchar_t kEditFilterCaption[] = L"Edit Filter - Always test your filters for desired results";

int Fail(const std::wstring& what) {
    std::fwprintf(stderr, L"kvex_drive: %ls\n", what.c_str());
    return 1;
}

int Drive(const std::wstring& command, const std::wstring& caption, const std::wstring& argument, Millis timeout) {
    HWND window = WaitForWindow(0, command == L"edit-filter" ? kEditFilterCaption : caption, timeout);
    if (!window) return Fail(L"no window \"" + caption + L"\"");
    if (command == L"rect") {
        // For cropping a screenshot to the window, in ImageMagick's geometry order.
        RECT r{};
        GetWindowRect(window, &r);
        std::printf("%ld %ld %ld %ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
        return 0;
    }
    if (command == L"press") {
        HWND button = ChildByText(window, L"Button", argument);
        if (!button) return Fail(L"no button \"" + argument + L"\"");
        PostClick(button);
        return 0;
    }
    if (command == L"edit-filter") {
        SetEditText(ChildByText(window, L"Edit", L""), argument);
        HWND button = ChildByText(window, L"Button", caption == L"ok" ? L"O&K" : L"&Cancel");
        if (caption == L"close") {
            PostClose(window);
        } else if (button && WaitUntil([&] { return IsWindowEnabled(button) != FALSE; }, Millis(3000))) {
            PostClick(button);
        } else {
            return Fail(L"the button is missing or disabled");
        }
    } else {
        PostClose(window);
    }
    return WaitUntilGone(window, timeout) ? 0 : Fail(L"\"" + caption + L"\" did not close");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 2 ? argv[1] : L"";
    const bool twoArguments = command == L"press" || command == L"edit-filter";
    if (!(command == L"rect" || command == L"close" || twoArguments) || (twoArguments && argc < 4)) {
        std::fwprintf(stderr, L"usage: kvex_drive rect|close|press|edit-filter ...\n");
        return 2;
    }
    // Screen pixels as they are: a scaled screen must not shrink the rectangles it reports.
    ::SetProcessDPIAware();
    const int secondsAt = twoArguments ? 4 : 3;
    const Millis timeout(argc > secondsAt ? 1000 * std::wcstol(argv[secondsAt], nullptr, 10) : kUiTimeout.count());
    return Drive(command, argv[2], twoArguments ? argv[3] : L"", timeout);
}
