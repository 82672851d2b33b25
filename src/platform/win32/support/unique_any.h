#pragma once
// Owners for the Windows handles and COM values the component, its host and
// its tests hold, after WIL's unique_any: each frees its value exactly once.
#include <windows.h>
#include <commctrl.h>
#include <oleauto.h>

#include <utility>

namespace kvex::win32 {

// Owns one T, freed by Close; Invalid (as an integer, so INVALID_HANDLE_VALUE
// fits) and null both mean "nothing held".
template <typename T, auto Close, INT_PTR Invalid = 0>
class unique_any {
public:
    unique_any() noexcept = default;
    explicit unique_any(T value) noexcept : value_(value) {}
    unique_any(const unique_any&) = delete;
    unique_any& operator=(const unique_any&) = delete;
    unique_any(unique_any&& other) noexcept : value_(other.release()) {}
    unique_any& operator=(unique_any&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~unique_any() { reset(); }

    static T invalid() noexcept { return reinterpret_cast<T>(Invalid); }
    bool is_valid() const noexcept { return value_ != invalid() && value_ != nullptr; }
    explicit operator bool() const noexcept { return is_valid(); }
    T get() const noexcept { return value_; }
    T release() noexcept { return std::exchange(value_, invalid()); }
    void reset(T value = invalid()) noexcept {
        if (value == value_) return;
        if (is_valid()) Close(value_);
        value_ = value;
    }
    // For an [out] parameter: frees what is held first.
    T* put() noexcept {
        reset();
        return &value_;
    }
    // For an [in,out] parameter: the callee may free and replace the value.
    T* addressof() noexcept { return &value_; }

private:
    T value_ = invalid();
};

using unique_hwnd = unique_any<HWND, ::DestroyWindow>;
using unique_hfont = unique_any<HFONT, ::DeleteObject>;
using unique_hbrush = unique_any<HBRUSH, ::DeleteObject>;
using unique_hpen = unique_any<HPEN, ::DeleteObject>;
using unique_hbitmap = unique_any<HBITMAP, ::DeleteObject>;
using unique_hdc = unique_any<HDC, ::DeleteDC>;
using unique_hicon = unique_any<HICON, ::DestroyIcon>;
using unique_hcursor = unique_any<HCURSOR, ::DestroyCursor>;
using unique_hmenu = unique_any<HMENU, ::DestroyMenu>;
using unique_himagelist = unique_any<HIMAGELIST, ::ImageList_Destroy>;
using unique_hmodule = unique_any<HMODULE, ::FreeLibrary>;
using unique_actctx = unique_any<HANDLE, ::ReleaseActCtx>;
using unique_handle = unique_any<HANDLE, ::CloseHandle>;
// CreateFile answers INVALID_HANDLE_VALUE, not null, on failure.
using unique_hfile = unique_any<HANDLE, ::CloseHandle, -1>;
using unique_hkey = unique_any<HKEY, ::RegCloseKey>;
using unique_bstr = unique_any<BSTR, ::SysFreeString>;

// Owns one reference to a COM interface.
template <class T>
class com_ptr {
public:
    com_ptr() noexcept = default;
    // Adopts a reference the caller already holds.
    explicit com_ptr(T* adopted) noexcept : p_(adopted) {}
    com_ptr(const com_ptr& other) noexcept : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    com_ptr(com_ptr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    com_ptr& operator=(com_ptr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~com_ptr() { reset(); }

    static com_ptr copy_from(T* p) noexcept {
        if (p) p->AddRef();
        return com_ptr(p);
    }

    void reset() noexcept {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
    T* detach() noexcept { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};

class unique_variant {
public:
    unique_variant() noexcept { ::VariantInit(&v_); }
    unique_variant(const unique_variant&) = delete;
    unique_variant& operator=(const unique_variant&) = delete;
    ~unique_variant() { ::VariantClear(&v_); }

    VARIANT* get() noexcept { return &v_; }
    const VARIANT* get() const noexcept { return &v_; }
    VARIANT* reset() noexcept {
        ::VariantClear(&v_);
        return &v_;
    }
    // Hands the value over; this one is left empty.
    VARIANT release() noexcept {
        VARIANT out = v_;
        ::VariantInit(&v_);
        return out;
    }

private:
    VARIANT v_;
};

// The calling thread in a COM apartment for the life of a scope.
class com_apartment {
public:
    explicit com_apartment(DWORD model = COINIT_APARTMENTTHREADED) noexcept : hr_(::CoInitializeEx(nullptr, model)) {}
    com_apartment(const com_apartment&) = delete;
    com_apartment& operator=(const com_apartment&) = delete;
    ~com_apartment() {
        if (SUCCEEDED(hr_)) ::CoUninitialize();
    }
    HRESULT status() const noexcept { return hr_; }

private:
    HRESULT hr_;
};

}  // namespace kvex::win32
