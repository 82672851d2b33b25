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
    std::unique_ptr<ui::IFormLayout> layout = services.CreateLayout();
    if (!layout) return layout;
    layout->SetMode(0);
    layout->SetMinHeight(floor.minHeight);
    layout->SetMinWidth(floor.minWidth);
    if (bindForm) layout->BindForm(window);
    layout->SetForm(window);
    layout->PositionForm(window, true, kPositionSection, PositionFilePath());
    layout->Refresh();
    return layout;
}

void KeepLayoutFloor(ui::IFormLayout* layout, LayoutFloor floor) {
    if (!layout) return;
    if (layout->MinHeight() != floor.minHeight) layout->SetMinHeight(floor.minHeight);
    if (layout->MinWidth() != floor.minWidth) layout->SetMinWidth(floor.minWidth);
    layout->Refresh();
}

void CloseFormLayout(std::unique_ptr<ui::IFormLayout>& layout, ui::IFormWindow& window) {
    if (layout) layout->PositionForm(window, false, kPositionSection, PositionFilePath());
    layout.reset();
}

}  // namespace kvex
