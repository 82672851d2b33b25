#pragma once
// What a screen reader hears for a control whose caption cannot say it (a
// symbol, a token, no caption at all): the control answers WM_GETOBJECT with
// the system's own accessible object for it, the spoken name in place of the
// caption.
#include <windows.h>

#include "ui/form_design.h"

namespace kvex::win32 {

// From now until the control is destroyed, screen readers hear row.spoken for
// it; row lives as long as the module (a design table's row).
void ServeSpokenName(HWND control, const ui::design::Control& row);

}  // namespace kvex::win32
