#pragma once
// Self-registration: the classes, their ProgIDs and the type library, for the
// machine (HKCR) or for the current user (HKCU\Software\Classes).
#include <windows.h>

namespace kvex::plugin {

enum class RegistrationScope { Machine, User };

// Writing twice is harmless; a failed write removes what it had written.
HRESULT RegisterServer(RegistrationScope scope) noexcept;
// Removes every key RegisterServer writes; keys already gone are no error.
HRESULT UnregisterServer(RegistrationScope scope) noexcept;

}  // namespace kvex::plugin
