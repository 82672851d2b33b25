#pragma once
// What both public classes share on top of IDispatch: the version member and
// the frame of a member that runs a dialog.
#include "com_util.h"
#include "dispatch.h"

namespace kvex::plugin {

// Interface: the class's dual interface; Class: the class behind it.
template <class Interface, class Class>
class PublicObject : public DispatchObject<Interface> {
    using Base = DispatchObject<Interface>;

public:
    HRESULT STDMETHODCALLTYPE PlugNameVersion(BSTR* result) override {
        return Base::Guarded([&] {
            if (!result) return E_POINTER;
            *result = win32::Utf8ToBstr(Class::PlugNameVersion()).release();
            return S_OK;
        });
    }

protected:
    // The answer is False until run says otherwise, and the object outlives
    // the dialog whatever the host releases meanwhile.
    template <class Run>
    HRESULT RunDialog(VARIANT_BOOL* result, Run&& run) noexcept {
        return Base::Guarded([&] {
            if (!result) return E_POINTER;
            const auto alive = this->KeepAlive();
            *result = VARIANT_FALSE;
            return run();
        });
    }
};

}  // namespace kvex::plugin
