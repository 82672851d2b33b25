#pragma once
// The public classes of the server, in one table that the class factory
// lookup and the registration both read.
#include <windows.h>

#include "class_factory.h"

namespace kvex::plugin {

struct PublicClass {
    const CLSID& clsid;
    const wchar_t* progId;  // also the class key's description
    CreateFunction create;
};

HRESULT CreateClsFMfilter(REFIID riid, void** object) noexcept;
HRESULT CreateClsEFfilter(REFIID riid, void** object) noexcept;

struct PublicClassRange {
    const PublicClass* first;
    const PublicClass* last;
    const PublicClass* begin() const noexcept { return first; }
    const PublicClass* end() const noexcept { return last; }
};

PublicClassRange PublicClasses() noexcept;
const PublicClass* FindPublicClass(REFCLSID clsid) noexcept;

}  // namespace kvex::plugin
