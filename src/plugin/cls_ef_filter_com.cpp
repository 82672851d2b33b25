// clsEFfilter: the COM face of the Edit Filter dialog.
#include "classes.h"
#include "editfilter/cls_ef_filter.h"
#include "kvexfilt_h.h"
#include "module.h"
#include "platform/win32/win32_platform.h"
#include "public_object.h"

namespace kvex::plugin {
namespace {

class ClsEFfilterObject final : public PublicObject<_clsEFfilter, ClsEFfilter> {
public:
    HRESULT STDMETHODCALLTYPE ShowEditFilterDialog(BSTR* sFilterInAndOut, VARIANT_BOOL bEditPrefix,
                                                   VARIANT_BOOL* result) override {
        if (!sFilterInAndOut) return Reported(E_POINTER);
        return RunDialog(result, [&] {
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
