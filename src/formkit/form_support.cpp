#include "formkit/form_support.h"

#include "core/app_state.h"

namespace kvex {

std::string PositionFilePath() { return JoinPath(ThreadState().gsAppPath, kPositionFileName); }

void SetAppPath(ui::IPlatform& platform) {
    const std::string folder = platform.ComponentFolder();
    if (folder.empty()) return;
    std::string appPath = FolderWithoutTrailingBackslash(folder);
    // Installed under Program Files, the folder is not the user's to write:
    // position.ini and the Filters folder then go to the user's own folder.
    if (!platform.Services().Files().CanCreateFileIn(appPath)) {
        std::string perUser = platform.PerUserFolder();
        if (!perUser.empty()) appPath = FolderWithoutTrailingBackslash(perUser);
    }
    ThreadState().gsAppPath = std::move(appPath);
}

std::unique_ptr<ui::IFormLayout> OpenFormLayout(ui::IFormServices& services, ui::IFormWindow& window,
                                                LayoutFloor floor, bool bindForm) {
    std::unique_ptr<ui::IFormLayout> layout;
    SkipOnFailure([&] { layout = services.CreateLayout(); });
    if (!layout) return layout;
    ui::IFormLayout& l = *layout;
    RunSteps([&] { l.SetMode(0); },
             [&] { l.SetMinHeight(floor.minHeight); },
             [&] { l.SetMinWidth(floor.minWidth); },
             [&] { if (bindForm) l.BindForm(window); },
             [&] { l.SetForm(window); },
             [&] { l.PositionForm(window, true, kPositionSection, PositionFilePath()); },
             [&] { l.Refresh(); });
    return layout;
}

void KeepLayoutFloor(ui::IFormLayout* layout, LayoutFloor floor) {
    if (!layout) return;
    RunSteps([&] { if (layout->MinHeight() != floor.minHeight) layout->SetMinHeight(floor.minHeight); },
             [&] { if (layout->MinWidth() != floor.minWidth) layout->SetMinWidth(floor.minWidth); },
             [&] { layout->Refresh(); });
}

void CloseFormLayout(std::unique_ptr<ui::IFormLayout>& layout, ui::IFormWindow& window) {
    if (layout) SkipOnFailure([&] { layout->PositionForm(window, false, kPositionSection, PositionFilePath()); });
    layout.reset();
}

}  // namespace kvex
