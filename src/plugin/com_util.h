#pragma once
// The guard that keeps exceptions inside the server, and the support
// library's owners and conversions its COM code uses.
#include <windows.h>

#include <new>

#include "diagnostics.h"
#include "unique_any.h"
#include "wide_text.h"

namespace kvex::com {

// Runs body, whose result is the HRESULT; no exception gets past a COM
// method or an export.
template <class Body>
HRESULT GuardedCall(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        win32::ReportSwallowed("a call ran out of memory");
        return E_OUTOFMEMORY;
    } catch (...) {
        win32::ReportSwallowed("a call failed");
        return E_UNEXPECTED;
    }
}

}  // namespace kvex::com
