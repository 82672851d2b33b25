#pragma once
// The one channel for failures the component swallows on purpose (a failing
// event handler, a callback that must not let an exception through): a line
// through OutputDebugStringW, which a debugger shows as it runs and Wine
// shows with WINEDEBUG=+debugstr. Nothing runs unless something failed.
#include <windows.h>

#include <exception>
#include <string>

#include "wide_text.h"

namespace kvex::win32 {

inline constexpr wchar_t kDiagnosticPrefix[] = L"kvexfilt: ";

// Call from inside a catch block: names the exception being handled.
inline void ReportSwallowed(const char* where) noexcept {
    try {
        std::string what = "an exception of an unknown type";
        try {
            throw;
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
        const std::wstring line = kDiagnosticPrefix + Utf8ToWide(std::string(where) + ": " + what) + L"\n";
        ::OutputDebugStringW(line.c_str());
    } catch (...) {
        ::OutputDebugStringW(L"kvexfilt: a failure, and no memory to describe it\n");
    }
}

}  // namespace kvex::win32
