#pragma once
// Scoped helpers of the platform's drawing and windows; the owners
// themselves are the support library's.
#include <windows.h>

#include "unique_any.h"

namespace kvex::win32 {

// An owned pop-up (a tooltip) dies with its owner window before the owner's
// WM_DESTROY: destroy it while it lives, else only forget the handle.
inline void DestroyOwnedWindow(unique_hwnd& window) {
    if (window && !::IsWindow(window.get())) window.release();
    window.reset();
}

// Puts a GDI object into a DC for one scope and puts the old one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A screen DC borrowed for one scope.
class ScreenDC {
public:
    ScreenDC() : dc_(::GetDC(nullptr)) {}
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    ~ScreenDC() {
        if (dc_) ::ReleaseDC(nullptr, dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A window timer that dies with its owner or with this object.
class WindowTimer {
public:
    WindowTimer() = default;
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;
    ~WindowTimer() { Stop(); }
    void Start(HWND window, UINT_PTR id, UINT milliseconds) {
        Stop();
        if (::SetTimer(window, id, milliseconds, nullptr)) {
            window_ = window;
            id_ = id;
        }
    }
    void Stop() {
        if (window_) ::KillTimer(window_, id_);
        window_ = nullptr;
    }
    bool Running() const { return window_ != nullptr; }

private:
    HWND window_ = nullptr;
    UINT_PTR id_ = 0;
};

}  // namespace kvex::win32
