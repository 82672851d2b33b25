#pragma once
// The two forms' views over fake controls, laid out with their design-time
// state, and a platform that makes them and serves the forms.
#include <array>
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

class FakeFilterMakerView : public ui::IFilterMakerView {
public:
    FakeFilterMakerView();
    ui::FilterMakerControls& Controls() override { return controls_; }
    // Wires every control's events to the handlers, as the real window does.
    void SetHandlers(ui::IFilterMakerHandlers* handlers) override;

    FakeWindow window;
    FakeListBox lstPat;
    std::array<FakeLabel, 6> lblDum;
    FakeLabel lblF;
    FakeTextBox txtEF;
    FakeTextBox txtFE;
    FakeIndicator ErrInput1;
    FakeIndicator ErrInput2;
    std::array<FakeButton, 3> cmdTools;
    FakeButton cmdPatU, cmdPatD, cmdNew, cmdOpen, cmdSave, cmdSaveAs, cmdOK, cmdCancel;
    std::array<FakeImage, 2> Image1;
    std::array<FakeMenuItem, 5> mnuOutLike;

private:
    ui::FilterMakerControls controls_;
};

class FakeEditFilterView : public ui::IEditFilterView {
public:
    FakeEditFilterView();
    ui::EditFilterControls& Controls() override { return controls_; }
    void SetHandlers(ui::IEditFilterHandlers* handlers) override;

    FakeWindow window;
    FakeTextBox txtEF;
    FakeIndicator ErrInput1;
    std::array<FakeButton, 7> cmdE;
    FakeButton cmdOK, cmdCancel;

private:
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
    // Sessions that ended with their dialog still open: a real modal loop
    // would never have returned (the fake closes it, as the host would).
    int dialogsLeftOpen = 0;
};

}  // namespace kvex::fakes
