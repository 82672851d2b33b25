#pragma once
// Window subclassing for the control wrappers and the layout keeper: the
// object gets the window's messages first; no exception leaves the procedure.
#include <windows.h>
#include <commctrl.h>

#include "diagnostics.h"

namespace kvex::win32 {

// T provides:
//   LRESULT OnSubclassMessage(HWND, UINT, WPARAM, LPARAM)  (calls DefSubclassProc itself)
//   void OnSubclassedWindowGone()                           (the window is being destroyed)
template <typename T>
LRESULT CALLBACK SubclassThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR ref) {
    auto* self = reinterpret_cast<T*>(ref);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &SubclassThunk<T>, id);
        try {
            self->OnSubclassedWindowGone();
        } catch (...) {
            ReportSwallowed("a control's clean-up failed");
        }
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    try {
        return self->OnSubclassMessage(window, message, wParam, lParam);
    } catch (...) {
        ReportSwallowed("a control's message failed");
        return 0;
    }
}

template <typename T>
bool InstallSubclass(HWND window, T* self, UINT_PTR id) {
    return window && ::SetWindowSubclass(window, &SubclassThunk<T>, id, reinterpret_cast<DWORD_PTR>(self));
}

template <typename T>
void RemoveSubclass(HWND window, UINT_PTR id) {
    if (window && ::IsWindow(window)) ::RemoveWindowSubclass(window, &SubclassThunk<T>, id);
}

}  // namespace kvex::win32
