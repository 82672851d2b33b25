#include "classes.h"

#include <iterator>

#include "kvexfilt_h.h"

namespace kvex::plugin {
namespace {

const PublicClass kPublicClasses[] = {
    {CLSID_clsFMfilter, L"kvexfilt.clsFMfilter", &CreateClsFMfilter},
    {CLSID_clsEFfilter, L"kvexfilt.clsEFfilter", &CreateClsEFfilter},
};

}  // namespace

PublicClassRange PublicClasses() noexcept { return {std::begin(kPublicClasses), std::end(kPublicClasses)}; }

const PublicClass* FindPublicClass(REFCLSID clsid) noexcept {
    for (const PublicClass& entry : kPublicClasses) {
        if (IsEqualCLSID(entry.clsid, clsid)) return &entry;
    }
    return nullptr;
}

}  // namespace kvex::plugin
