#include "classes.h"

#include "kvexfilt_h.h"

namespace kvex::plugin {
namespace {

const PublicClass kPublicClasses[] = {
    {CLSID_clsFMfilter, &CreateClsFMfilter},
    {CLSID_clsEFfilter, &CreateClsEFfilter},
};

}  // namespace

const PublicClass* FindPublicClass(REFCLSID clsid) noexcept {
    for (const PublicClass& entry : kPublicClasses) {
        if (IsEqualCLSID(entry.clsid, clsid)) return &entry;
    }
    return nullptr;
}

}  // namespace kvex::plugin
