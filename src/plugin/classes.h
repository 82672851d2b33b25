#pragma once
// The creatable classes of the server, for the class factory lookup. Their
// registry rows live in com_table.h.
#include <windows.h>

#include "class_factory.h"

namespace kvex::plugin {

struct PublicClass {
    const CLSID& clsid;
    CreateFunction create;
};

HRESULT CreateClsFMfilter(REFIID riid, void** object) noexcept;
HRESULT CreateClsEFfilter(REFIID riid, void** object) noexcept;

const PublicClass* FindPublicClass(REFCLSID clsid) noexcept;

}  // namespace kvex::plugin
