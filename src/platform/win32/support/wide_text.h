#pragma once
// The one conversion between the component's UTF-8 text and the UTF-16 of
// the wide Win32 API and of BSTRs.
#include <windows.h>
#include <oleauto.h>

#include <new>
#include <string>
#include <string_view>

#include "unique_any.h"

namespace kvex::win32 {

inline std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

inline std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

// A NULL BSTR is the empty string, as Automation has it. Embedded NULs are
// kept: the length comes from the BSTR, not from a terminator.
inline std::wstring_view BstrView(BSTR text) noexcept { return std::wstring_view(text, ::SysStringLen(text)); }

inline std::string BstrToUtf8(BSTR text) { return WideToUtf8(BstrView(text)); }

inline unique_bstr MakeBstr(std::wstring_view text) {
    unique_bstr out(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
    if (!out) throw std::bad_alloc();
    return out;
}

inline unique_bstr Utf8ToBstr(std::string_view text) { return MakeBstr(Utf8ToWide(text)); }

}  // namespace kvex::win32
