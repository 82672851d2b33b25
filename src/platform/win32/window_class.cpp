#include "platform/win32/window_class.h"

namespace kvex::win32 {

bool EnsureWindowClass(const WNDCLASSEXA& wanted) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExA(wanted.hInstance, wanted.lpszClassName, &existing)) {
        if (existing.lpfnWndProc == wanted.lpfnWndProc) return true;
        ::UnregisterClassA(wanted.lpszClassName, wanted.hInstance);
    }
    if (::RegisterClassExA(&wanted)) return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace kvex::win32
