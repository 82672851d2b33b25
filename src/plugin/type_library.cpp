#include "type_library.h"

#include <array>

#include "module.h"

namespace kvex::plugin {
namespace {

struct CachedTypeInfo {
    IID iid;
    ITypeInfo* typeInfo;
};

// Hosts may create the classes from several apartments at once.
SRWLOCK g_cacheLock = SRWLOCK_INIT;
// The library has two interfaces; a few spare slots cost nothing.
std::array<CachedTypeInfo, 4> g_cache{};
size_t g_cached = 0;

class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) noexcept : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }

private:
    SRWLOCK& lock_;
};

}  // namespace

HRESULT LoadOwnTypeLib(win32::com_ptr<ITypeLib>& typeLib) noexcept {
    return com::GuardedCall([&] {
        const std::wstring path = ModulePath();
        return LoadTypeLibEx(path.c_str(), REGKIND_NONE, typeLib.put());
    });
}

HRESULT InterfaceTypeInfo(REFIID iid, win32::com_ptr<ITypeInfo>& typeInfo) noexcept {
    const ExclusiveLock guard(g_cacheLock);
    HRESULT hr = S_OK;
    ITypeInfo* found = nullptr;
    for (size_t i = 0; i < g_cached; ++i) {
        if (IsEqualIID(g_cache[i].iid, iid)) found = g_cache[i].typeInfo;
    }
    if (!found) {
        win32::com_ptr<ITypeLib> typeLib;
        hr = LoadOwnTypeLib(typeLib);
        win32::com_ptr<ITypeInfo> loaded;
        if (SUCCEEDED(hr)) hr = typeLib->GetTypeInfoOfGuid(iid, loaded.put());
        if (SUCCEEDED(hr) && g_cached == g_cache.size()) hr = E_UNEXPECTED;
        if (SUCCEEDED(hr)) {
            found = loaded.detach();
            g_cache[g_cached++] = {iid, found};
        }
    }
    typeInfo = win32::com_ptr<ITypeInfo>::copy_from(found);
    return hr;
}

void ReleaseTypeInfoCache() noexcept {
    const ExclusiveLock guard(g_cacheLock);
    for (size_t i = 0; i < g_cached; ++i) g_cache[i].typeInfo->Release();
    g_cached = 0;
}

}  // namespace kvex::plugin
