#pragma once
// Owning wrappers for the Win32 handles the platform creates. Each one frees
// its handle exactly once; release() hands ownership back to the system when
// Windows has already destroyed the object (a child window with its parent).
#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace kvex::win32 {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }
    Handle release() {
        Handle h = handle_;
        handle_ = Traits::Invalid();
        return h;
    }
    void reset(Handle handle = Traits::Invalid()) {
        if (handle == handle_) return;
        if (Traits::IsValid(handle_)) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Invalid();
};

template <typename H, typename Fn, Fn close>
struct NullIsInvalid {
    static H Invalid() { return nullptr; }
    static bool IsValid(H h) { return h != nullptr; }
    static void Close(H h) { close(h); }
};

namespace detail {
inline void DestroyWin(HWND h) { ::DestroyWindow(h); }
inline void CloseFont(HFONT h) { ::DeleteObject(h); }
inline void CloseBrush(HBRUSH h) { ::DeleteObject(h); }
inline void ClosePen(HPEN h) { ::DeleteObject(h); }
inline void CloseBitmap(HBITMAP h) { ::DeleteObject(h); }
inline void CloseDC(HDC h) { ::DeleteDC(h); }
inline void CloseIcon(HICON h) { ::DestroyIcon(h); }
inline void CloseCursor(HCURSOR h) { ::DestroyCursor(h); }
inline void CloseMenu(HMENU h) { ::DestroyMenu(h); }
inline void CloseImageList(HIMAGELIST h) { ::ImageList_Destroy(h); }
inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void CloseActCtx(HANDLE h) { ::ReleaseActCtx(h); }
inline void CloseModule(HMODULE h) { ::FreeLibrary(h); }
}  // namespace detail

using UniqueWindow = UniqueHandle<HWND, NullIsInvalid<HWND, void (*)(HWND), &detail::DestroyWin>>;
using UniqueFont = UniqueHandle<HFONT, NullIsInvalid<HFONT, void (*)(HFONT), &detail::CloseFont>>;
using UniqueBrush = UniqueHandle<HBRUSH, NullIsInvalid<HBRUSH, void (*)(HBRUSH), &detail::CloseBrush>>;
using UniquePen = UniqueHandle<HPEN, NullIsInvalid<HPEN, void (*)(HPEN), &detail::ClosePen>>;
using UniqueBitmap = UniqueHandle<HBITMAP, NullIsInvalid<HBITMAP, void (*)(HBITMAP), &detail::CloseBitmap>>;
using UniqueDC = UniqueHandle<HDC, NullIsInvalid<HDC, void (*)(HDC), &detail::CloseDC>>;
using UniqueIcon = UniqueHandle<HICON, NullIsInvalid<HICON, void (*)(HICON), &detail::CloseIcon>>;
using UniqueCursor = UniqueHandle<HCURSOR, NullIsInvalid<HCURSOR, void (*)(HCURSOR), &detail::CloseCursor>>;
using UniqueMenu = UniqueHandle<HMENU, NullIsInvalid<HMENU, void (*)(HMENU), &detail::CloseMenu>>;
using UniqueImageList =
    UniqueHandle<HIMAGELIST, NullIsInvalid<HIMAGELIST, void (*)(HIMAGELIST), &detail::CloseImageList>>;
using UniqueModule = UniqueHandle<HMODULE, NullIsInvalid<HMODULE, void (*)(HMODULE), &detail::CloseModule>>;
using UniqueActCtx = UniqueHandle<HANDLE, NullIsInvalid<HANDLE, void (*)(HANDLE), &detail::CloseActCtx>>;

// An owned pop-up (a tooltip) dies with its owner window before the owner's
// WM_DESTROY: destroy it while it lives, else only forget the handle.
inline void DestroyOwnedWindow(UniqueWindow& window) {
    if (window && !::IsWindow(window.get())) window.release();
    window.reset();
}

// CreateFile answers INVALID_HANDLE_VALUE, not null, on failure.
struct FileHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
using UniqueFile = UniqueHandle<HANDLE, FileHandleTraits>;

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
