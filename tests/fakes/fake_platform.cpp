#include "fakes/fake_platform.h"

#include "ui/edit_filter_design.h"
#include "ui/filter_maker_design.h"

namespace kvex::fakes {

namespace {

// Design-time state, as the table gives it.
void Design(FakeButton& button, const ui::design::Control& row) {
    button.SetEnabled(!(row.style & ui::design::kDisabled));
}
void Design(FakeLabel& label, const ui::design::Control& row) { label.SetCaption(row.caption); }
void Design(FakeTextBox& box, const ui::design::Control& row) { box = FakeTextBox(row.caption); }
void Design(FakeMenuItem& item, const ui::design::Control& row) { item.caption = row.caption; }
template <class Control>
void Design(Control&, const ui::design::Control&) {}

// The control's event, as the real window raises it.
void OnEvent(FakeButton& c, std::function<void()> raise) { c.onClick = std::move(raise); }
void OnEvent(FakeLabel& c, std::function<void()> raise) { c.onClick = std::move(raise); }
void OnEvent(FakeImage& c, std::function<void()> raise) { c.onClick = std::move(raise); }
void OnEvent(FakeListBox& c, std::function<void()> raise) { c.onClick = std::move(raise); }
void OnEvent(FakeTextBox& c, std::function<void()> raise) { c.onChange = std::move(raise); }
template <class Control>
void OnEvent(Control&, std::function<void()>) {}  // menu items: the form raises them

// Builds a fake view's controls from its form's table, named both as fakes
// and as the interfaces the form sees.
template <class FormDesign, class View, class Controls>
void BuildFromDesign(View& view, FakeWindow& window, FakeControls& fakes, Controls& controls) {
    window.SetCaption(FormDesign::kForm.caption);
    view.window = &window;
    controls.window = &window;
    for (const ui::design::Control* row : ui::InMakeOrder(FormDesign::kControls))
        ui::OfKind<FakeKinds>(row->kind, [&](auto type) {
            auto& fake = fakes.Make<typename decltype(type)::type>(*row);
            Design(fake, *row);
            view.Bind(*row, &fake);
            controls.Bind(*row, &fake);
        });
}

template <class FormDesign, class Handlers>
void WireToDesign(FakeWindow& window, FakeControls& fakes, Handlers* h) {
    window.events = h;
    fakes.ForEach([h](auto& fake, const ui::design::Control& row) {
        if (row.event != ui::design::kNoEvent && row.kind != ui::design::Kind::MenuItem)
            OnEvent(fake, [h, &row] { FormDesign::Raise(*h, row); });
    });
}

}  // namespace

FakeFilterMakerView::FakeFilterMakerView() {
    BuildFromDesign<ui::FilterMakerDesign>(*this, window_, fakes_, controls_);
    for (auto& item : fakes_.All<FakeMenuItem>()) window_.popupItems.push_back(&item);
}

void FakeFilterMakerView::SetHandlers(ui::IFilterMakerHandlers* h) {
    WireToDesign<ui::FilterMakerDesign>(window_, fakes_, h);
    lstPat->onMouseUp = [h](int button) { h->lstPat_MouseUp(button, 0, 0, 0); };
}

FakeEditFilterView::FakeEditFilterView() { BuildFromDesign<ui::EditFilterDesign>(*this, window_, fakes_, controls_); }

void FakeEditFilterView::SetHandlers(ui::IEditFilterHandlers* h) {
    WireToDesign<ui::EditFilterDesign>(window_, fakes_, h);
}

std::string FakePlatform::PerUserFolder() {
    // The system makes the folder on first use.
    if (!perUserFolder.empty()) files.AddFolder(perUserFolder);
    return perUserFolder;
}

std::unique_ptr<ui::IFilterMakerView> FakePlatform::CreateFilterMakerView() {
    auto view = std::make_unique<FakeFilterMakerView>();
    FakeFilterMakerView* v = view.get();
    v->window->session = [this, v] {
        if (filterMakerSession) filterMakerSession(*v);
    };
    return view;
}

std::unique_ptr<ui::IEditFilterView> FakePlatform::CreateEditFilterView() {
    auto view = std::make_unique<FakeEditFilterView>();
    FakeEditFilterView* v = view.get();
    v->window->session = [this, v] {
        if (editFilterSession) editFilterSession(*v);
    };
    return view;
}

std::unique_ptr<ui::IFormLayout> FakePlatform::CreateLayout() noexcept {
    if (layoutUnavailable) return nullptr;
    return std::make_unique<FakeLayout>(layout);
}

}  // namespace kvex::fakes
