#include "platform/win32/window_class.h"

namespace kvex::win32 {

bool EnsureWindowClass(const WNDCLASSEXW& wanted) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(wanted.hInstance, wanted.lpszClassName, &existing)) {
        if (existing.lpfnWndProc == wanted.lpfnWndProc) return true;
        ::UnregisterClassW(wanted.lpszClassName, wanted.hInstance);
    }
    if (::RegisterClassExW(&wanted)) return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace kvex::win32
