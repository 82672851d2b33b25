#pragma once
// The two forms' views over fake controls, laid out with their design-time
// state, and a platform that makes them and serves the forms.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_controls.h"
#include "fakes/fake_services.h"
#include "fakes/fake_window.h"
#include "ui/views.h"

namespace kvex::fakes {

struct FakeKinds {
    using Button = FakeButton;
    using TextBox = FakeTextBox;
    using ListBox = FakeListBox;
    using Label = FakeLabel;
    using Image = FakeImage;
    using Indicator = FakeIndicator;
    using MenuItem = FakeMenuItem;
    using Window = FakeWindow;
};
using FakeControls =
    ui::ControlStore<FakeButton, FakeTextBox, FakeListBox, FakeLabel, FakeImage, FakeIndicator, FakeMenuItem>;

// The view's own members name the fakes, as the form's code names the controls.
class FakeFilterMakerView : public ui::IFilterMakerView, public ui::FilterMakerSet<FakeKinds> {
public:
    FakeFilterMakerView();
    ui::FilterMakerControls& Controls() override { return controls_; }
    // Wires every control's events to the handlers, as the real window does.
    void SetHandlers(ui::IFilterMakerHandlers* handlers) override;

private:
    FakeWindow window_;
    FakeControls fakes_;
    ui::FilterMakerControls controls_;
};

class FakeEditFilterView : public ui::IEditFilterView, public ui::EditFilterSet<FakeKinds> {
public:
    FakeEditFilterView();
    ui::EditFilterControls& Controls() override { return controls_; }
    void SetHandlers(ui::IEditFilterHandlers* handlers) override;

private:
    FakeWindow window_;
    FakeControls fakes_;
    ui::EditFilterControls controls_;
};

class FakePlatform : public ui::IPlatform, public ui::IFormServices {
public:
    // IPlatform
    std::string ComponentFolder() override { return componentFolder; }
    std::string PerUserFolder() override;
    ui::IFormServices& Services() override { return *this; }
    std::unique_ptr<ui::IFilterMakerView> CreateFilterMakerView() override;
    std::unique_ptr<ui::IEditFilterView> CreateEditFilterView() override;

    // IFormServices
    ui::IMessages& Messages() noexcept override { return messages; }
    ui::IFileSystem& Files() noexcept override { return files; }
    ui::IFileDialogs& FileDialogs() noexcept override { return dialogs; }
    void InitCommonCtrls(std::uint32_t flags) noexcept override { initCommonCtrls.push_back(flags); }
    std::unique_ptr<ui::IFormLayout> CreateLayout() noexcept override;

    std::string componentFolder = "C:\\Apps\\kvex";
    std::string perUserFolder = "C:\\Users\\me\\AppData\\Roaming\\kvexfilt";
    FakeMessages messages;
    FakeFileSystem files;
    FakeFileDialogs dialogs;
    LayoutLog layout;
    bool layoutUnavailable = false;
    std::vector<std::uint32_t> initCommonCtrls;

    // The user's session in each dialog the public classes open.
    std::function<void(FakeFilterMakerView&)> filterMakerSession;
    std::function<void(FakeEditFilterView&)> editFilterSession;
};

}  // namespace kvex::fakes
