#include "platform/win32/activation_context.h"

#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/services.h"

namespace kvex::win32 {
namespace {

UniqueActCtx CreateModuleContext(HINSTANCE module) {
    // Without the resource CreateActCtx would fail anyway; asking first keeps
    // the test executable, which has none, off that path quietly.
    if (!::FindResourceA(module, MAKEINTRESOURCEA(2) /* ISOLATIONAWARE_MANIFEST_RESOURCE_ID */,
                         MAKEINTRESOURCEA(24) /* RT_MANIFEST */))
        return {};
    std::string source = ModuleFileName(module);
    ACTCTXA request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = source.empty() ? nullptr : source.c_str();
    request.hModule = module;
    request.lpResourceName = MAKEINTRESOURCEA(2) /* ISOLATIONAWARE_MANIFEST_RESOURCE_ID */;
    HANDLE context = ::CreateActCtxA(&request);
    if (context == INVALID_HANDLE_VALUE) return {};
    return UniqueActCtx(context);
}

// One context for the life of the module; the component is loaded once, so
// the first module asked for is the only one.
HANDLE ModuleContext(HINSTANCE module) {
    static const UniqueActCtx context = CreateModuleContext(module);
    return context.get();
}

}  // namespace

ActivationScope::ActivationScope(HINSTANCE module) {
    HANDLE context = ModuleContext(module);
    if (context && ::ActivateActCtx(context, &cookie_)) active_ = true;
}

ActivationScope::~ActivationScope() {
    if (active_) ::DeactivateActCtx(0, cookie_);
}

bool HasModuleActivationContext(HINSTANCE module) { return ModuleContext(module) != nullptr; }

}  // namespace kvex::win32
