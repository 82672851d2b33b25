#pragma once
// Beeps cannot be heard under Xvfb, and Wine gives no trace of them, so the
// tests count the component's own: its imports of MessageBeep (user32) and
// Beep (kernel32) are redirected to counting stand-ins that still call the
// real functions.
#include <windows.h>

namespace kvex::testing {

// Patches the module's import table once; true when MessageBeep or Beep is
// imported (a module that imports neither cannot beep through the system).
bool InstallBeepCounter(HMODULE component);

// Whether a module's beeps are being counted.
bool BeepCounterInstalled();

// Beeps so far, from any thread of the process.
long BeepCount();

}  // namespace kvex::testing
