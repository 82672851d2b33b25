#pragma once
// The forms' views over fake controls, and a platform that makes and serves them.
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

// Design-time state, as the table gives it.
inline void Design(FakeButton& button, const ui::design::Control& row) {
    button.SetEnabled(!(row.style & ui::design::kDisabled));
}
inline void Design(FakeLabel& label, const ui::design::Control& row) { label.SetCaption(row.caption); }
inline void Design(FakeTextBox& box, const ui::design::Control& row) { box.SetText(row.caption); }
inline void Design(FakeMenuItem& item, const ui::design::Control& row) { item.caption = row.caption; }
template <class Control>
void Design(Control&, const ui::design::Control&) {}

// The control's event, as the real window raises it (call with 0).
template <class Control>
auto OnEvent(Control& c, std::function<void()> raise, int) -> decltype(c.onClick = raise, void()) {
    c.onClick = std::move(raise);
}
inline void OnEvent(FakeTextBox& c, std::function<void()> raise, int) { c.onChange = std::move(raise); }
template <class Control>
void OnEvent(Control&, std::function<void()>, long) {}  // menu items: the form raises them

// A form's view; its members name the fakes as the form's code names the controls.
template <class View, template <class> class Set, class Form, class Handlers>
class FakeView : public View, public Set<FakeKinds> {
public:
    FakeView() {
        window_.SetCaption(Form::kForm.caption);
        this->window = &window_;
        controls_.window = &window_;
        for (const ui::design::Control* row : ui::InMakeOrder(Form::kControls))
            ui::OfKind<FakeKinds>(row->kind, [&](auto type) {
                auto& fake = fakes_.template Make<typename decltype(type)::type>(*row);
                Design(fake, *row);
                this->Bind(*row, &fake);
                controls_.Bind(*row, &fake);
            });
        for (auto& item : fakes_.template All<FakeMenuItem>()) window_.popupItems.push_back(&item);
    }
    Set<ui::Interfaces>& Controls() noexcept override { return controls_; }
    // Wires every control's events to the handlers, as the real window does.
    void SetHandlers(Handlers* h) noexcept override {
        window_.events = h;
        fakes_.ForEach([h](auto& fake, const ui::design::Control& row) {
            if (row.event != ui::design::kNoEvent && row.kind != ui::design::Kind::MenuItem)
                OnEvent(fake, [h, &row] { Form::Raise(*h, row); }, 0);
        });
        if constexpr (std::is_same_v<Handlers, ui::IFilterMakerHandlers>)
            this->lstPat->onMouseUp = [h](int button) { h->lstPat_MouseUp(button, 0, 0, 0); };
    }

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
    std::string ComponentFolder() noexcept override { return componentFolder; }
    // The system makes the user's folder on first use.
    std::string PerUserFolder() noexcept override {
        if (!perUserFolder.empty()) files.AddFolder(perUserFolder);
        return perUserFolder;
    }
    ui::IFormServices& Services() noexcept override { return *this; }
    std::unique_ptr<ui::IFilterMakerView> CreateFilterMakerView() noexcept override {
        return MakeView<FakeFilterMakerView>(filterMakerSession);
    }
    std::unique_ptr<ui::IEditFilterView> CreateEditFilterView() noexcept override {
        return MakeView<FakeEditFilterView>(editFilterSession);
    }

    ui::IMessages& Messages() noexcept override { return messages; }
    ui::IFileSystem& Files() noexcept override { return files; }
    ui::IFileDialogs& FileDialogs() noexcept override { return dialogs; }
    void InitCommonCtrls(std::uint32_t flags) noexcept override { initCommonCtrls.push_back(flags); }
    std::unique_ptr<ui::IFormLayout> CreateLayout() noexcept override { return std::make_unique<FakeLayout>(layout); }

    std::string componentFolder = "C:\\Apps\\kvex";
    std::string perUserFolder = "C:\\Users\\me\\AppData\\Roaming\\kvexfilt";
    FakeMessages messages;
    FakeFileSystem files;
    FakeFileDialogs dialogs;
    LayoutLog layout;
    bool viewsUnavailable = false;  // the system cannot make a window
    std::vector<std::uint32_t> initCommonCtrls;

    // The user's session in each dialog the public classes open.
    std::function<void(FakeFilterMakerView&)> filterMakerSession;
    std::function<void(FakeEditFilterView&)> editFilterSession;
    // Sessions that ended with their dialog still open: a real modal loop
    // would never have returned.
    int dialogsLeftOpen = 0;

private:
    template <class View, class Session>
    std::unique_ptr<View> MakeView(const Session& session) {
        if (viewsUnavailable) return nullptr;
        auto view = std::make_unique<View>();
        View* v = view.get();
        v->window->session = [this, &session, v] {
            if (session) session(*v);
            if (v->window->Loaded()) ++dialogsLeftOpen;
        };
        return view;
    }
};

}  // namespace kvex::testing
