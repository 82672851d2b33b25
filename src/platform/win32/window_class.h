#pragma once
// Window classes of the component, registered once per module.
#include <windows.h>

#include "diagnostics.h"

namespace kvex::win32 {

// Registers the class unless the module already has it with this procedure.
// A class left behind by an earlier load of the module at the same address
// but with another procedure is replaced.
// Unicode classes, so that window text never passes the ANSI code page.
bool EnsureWindowClass(const WNDCLASSEXW& wanted);

// Procedure of a class whose windows carry their object: the creation
// parameter is the object, which gets every message from WM_NCCREATE on
// through T::HandleMessage(HWND, UINT, WPARAM, LPARAM). No exception leaves it.
template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
        return self->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        ReportSwallowed("a window's message failed");
        return 0;
    }
}

}  // namespace kvex::win32
