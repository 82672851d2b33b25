// clsFMfilter: the COM face of the Filter Maker.
#include "classes.h"
#include "editfilter/cls_ef_filter.h"
#include "filtermaker/cls_fm_filter.h"
#include "kvexfilt_h.h"
#include "module.h"
#include "platform/win32/win32_platform.h"
#include "public_object.h"

namespace kvex::plugin {
namespace {

class ClsFMfilterObject final : public PublicObject<_clsFMfilter, ClsFMfilter> {
public:
    HRESULT STDMETHODCALLTYPE ShowFilterMakerDialog(BSTR sDefaultFilter, BSTR sFilterFolder, BSTR sFilterInLike,
                                                    BSTR sOpenThisFilterFile, VARIANT_BOOL* result) override {
        return RunDialog(result, [&] {
            ui::IPlatform& platform = win32::ThreadPlatform(ModuleHandle());
            // The pictures open the real Edit Filter dialog, modal to this one.
            ClsFMfilter filterMaker(platform, ClsEFfilter::Launcher(platform));
            filterMaker.ShowFilterMakerDialog(win32::BstrToUtf8(sDefaultFilter), win32::BstrToUtf8(sFilterFolder),
                                              win32::BstrToUtf8(sFilterInLike),
                                              win32::BstrToUtf8(sOpenThisFilterFile));
            // The host reads what the user kept from the filter file; the
            // answer is True whether the user pressed OK or Cancel.
            *result = VARIANT_TRUE;
            return S_OK;
        });
    }
};

}  // namespace

HRESULT CreateClsFMfilter(REFIID riid, void** object) noexcept {
    return CreateInstance<ClsFMfilterObject>(riid, object);
}

}  // namespace kvex::plugin
