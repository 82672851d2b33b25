#include "module.h"

#include <stdexcept>

namespace kvex::plugin {
namespace {

HINSTANCE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;

}  // namespace

void SetModuleHandle(HINSTANCE module) noexcept { g_module = module; }

HINSTANCE ModuleHandle() noexcept { return g_module; }

std::wstring ModulePath() {
    // Paths may exceed MAX_PATH; grow until the whole path fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) throw std::runtime_error("module path unavailable");
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ObjectCreated() noexcept { InterlockedIncrement(&g_objects); }

void ObjectDestroyed() noexcept { InterlockedDecrement(&g_objects); }

void LockModule(bool lock) noexcept {
    if (lock)
        InterlockedIncrement(&g_locks);
    else
        InterlockedDecrement(&g_locks);
}

bool CanUnload() noexcept {
    return InterlockedCompareExchange(&g_objects, 0, 0) == 0 &&
           InterlockedCompareExchange(&g_locks, 0, 0) == 0;
}

}  // namespace kvex::plugin
