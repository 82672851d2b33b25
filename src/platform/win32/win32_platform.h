#pragma once
// The Win32 implementation of the forms' platform: real windows and controls,
// message boxes, files, the common file dialogs and position.ini keeping.
#include <windows.h>

#include <memory>

#include "ui/views.h"

namespace kvex::win32 {

// The platform for this host thread; module is the component's own DLL.
ui::IPlatform& ThreadPlatform(HINSTANCE module);

}  // namespace kvex::win32
