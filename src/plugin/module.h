#pragma once
// What the server knows about itself: its module handle and path, and the
// counts that decide whether COM may unload it.
#include <windows.h>

#include <string>

namespace kvex::plugin {

void SetModuleHandle(HINSTANCE module) noexcept;
HINSTANCE ModuleHandle() noexcept;
// Full path of this DLL (not of the host).
std::wstring ModulePath();

// Every object handed out (class objects included) counts while alive.
void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
// IClassFactory::LockServer.
void LockModule(bool lock) noexcept;
// True exactly when no object and no lock is alive.
bool CanUnload() noexcept;

}  // namespace kvex::plugin
