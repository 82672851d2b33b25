#pragma once
// Window classes of the component, registered once per module.
#include <windows.h>

namespace kvex::win32 {

// Registers the class unless the module already has it with this procedure.
// A class left behind by an earlier load of the module at the same address
// but with another procedure is replaced.
bool EnsureWindowClass(const WNDCLASSEXA& wanted);

// Procedure of a class whose windows carry their object: the creation
// parameter is the object, which gets every message from WM_NCCREATE on
// through T::HandleMessage(HWND, UINT, WPARAM, LPARAM). No exception leaves it.
template <typename T>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<T*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
        return self->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

}  // namespace kvex::win32
