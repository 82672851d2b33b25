#include "fakes/fake_platform.h"

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

}  // namespace

template <class View, template <class> class Set, class Form, class Handlers>
FakeView<View, Set, Form, Handlers>::FakeView() {
    window_.SetCaption(Form::kForm.caption);
    this->window = &window_;
    controls_.window = &window_;
    for (const ui::design::Control* row : ui::InMakeOrder(Form::kControls))
        ui::OfKind<FakeKinds>(row->kind, [&](auto type) {
            auto& fake = fakes_.Make<typename decltype(type)::type>(*row);
            Design(fake, *row);
            this->Bind(*row, &fake);
            controls_.Bind(*row, &fake);
        });
    for (auto& item : fakes_.All<FakeMenuItem>()) window_.popupItems.push_back(&item);
}

template <class View, template <class> class Set, class Form, class Handlers>
void FakeView<View, Set, Form, Handlers>::SetHandlers(Handlers* h) noexcept {
    window_.events = h;
    fakes_.ForEach([h](auto& fake, const ui::design::Control& row) {
        if (row.event != ui::design::kNoEvent && row.kind != ui::design::Kind::MenuItem)
            OnEvent(fake, [h, &row] { Form::Raise(*h, row); });
    });
    if constexpr (std::is_same_v<Handlers, ui::IFilterMakerHandlers>)
        this->lstPat->onMouseUp = [h](int button) { h->lstPat_MouseUp(button, 0, 0, 0); };
}

template class FakeView<ui::IFilterMakerView, ui::FilterMakerSet, ui::FilterMakerDesign, ui::IFilterMakerHandlers>;
template class FakeView<ui::IEditFilterView, ui::EditFilterSet, ui::EditFilterDesign, ui::IEditFilterHandlers>;

std::string FakePlatform::PerUserFolder() noexcept {
    // The system makes the folder on first use.
    if (!perUserFolder.empty()) files.AddFolder(perUserFolder);
    return perUserFolder;
}

std::unique_ptr<ui::IFilterMakerView> FakePlatform::CreateFilterMakerView() noexcept {
    auto view = std::make_unique<FakeFilterMakerView>();
    FakeFilterMakerView* v = view.get();
    v->window->session = [this, v] {
        if (filterMakerSession) filterMakerSession(*v);
        if (v->window->Loaded()) ++dialogsLeftOpen;
    };
    return view;
}

std::unique_ptr<ui::IEditFilterView> FakePlatform::CreateEditFilterView() noexcept {
    auto view = std::make_unique<FakeEditFilterView>();
    FakeEditFilterView* v = view.get();
    v->window->session = [this, v] {
        if (editFilterSession) editFilterSession(*v);
        if (v->window->Loaded()) ++dialogsLeftOpen;
    };
    return view;
}

std::unique_ptr<ui::IFormLayout> FakePlatform::CreateLayout() noexcept {
    if (layoutUnavailable) return nullptr;
    return std::make_unique<FakeLayout>(layout);
}

}  // namespace kvex::fakes
