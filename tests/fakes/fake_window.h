#pragma once
// A form's top-level window. ShowModal loads the window, raises the first
// resize, then runs the scripted user session; the window is modal, so the
// call returns only once the window has been unloaded.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_controls.h"
#include "ui/controls.h"

namespace kvex::fakes {

inline constexpr std::intptr_t kFakeWindowHandle = 0x5150;

class FakeWindow : public ui::IFormWindow {
public:
    explicit FakeWindow(std::string designCaption = {}) : caption_(std::move(designCaption)) {}

    void EnsureLoaded() noexcept override;
    void ShowModal() noexcept override;
    void Unload() noexcept override;
    bool Loaded() const noexcept override { return loaded_; }
    void SetCaption(const std::string& caption) noexcept override { caption_ = caption; }
    std::string Caption() const noexcept override { return caption_; }
    void SetIcon(int iconResourceId) noexcept override { icon = iconResourceId; }
    std::intptr_t NativeHandle() const noexcept override { return kFakeWindowHandle; }
    int PopupMenu(int defaultItem) noexcept override;

    // The user closes the window with its close box.
    void CloseBox() { Unload(); }
    // The user resizes the window.
    void Resize();

    ui::IFormEvents* events = nullptr;
    // The user's actions while the window is shown modally.
    std::function<void()> session;
    // A session that ends with the window still open would hang a real modal
    // loop; the fake closes the window as the host would.

    int icon = 0;
    // Every window event in order: "Load", "Resize", "QueryUnload", "Unload",
    // and "ShowModal" when the modal show starts.
    std::vector<std::string> events_log;

    // The pop-up menu: its items, and the items the user will pick, one per
    // popup (-1 dismisses it). A disabled item or a separator cannot be picked.
    std::vector<const FakeMenuItem*> popupItems;
    std::deque<int> popupChoices;
    std::vector<int> popupDefaultItems;  // one per PopupMenu call

private:
    bool loaded_ = false;
    std::string caption_;
};

}  // namespace kvex::fakes
