#pragma once
// Why a call failed, in words: every failure the server returns also sets
// the thread's error info, so VB, VBA, .NET and late-bound callers can show
// more than a bare HRESULT.
#include <windows.h>

namespace kvex::plugin {

// The text a caller sees for hr; one for each failure the server answers.
const wchar_t* ErrorText(HRESULT hr) noexcept;

// Sets the calling thread's error info for a failed hr (interface iid) and
// returns hr unchanged; a success is returned as it is.
HRESULT ReportError(HRESULT hr, REFIID iid) noexcept;

}  // namespace kvex::plugin
