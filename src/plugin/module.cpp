#include "module.h"

#include <stdexcept>

#include "module_path.h"

namespace kvex::plugin {
namespace {

HINSTANCE g_module = nullptr;
LONG g_objects = 0;
LONG g_locks = 0;

}  // namespace

void SetModuleHandle(HINSTANCE module) noexcept { g_module = module; }

HINSTANCE ModuleHandle() noexcept { return g_module; }

std::wstring ModulePath() {
    std::wstring path = win32::ModulePath(g_module);
    if (path.empty()) throw std::runtime_error("module path unavailable");
    return path;
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
