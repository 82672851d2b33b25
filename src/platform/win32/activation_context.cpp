#include "platform/win32/activation_context.h"

#include <string>

#include "module_path.h"
#include "unique_any.h"

namespace kvex::win32 {
namespace {

unique_actctx CreateModuleContext(HINSTANCE module) {
    // Without the resource CreateActCtx would fail anyway; asking first keeps
    // the test executable, which has none, off that path quietly.
    if (!::FindResourceA(module, MAKEINTRESOURCEA(2) /* ISOLATIONAWARE_MANIFEST_RESOURCE_ID */,
                         MAKEINTRESOURCEA(24) /* RT_MANIFEST */))
        return {};
    // Wide, so a folder the ANSI code page lacks still finds its manifest.
    const std::wstring source = ModulePath(module);
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = source.empty() ? nullptr : source.c_str();
    request.hModule = module;
    request.lpResourceName = MAKEINTRESOURCEW(2) /* ISOLATIONAWARE_MANIFEST_RESOURCE_ID */;
    HANDLE context = ::CreateActCtxW(&request);
    if (context == INVALID_HANDLE_VALUE) return {};
    return unique_actctx(context);
}

// One context for the life of the module; the component is loaded once, so
// the first module asked for is the only one.
HANDLE ModuleContext(HINSTANCE module) {
    static const unique_actctx context = CreateModuleContext(module);
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
