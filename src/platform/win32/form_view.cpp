#include "platform/win32/form_view.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/common_controls.h"
#include "platform/win32/tooltip.h"

namespace kvex::win32 {
namespace {

using ui::design::Control;

// What a symbol button paints when the symbol font is missing: its caption's glyph.
SymbolGlyph GlyphOf(const Control& row) {
    switch (static_cast<unsigned char>(row.caption[0])) {
    case 0xE9: return SymbolGlyph::ThickUpArrow;
    case 0xEA: return SymbolGlyph::ThickDownArrow;
    default: return SymbolGlyph::CrossMark;
    }
}

// Without its symbol font a button would show plain letters (é, û, ê).
template <std::size_t N>
bool SymbolFontMissing(const ui::design::Font (&fonts)[N]) {
    for (const ui::design::Font& font : fonts)
        if (font.symbol && !FontFamilyInstalled(font.face, SYMBOL_CHARSET)) return true;
    return false;
}

template <class Design>
FormDesign WindowDesign() {
    return {Design::kForm.name, Design::kForm.caption, {Design::kForm.width, Design::kForm.height}};
}

}  // namespace

const char* EditFilterForm::Tooltip(const Control& row) {
    const bool token = std::string_view(row.name) == "cmdE" && row.index < static_cast<int>(std::size(ui::kTokenButtons));
    return token ? ui::kTokenButtons[row.index].tooltip : nullptr;
}

template <class Form>
FormView<Form>::FormView(HINSTANCE module) : module_(module), window_(module, WindowDesign<Design>(), *this) {
    named_.window = &window_;
    MakeControls(Design::kControls, controls_, named_, module, Form::kIndicator);
}

template <class Form>
FormView<Form>::~FormView() {
    handlers_ = nullptr;
    DestroyOwnedWindow(tooltip_);
}

template <class Form>
void FormView<Form>::CreateFonts(UINT dpi) {
    for (std::size_t i = 0; i < fonts_.size(); ++i) fonts_[i] = CreateDesignFont(Design::kFonts[i], dpi);
    drawsSymbols_ = SymbolFontMissing(Design::kFonts);
}

template <class Form>
void FormView<Form>::CreateControls(HWND form, UINT dpi) {
    InitCommonCtrls(ICC_BAR_CLASSES);
    CreateFonts(dpi);
    images_ = Form::Images();
    children_.Clear();
    BuildContext context{module_, form, dpi, children_, fonts_.data(), drawsSymbols_, images_,
                         [this](int button, int shift, int x, int y) {
                             if (handlers_) Form::ListMouseUp(*handlers_, button, shift, x, y);
                         },
                         [this](const Control& textBox) {
                             if (handlers_) Form::EditorKey(*handlers_, textBox);
                         }};
    controls_.ForEach([&](auto& control, const Control& row) { Build(control, row, context); });
    AddTooltips(form);
}

template <class Form>
void FormView<Form>::AddTooltips(HWND form) {
    for (const Control& row : Design::kControls) {
        const char* text = Form::Tooltip(row);
        if (!text) continue;
        if (!tooltip_) tooltip_ = CreateTooltip(form);
        AddTool(tooltip_.get(), ::GetDlgItem(form, row.id), text);
    }
}

template <class Form>
void FormView<Form>::OnDpiChanged(UINT dpi) {
    // The old fonts live on until every control holds its new one.
    auto old = std::move(fonts_);
    CreateFonts(dpi);
    children_.Place(dpi);
    controls_.ForEach([dpi](auto& control, const Control&) { Rescale(control, dpi); });
}

template <class Form>
void FormView<Form>::OnCommand(int id, int notification) {
    const Control* row = ui::design::FindById(Design::kControls, id);
    if (handlers_ && row && notification == CommandOf(*row)) Design::Raise(*handlers_, *row);
}

template <class Form>
HBRUSH FormView<Form>::OnCtlColorStatic(HWND control, HDC dc) {
    const Control* row = ui::design::FindById(Design::kControls, ::GetDlgCtrlID(control));
    if (!row || !(row->style & ui::design::kWindowColours)) return nullptr;
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

template <class Form>
bool FormView<Form>::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (!drawsSymbols_ || item.CtlType != ODT_BUTTON) return false;
    const Control* row = ui::design::FindById(Design::kControls, static_cast<int>(item.CtlID));
    if (!row || !(row->style & ui::design::kSymbol)) return false;
    DrawSymbolButton(item, GlyphOf(*row));
    return true;
}

template <class Form>
void FormView<Form>::OnWindowDestroyed() {
    children_.Clear();
    controls_.ForEach([](auto& control, const Control&) { Forget(control); });
    DestroyOwnedWindow(tooltip_);
}

template <class Form>
int FormView<Form>::PopupMenu(HWND form, int defaultItem) {
    std::vector<Win32MenuItem*> items;
    for (Win32MenuItem& item : controls_.template All<Win32MenuItem>()) items.push_back(&item);
    if (items.empty()) return -1;
    return TrackItemsPopup(form, items.data(), static_cast<int>(items.size()), defaultItem);
}

template class FormView<FilterMakerForm>;
template class FormView<EditFilterForm>;

}  // namespace kvex::win32
