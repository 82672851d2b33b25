#pragma once
// Dots per inch of the screen and of our windows. The per-dpi functions of
// newer user32 are looked up at run time, so the component still loads on a
// system that lacks them; there every window has the system's dpi.
#include <windows.h>

namespace kvex::win32 {

// The dpi the pixel figures of our forms (size floors, old position.ini
// entries) were made at.
inline constexpr UINT kDesignDpi = 96;

// WM_DPICHANGED and WM_GETDPISCALEDSIZE, which older headers lack.
inline constexpr UINT kWmDpiChanged = 0x02E0;
inline constexpr UINT kWmGetDpiScaledSize = 0x02E4;

UINT SystemDpi();
// The window's own dpi where the system keeps one per window, else the system's.
UINT WindowDpi(HWND window);

// A length at one dpi as it is at another, rounded to the nearest pixel.
int ScaleToDpi(int pixels, UINT fromDpi, UINT toDpi);

// What the frame adds to a client area of a window of that style at that dpi.
SIZE FrameSize(DWORD style, DWORD exStyle, UINT dpi);
// What the frame adds to the window's client area now; for a window too small
// to have a client area, the frame its style has at that dpi.
SIZE WindowFrame(HWND window, UINT dpi);

}  // namespace kvex::win32
