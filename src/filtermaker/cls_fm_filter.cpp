#include "filtermaker/cls_fm_filter.h"

#include <memory>
#include <utility>

#include "filtermaker/frm_fm.h"
#include "core/app_info.h"
#include "core/app_state.h"
#include "formkit/form_support.h"

namespace kvex {

namespace {

// Filter Maker calls running on this thread, the current one included.
thread_local int tOpenCalls = 0;

// A host may call again while its dialog is open (its timer runs in the
// modal loop). The inner call sets the thread's state for itself; when it
// returns, the outer dialog, still open, gets its own state back, so its OK
// writes where it was asked to.
class NestedCallScope {
public:
    NestedCallScope() : nested_(tOpenCalls > 0) {
        if (nested_) outerState_ = ThreadState();
        ++tOpenCalls;
    }
    NestedCallScope(const NestedCallScope&) = delete;
    NestedCallScope& operator=(const NestedCallScope&) = delete;
    ~NestedCallScope() {
        --tOpenCalls;
        if (nested_) ThreadState() = std::move(outerState_);
    }

private:
    bool nested_;
    SharedState outerState_;
};

}  // namespace

std::string ClsFMfilter::PlugNameVersion() { return kvex::PlugNameVersion(); }

bool ClsFMfilter::ShowFilterMakerDialog(const std::string& sDefaultFilter, const std::string& sFilterFolder,
                                        const std::string& sFilterInLike,
                                        const std::string& sOpenThisFilterFile) {
    NestedCallScope scope;
    // The form refers to the view's controls, so it goes before the view does.
    std::unique_ptr<ui::IFilterMakerView> view;
    std::unique_ptr<FrmFM> frm;
    SharedState& state = ThreadState();
    view = platform_.CreateFilterMakerView();
    if (view) {
        frm = std::make_unique<FrmFM>(*view, platform_.Services(), editFilter_);
        view->SetHandlers(frm.get());
    }
    SetAppPath(platform_);
    state.gsDefaultFilter = sDefaultFilter.empty() ? std::string(kDefaultFilter) : sDefaultFilter;
    // A host folder is used as given: not checked, not created.
    if (!sFilterFolder.empty()) {
        state.gsFilterFolder = sFilterFolder;
    } else {
        state.gsFilterFolder = JoinPath(state.gsAppPath, kFilterFolderName);
        ui::IFileSystem& files = platform_.Services().Files();
        if (!files.PathExists(state.gsFilterFolder)) files.CreateFolder(state.gsFilterFolder);
    }
    if (!frm) return true;
    // The load reads both properties, and writing FilterFile loads the form,
    // so the incoming filter has to be in place first.
    if (!sFilterInLike.empty()) frm->SetEFISEditFilterIn(sFilterInLike);
    if (!sOpenThisFilterFile.empty()) frm->SetFilterFile(sOpenThisFilterFile);
    view->Controls().window->ShowModal();
    return true;
}

}  // namespace kvex
