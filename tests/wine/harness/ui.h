#pragma once
// Driving the component's windows from another thread or process, as a user
// would: every wait has a deadline, and clicks are posted, never sent.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace kvex::testing {

using Millis = std::chrono::milliseconds;
// Long enough for a slow machine to open a window, short enough to fail fast.
inline constexpr Millis kUiTimeout{10000};

// Polls until done() holds or the timeout passes; returns done()'s last answer.
template <class Done>
bool WaitUntil(Done&& done, Millis timeout = kUiTimeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return done();
        Sleep(15);
    }
    return true;
}

// Visible top-level windows of a thread (0: of any thread).
std::vector<HWND> TopWindows(DWORD thread);
// One with exactly this caption.
HWND WaitForWindow(DWORD thread, const std::wstring& caption, Millis timeout = kUiTimeout);
bool WaitUntilGone(HWND window, Millis timeout = kUiTimeout);
// Ends what a thread shows: message boxes answered No, Cancel or OK, other windows closed.
void CloseWindowsOfThread(DWORD thread);

std::wstring TextOf(HWND window);
HWND ChildById(HWND parent, int id);                                       // any depth
HWND ChildByText(HWND parent, const wchar_t* className, const std::wstring& text);  // empty text: the first

void SetEditText(HWND edit, const std::wstring& text);  // raises the edit's change notification
void PostClick(HWND button);
void PostClose(HWND window);
void PressDialogButton(HWND dialog, int id);
std::vector<std::wstring> ListItems(HWND list);

}  // namespace kvex::testing
