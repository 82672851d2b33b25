#include "fakes/fake_platform.h"

namespace kvex::testing {

namespace {

// Design-time state, as the table gives it.
void Design(FakeButton& button, const ui::design::Control& row) {
    button.SetEnabled(!(row.style & ui::design::kDisabled));
}
void Design(FakeLabel& label, const ui::design::Control& row) { label.SetCaption(row.caption); }
void Design(FakeTextBox& box, const ui::design::Control& row) { box.SetText(row.caption); }
void Design(FakeMenuItem& item, const ui::design::Control& row) { item.caption = row.caption; }
template <class Control>
void Design(Control&, const ui::design::Control&) {}

// The control's event, as the real window raises it (call with 0).
template <class Control>
auto OnEvent(Control& c, std::function<void()> raise, int) -> decltype(c.onClick = raise, void()) {
    c.onClick = std::move(raise);
}
void OnEvent(FakeTextBox& c, std::function<void()> raise, int) { c.onChange = std::move(raise); }
template <class Control>
void OnEvent(Control&, std::function<void()>, long) {}  // menu items: the form raises them

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
            OnEvent(fake, [h, &row] { Form::Raise(*h, row); }, 0);
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

// The session runs inside the modal show; what it leaves open is noted.
template <class View, class Session>
std::unique_ptr<View> MakeView(bool unavailable, const Session& session, int& leftOpen) {
    if (unavailable) return nullptr;
    auto view = std::make_unique<View>();
    View* v = view.get();
    v->window->session = [&session, &leftOpen, v] {
        if (session) session(*v);
        if (v->window->Loaded()) ++leftOpen;
    };
    return view;
}

std::unique_ptr<ui::IFilterMakerView> FakePlatform::CreateFilterMakerView() noexcept {
    return MakeView<FakeFilterMakerView>(viewsUnavailable, filterMakerSession, dialogsLeftOpen);
}

std::unique_ptr<ui::IEditFilterView> FakePlatform::CreateEditFilterView() noexcept {
    return MakeView<FakeEditFilterView>(viewsUnavailable, editFilterSession, dialogsLeftOpen);
}

}  // namespace kvex::testing
