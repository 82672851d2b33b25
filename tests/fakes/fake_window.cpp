#include "fakes/fake_window.h"

namespace kvex::fakes {

void FakeWindow::EnsureLoaded() noexcept {
    if (loaded_) return;
    loaded_ = true;
    events_log.push_back("Load");
    if (events) events->Form_Load();
}

void FakeWindow::ShowModal() noexcept {
    events_log.push_back("ShowModal");
    EnsureLoaded();
    Resize();
    if (session && loaded_) session();
    Unload();
}

void FakeWindow::Unload() noexcept {
    if (!loaded_) return;
    events_log.push_back("QueryUnload");
    if (events) events->Form_QueryUnload();
    events_log.push_back("Unload");
    if (events) events->Form_Unload();
    loaded_ = false;
}

void FakeWindow::Resize() {
    if (!loaded_) return;
    events_log.push_back("Resize");
    if (events) events->Form_Resize();
}

int FakeWindow::PopupMenu(int defaultItem) noexcept {
    popupDefaultItems.push_back(defaultItem);
    if (popupChoices.empty()) return -1;
    const int choice = popupChoices.front();
    popupChoices.pop_front();
    if (choice < 0 || choice >= static_cast<int>(popupItems.size())) return -1;
    const FakeMenuItem* item = popupItems[static_cast<std::size_t>(choice)];
    if (!item->Enabled() || item->IsSeparator()) return -1;
    return choice;
}

}  // namespace kvex::fakes
