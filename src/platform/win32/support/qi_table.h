#pragma once
// QueryInterface from a table of the interfaces an object answers to, in the
// manner of QISearch. The first entry is the object's IUnknown identity.
#include <windows.h>
#include <unknwn.h>

#include <cstddef>

namespace kvex::win32 {

struct QiEntry {
    const IID* iid;
    std::ptrdiff_t offset;  // of the interface within the object
};

// The entry for Interface as a base of Object.
template <class Object, class Interface>
QiEntry QiEntryOf(const IID& iid) noexcept {
    // Any aligned non-null address does; the cast only adjusts it.
    Object* const probe = reinterpret_cast<Object*>(alignof(Object) * 16);
    return {&iid, reinterpret_cast<char*>(static_cast<Interface*>(probe)) - reinterpret_cast<char*>(probe)};
}

template <std::size_t N>
HRESULT QueryInterfaceTable(void* object, const QiEntry (&table)[N], REFIID riid, void** out) noexcept {
    static_assert(N > 0, "an object answers to at least one interface");
    if (!out) return E_POINTER;
    for (const QiEntry& entry : table) {
        if (::IsEqualIID(riid, *entry.iid) || (&entry == table && ::IsEqualIID(riid, IID_IUnknown))) {
            auto* found = reinterpret_cast<IUnknown*>(static_cast<char*>(object) + entry.offset);
            found->AddRef();
            *out = found;
            return S_OK;
        }
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

}  // namespace kvex::win32
