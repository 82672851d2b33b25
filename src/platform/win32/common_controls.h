#pragma once
// Registering the common-control window classes.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace kvex::win32 {

using InitCommonControlsExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using InitCommonControlsFn = void(WINAPI*)();

// InitCommonControlsEx with a record of size 8 and the flags; when that entry
// point is missing (initEx null) or answers FALSE, InitCommonControls instead.
void InitCommonCtrlsWith(InitCommonControlsExFn initEx, InitCommonControlsFn init, std::uint32_t flags);

// The same with comctl32's own entry points, looked up at run time because
// old versions of the library lack InitCommonControlsEx.
void InitCommonCtrls(std::uint32_t flags);

}  // namespace kvex::win32
