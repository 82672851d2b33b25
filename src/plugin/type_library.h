#pragma once
// The type library embedded as TYPELIB 1. It is read from the DLL's own
// resource, so dispatch works before (and without) registration.
#include <windows.h>
#include <oaidl.h>

#include "com_util.h"

namespace kvex::plugin {

HRESULT LoadOwnTypeLib(win32::com_ptr<ITypeLib>& typeLib) noexcept;

// Type info of a dual interface of the library, loaded once and kept.
HRESULT InterfaceTypeInfo(REFIID iid, win32::com_ptr<ITypeInfo>& typeInfo) noexcept;

// Drops the kept type infos; called when COM is about to unload the DLL.
void ReleaseTypeInfoCache() noexcept;

}  // namespace kvex::plugin
