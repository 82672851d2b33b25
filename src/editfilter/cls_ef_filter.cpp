#include "editfilter/cls_ef_filter.h"

#include <memory>

#include "editfilter/frm_ef.h"
#include "core/app_info.h"
#include "formkit/form_support.h"

namespace kvex {

namespace {
constexpr short kIconNamePart = 102;
constexpr short kIconExtension = 101;
}  // namespace

std::string ClsEFfilter::PlugNameVersion() { return kvex::PlugNameVersion(); }

std::function<bool(std::string&, bool)> ClsEFfilter::Launcher(ui::IPlatform& platform) {
    return [&platform](std::string& text, bool editPrefix) {
        return ClsEFfilter(platform).ShowEditFilterDialog(text, editPrefix ? kBoolTrue : kBoolFalse);
    };
}

bool ClsEFfilter::ShowEditFilterDialog(std::string& sFilterInAndOut, short bEditPrefix) {
    // The form refers to the view's controls, so it goes before the view does.
    std::unique_ptr<ui::IEditFilterView> view;
    std::unique_ptr<FrmEF> frm;
    view = platform_.CreateEditFilterView();
    if (view) {
        frm = std::make_unique<FrmEF>(*view, platform_.Services());
        view->SetHandlers(frm.get());
    }
    SetAppPath(platform_);
    if (!frm) return false;
    frm->SetFilterInAndOut(sFilterInAndOut);
    frm->SetIconIndex(bEditPrefix == kBoolTrue ? kIconNamePart : kIconExtension);
    view->Controls().window->ShowModal();
    // The form object outlives its window: read what OK or Cancel left in it.
    if (frm->SelectionMade() != kBoolTrue) return false;
    sFilterInAndOut = frm->FilterInAndOut();
    return true;
}

}  // namespace kvex
