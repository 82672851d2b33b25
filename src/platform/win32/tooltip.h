#pragma once
// Tooltips over a form's child windows.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace kvex::win32 {

// A tooltip control owned by the form; it goes when the form goes.
unique_hwnd CreateTooltip(HWND form);
// Shows text over the control while the mouse rests on it.
void AddTool(HWND tooltip, HWND control, const std::string& text);
void SetToolText(HWND tooltip, HWND control, const std::string& text);
// A bold title with the error icon above the text; empty removes it.
void SetTooltipErrorTitle(HWND tooltip, const std::string& title);

}  // namespace kvex::win32
