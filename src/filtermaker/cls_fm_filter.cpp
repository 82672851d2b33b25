#include "filtermaker/cls_fm_filter.h"

#include <memory>

#include "filtermaker/frm_fm.h"
#include "shared/app_info.h"
#include "shared/app_state.h"
#include "shared/form_support.h"

namespace kvex {

std::string ClsFMfilter::PlugNameVersion() { return kvex::PlugNameVersion(); }

bool ClsFMfilter::ShowFilterMakerDialog(const std::string& sDefaultFilter, const std::string& sFilterFolder,
                                        const std::string& sFilterInLike,
                                        const std::string& sOpenThisFilterFile) {
    // The form refers to the view's controls, so it goes before the view does.
    std::unique_ptr<ui::IFilterMakerView> view;
    std::unique_ptr<FrmFM> frm;
    SharedState& state = ThreadState();
    RunSteps(
        [&] {
            view = platform_.CreateFilterMakerView();
            if (!view) return;
            frm = std::make_unique<FrmFM>(*view, platform_.Services());
            view->SetHandlers(frm.get());
        },
        [&] { SetAppPath(platform_); },
        [&] { state.gsDefaultFilter = sDefaultFilter.empty() ? std::string(kDefaultFilter) : sDefaultFilter; },
        [&] {
            // A host folder is used as given: not checked, not created.
            if (!sFilterFolder.empty()) {
                state.gsFilterFolder = sFilterFolder;
                return;
            }
            state.gsFilterFolder = JoinPath(state.gsAppPath, kFilterFolderName);
            ui::IFileSystem& files = platform_.Services().Files();
            if (!files.PathExists(state.gsFilterFolder)) files.CreateFolder(state.gsFilterFolder);
        },
        // The load reads both properties, and writing FilterFile loads the
        // form, so the incoming filter has to be in place first.
        [&] { if (frm && !sFilterInLike.empty()) frm->SetEFISEditFilterIn(sFilterInLike); },
        [&] { if (frm && !sOpenThisFilterFile.empty()) frm->SetFilterFile(sOpenThisFilterFile); },
        [&] { if (frm) view->Controls().window->ShowModal(); });
    return true;
}

}  // namespace kvex
