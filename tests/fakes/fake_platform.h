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
#include "ui/edit_filter_design.h"
#include "ui/filter_maker_design.h"
#include "ui/views.h"

namespace kvex::testing {

using FakeKinds = ui::KindTypes<FakeButton, FakeTextBox, FakeListBox, FakeLabel, FakeImage, FakeIndicator, FakeMenuItem,
                                FakeWindow>;

// A form's view; its own members name the fakes as the form's code names the
// controls.
template <class View, template <class> class Set, class Form, class Handlers>
class FakeView : public View, public Set<FakeKinds> {
public:
    FakeView();
    Set<ui::Interfaces>& Controls() noexcept override { return controls_; }
    // Wires every control's events to the handlers, as the real window does.
    void SetHandlers(Handlers* handlers) noexcept override;

private:
    FakeWindow window_;
    FakeKinds::Store fakes_;
    Set<ui::Interfaces> controls_;
};
using FakeFilterMakerView =
    FakeView<ui::IFilterMakerView, ui::FilterMakerSet, ui::FilterMakerDesign, ui::IFilterMakerHandlers>;
using FakeEditFilterView = FakeView<ui::IEditFilterView, ui::EditFilterSet, ui::EditFilterDesign, ui::IEditFilterHandlers>;

class FakePlatform : public ui::IPlatform, public ui::IFormServices {
public:
    // IPlatform
    std::string ComponentFolder() noexcept override { return componentFolder; }
    std::string PerUserFolder() noexcept override;
    ui::IFormServices& Services() noexcept override { return *this; }
    std::unique_ptr<ui::IFilterMakerView> CreateFilterMakerView() noexcept override;
    std::unique_ptr<ui::IEditFilterView> CreateEditFilterView() noexcept override;

    // IFormServices
    ui::IMessages& Messages() noexcept override { return messages; }
    ui::IFileSystem& Files() noexcept override { return files; }
    ui::IFileDialogs& FileDialogs() noexcept override { return dialogs; }
    void InitCommonCtrls(std::uint32_t flags) noexcept override { initCommonCtrls.push_back(flags); }
    std::unique_ptr<ui::IFormLayout> CreateLayout() noexcept override {
        return layoutUnavailable ? nullptr : std::make_unique<FakeLayout>(layout);
    }

    std::string componentFolder = "C:\\Apps\\kvex";
    std::string perUserFolder = "C:\\Users\\me\\AppData\\Roaming\\kvexfilt";
    FakeMessages messages;
    FakeFileSystem files;
    FakeFileDialogs dialogs;
    LayoutLog layout;
    bool layoutUnavailable = false;
    bool viewsUnavailable = false;  // the system cannot make a window
    std::vector<std::uint32_t> initCommonCtrls;

    // The user's session in each dialog the public classes open.
    std::function<void(FakeFilterMakerView&)> filterMakerSession;
    std::function<void(FakeEditFilterView&)> editFilterSession;
    // Sessions that ended with their dialog still open: a real modal loop
    // would never have returned.
    int dialogsLeftOpen = 0;
};

}  // namespace kvex::testing
