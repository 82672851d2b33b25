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

// Builds a fake view's controls from its form's table.
template <class FormDesign, class View, class Controls>
void BuildFromDesign(View& view, Controls& controls) {
    view.window.SetCaption(FormDesign::kForm.caption);
    controls.window = &view.window;
    for (const ui::design::Control& row : FormDesign::kControls) {
        FormDesign::Member(row, [&](auto& fake) { Design(fake, row); }, view);
        FormDesign::Member(row, [](auto*& slot, auto& fake) { slot = &fake; }, controls, view);
    }
}

template <class FormDesign, class View, class Handlers>
void WireToDesign(View& view, Handlers* h) {
    view.window.events = h;
    for (const ui::design::Control& row : FormDesign::kControls) {
        if (row.event == ui::design::kNoEvent || row.kind == ui::design::Kind::MenuItem) continue;
        FormDesign::Member(row, [&](auto& fake) { OnEvent(fake, [h, &row] { FormDesign::Raise(*h, row); }); }, view);
    }
}

}  // namespace

FakeFilterMakerView::FakeFilterMakerView() {
    BuildFromDesign<ui::FilterMakerDesign>(*this, controls_);
    for (auto& item : mnuOutLike) window.popupItems.push_back(&item);
}

void FakeFilterMakerView::SetHandlers(ui::IFilterMakerHandlers* h) {
    WireToDesign<ui::FilterMakerDesign>(*this, h);
    lstPat.onMouseUp = [h](int button) { h->lstPat_MouseUp(button, 0, 0, 0); };
}

FakeEditFilterView::FakeEditFilterView() { BuildFromDesign<ui::EditFilterDesign>(*this, controls_); }

void FakeEditFilterView::SetHandlers(ui::IEditFilterHandlers* h) { WireToDesign<ui::EditFilterDesign>(*this, h); }

std::string FakePlatform::PerUserFolder() {
    // The system makes the folder on first use.
    if (!perUserFolder.empty()) files.AddFolder(perUserFolder);
    return perUserFolder;
}

std::unique_ptr<ui::IFilterMakerView> FakePlatform::CreateFilterMakerView() {
    auto view = std::make_unique<FakeFilterMakerView>();
    FakeFilterMakerView* v = view.get();
    v->window.session = [this, v] {
        if (filterMakerSession) filterMakerSession(*v);
        if (v->window.Loaded()) ++dialogsLeftOpen;
    };
    return view;
}

std::unique_ptr<ui::IEditFilterView> FakePlatform::CreateEditFilterView() {
    auto view = std::make_unique<FakeEditFilterView>();
    FakeEditFilterView* v = view.get();
    v->window.session = [this, v] {
        if (editFilterSession) editFilterSession(*v);
        if (v->window.Loaded()) ++dialogsLeftOpen;
    };
    return view;
}

std::unique_ptr<ui::IFormLayout> FakePlatform::CreateLayout() noexcept {
    if (layoutUnavailable) return nullptr;
    return std::make_unique<FakeLayout>(layout);
}

}  // namespace kvex::fakes
