#include "platform/win32/dpi.h"

#include "core/window_fit.h"

namespace kvex::win32 {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

template <typename Fn>
Fn User32Function(const char* name) {
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

UINT SystemDpi() {
    static const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
    if (getDpiForSystem) return getDpiForSystem();
    HDC screen = ::GetDC(nullptr);
    int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

UINT WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        UINT dpi = getDpiForWindow(window);
        if (dpi) return dpi;
    }
    return SystemDpi();
}

int ScaleToDpi(int pixels, UINT fromDpi, UINT toDpi) {
    return core::ScaleLength(pixels, fromDpi ? fromDpi : kDesignDpi, toDpi);
}

SIZE FrameSize(DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjustForDpi = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT outer{0, 0, 0, 0};
    if (adjustForDpi && adjustForDpi(&outer, style, FALSE, exStyle, dpi))
        return SIZE{outer.right - outer.left, outer.bottom - outer.top};
    // Without it the metrics are the system's: a frame at another dpi is
    // taken to grow in proportion.
    ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const UINT system = SystemDpi();
    return SIZE{ScaleToDpi(outer.right - outer.left, system, dpi), ScaleToDpi(outer.bottom - outer.top, system, dpi)};
}

SIZE WindowFrame(HWND window, UINT dpi) {
    RECT outer, client;
    if (::GetWindowRect(window, &outer) && ::GetClientRect(window, &client) && client.right > 0 && client.bottom > 0)
        return SIZE{(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
    return FrameSize(static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE)),
                     static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE)), dpi);
}

}  // namespace kvex::win32
