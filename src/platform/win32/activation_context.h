#pragma once
// Common controls 6 inside a DLL: Windows gives the host's controls version to
// a DLL's windows unless the DLL activates a context built from its own
// manifest (resource RT_MANIFEST 2) around them.
#include <windows.h>

namespace kvex::win32 {

// Activates the module's activation context for one scope. The context is
// made once per module; without a manifest resource the scope does nothing.
class ActivationScope {
public:
    explicit ActivationScope(HINSTANCE module);
    ActivationScope(const ActivationScope&) = delete;
    ActivationScope& operator=(const ActivationScope&) = delete;
    ~ActivationScope();

    bool Active() const { return active_; }

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

// True when the module carries a manifest that gave it a context.
bool HasModuleActivationContext(HINSTANCE module);

}  // namespace kvex::win32
