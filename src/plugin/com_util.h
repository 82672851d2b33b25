#pragma once
// Owners for the few Windows handles and COM values the server touches, the
// BSTR <-> UTF-8 conversions, and the guard that keeps exceptions inside.
// Shared by the DLL and the demo host.
#include <windows.h>
#include <oleauto.h>

#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/win32/text.h"

namespace kvex::com {

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

class unique_bstr {
public:
    unique_bstr() noexcept = default;
    explicit unique_bstr(BSTR adopted) noexcept : b_(adopted) {}
    unique_bstr(unique_bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
    unique_bstr& operator=(unique_bstr&& other) noexcept {
        if (this != &other) reset(std::exchange(other.b_, nullptr));
        return *this;
    }
    unique_bstr(const unique_bstr&) = delete;
    unique_bstr& operator=(const unique_bstr&) = delete;
    ~unique_bstr() { reset(); }

    void reset(BSTR b = nullptr) noexcept { SysFreeString(std::exchange(b_, b)); }
    BSTR get() const noexcept { return b_; }
    BSTR* put() noexcept {
        reset();
        return &b_;
    }
    BSTR release() noexcept { return std::exchange(b_, nullptr); }

private:
    BSTR b_ = nullptr;
};

class unique_variant {
public:
    unique_variant() noexcept { VariantInit(&v_); }
    unique_variant(const unique_variant&) = delete;
    unique_variant& operator=(const unique_variant&) = delete;
    ~unique_variant() { VariantClear(&v_); }

    VARIANT* get() noexcept { return &v_; }
    const VARIANT* get() const noexcept { return &v_; }
    VARIANT* reset() noexcept {
        VariantClear(&v_);
        return &v_;
    }
    // Hands the value over; this one is left empty.
    VARIANT release() noexcept {
        VARIANT out = v_;
        VariantInit(&v_);
        return out;
    }

private:
    VARIANT v_;
};

class unique_hkey {
public:
    unique_hkey() noexcept = default;
    explicit unique_hkey(HKEY adopted) noexcept : h_(adopted) {}
    unique_hkey(unique_hkey&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    unique_hkey& operator=(unique_hkey&& other) noexcept {
        if (this != &other) {
            reset();
            h_ = std::exchange(other.h_, nullptr);
        }
        return *this;
    }
    unique_hkey(const unique_hkey&) = delete;
    unique_hkey& operator=(const unique_hkey&) = delete;
    ~unique_hkey() { reset(); }

    void reset() noexcept {
        if (HKEY h = std::exchange(h_, nullptr)) RegCloseKey(h);
    }
    HKEY get() const noexcept { return h_; }
    HKEY* put() noexcept {
        reset();
        return &h_;
    }

private:
    HKEY h_ = nullptr;
};

// A NULL BSTR is the empty string, as Automation has it. Embedded NULs are
// kept: the length comes from the BSTR, not from a terminator.
inline std::string BstrToUtf8(BSTR text) { return win32::WideToUtf8(std::wstring_view(text, SysStringLen(text))); }

inline unique_bstr Utf8ToBstr(const std::string& text) {
    const std::wstring wide = win32::Utf8ToWide(text);
    unique_bstr out(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
    if (!out.get()) throw std::bad_alloc();
    return out;
}

// Runs body, whose result is the HRESULT; no exception gets past a COM
// method or an export.
template <class Body>
HRESULT GuardedCall(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace kvex::com
