#pragma once
// A form's window. ShowModal loads it, resizes it, then runs the scripted
// session; like a real modal loop it never closes the window for the user.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_controls.h"
#include "ui/controls.h"

namespace kvex::testing {

class FakeWindow : public ui::IFormWindow {
public:
    void EnsureLoaded() noexcept override {
        if (loaded_) return;
        loaded_ = true;
        log.push_back("Load");
        if (events) events->Form_Load();
    }
    void ShowModal() noexcept override {
        log.push_back("ShowModal");
        EnsureLoaded();
        Resize();
        if (session && loaded_) session();
    }
    void Unload() noexcept override {
        if (!loaded_) return;
        if (events) events->Form_QueryUnload();
        if (events) events->Form_Unload();
        loaded_ = false;
    }
    bool Loaded() const noexcept override { return loaded_; }
    void SetCaption(const std::string& text) noexcept override { caption = text; }
    std::string Caption() const noexcept override { return caption; }
    void SetIcon(int iconResourceId) noexcept override { icon = iconResourceId; }
    std::intptr_t NativeHandle() const noexcept override { return 0x5150; }
    // The next scripted choice (-1 dismisses); a disabled item or a separator
    // cannot be picked.
    int PopupMenu(int defaultItem) noexcept override {
        popupDefaultItems.push_back(defaultItem);
        if (popupChoices.empty()) return -1;
        const int choice = popupChoices.front();
        popupChoices.pop_front();
        if (choice < 0 || choice >= static_cast<int>(popupItems.size())) return -1;
        const FakeMenuItem* item = popupItems[static_cast<std::size_t>(choice)];
        return item->Enabled() && item->caption != "-" ? choice : -1;
    }

    void CloseBox() { Unload(); }
    void Resize() {
        if (!loaded_) return;
        log.push_back("Resize");
        if (events) events->Form_Resize();
    }

    ui::IFormEvents* events = nullptr;
    std::function<void()> session;  // the user's actions while shown modally
    std::string caption;
    int icon = 0;
    std::vector<std::string> log;   // "Load", "ShowModal", "Resize"
    std::vector<const FakeMenuItem*> popupItems;
    std::deque<int> popupChoices;
    std::vector<int> popupDefaultItems;  // one per PopupMenu call

private:
    bool loaded_ = false;
};

}  // namespace kvex::testing
