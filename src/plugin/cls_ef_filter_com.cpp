// clsEFfilter: the COM face of the Edit Filter dialog.
#include "classes.h"
#include "com_util.h"
#include "dispatch.h"
#include "editfilter/cls_ef_filter.h"
#include "kvexfilt_h.h"
#include "module.h"
#include "platform/win32/win32_platform.h"

namespace kvex::plugin {
namespace {

class ClsEFfilterObject final : public DispatchObject<_clsEFfilter> {
public:
    HRESULT STDMETHODCALLTYPE PlugNameVersion(BSTR* result) override {
        return Guarded([&] {
            if (!result) return E_POINTER;
            *result = win32::Utf8ToBstr(ClsEFfilter::PlugNameVersion()).release();
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE ShowEditFilterDialog(BSTR* sFilterInAndOut, VARIANT_BOOL bEditPrefix,
                                                   VARIANT_BOOL* result) override {
        return Guarded([&] {
            if (!sFilterInAndOut || !result) return E_POINTER;
            const auto alive = KeepAlive();
            *result = VARIANT_FALSE;
            std::string text = win32::BstrToUtf8(*sFilterInAndOut);
            ClsEFfilter editFilter(win32::ThreadPlatform(ModuleHandle()));
            if (!editFilter.ShowEditFilterDialog(text, bEditPrefix)) return S_OK;
            // Converted before the caller's string is touched, so a failure
            // leaves it as it came in.
            win32::unique_bstr edited = win32::Utf8ToBstr(text);
            SysFreeString(*sFilterInAndOut);
            *sFilterInAndOut = edited.release();
            *result = VARIANT_TRUE;
            return S_OK;
        });
    }
};

}  // namespace

HRESULT CreateClsEFfilter(REFIID riid, void** object) noexcept {
    return CreateInstance<ClsEFfilterObject>(riid, object);
}

}  // namespace kvex::plugin
