#pragma once
// Window classes of the component, registered once per module.
#include <windows.h>

namespace kvex::win32 {

// Registers the class unless the module already has it with this procedure.
// A class left behind by an earlier load of the module at the same address
// but with another procedure is replaced.
bool EnsureWindowClass(const WNDCLASSEXA& wanted);

}  // namespace kvex::win32
