#pragma once
// One class factory for every public class; what it creates is a function.
#include <windows.h>
#include <unknwn.h>

namespace kvex::plugin {

using CreateFunction = HRESULT (*)(REFIID riid, void** object) noexcept;

HRESULT CreateClassFactory(CreateFunction create, REFIID riid, void** object) noexcept;

}  // namespace kvex::plugin
