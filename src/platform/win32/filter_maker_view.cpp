#include "platform/win32/filter_maker_view.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/common_controls.h"
#include "platform/win32/drawing.h"
#include "platform/win32/form_builder.h"

namespace kvex::win32 {
namespace {

using Design = ui::FilterMakerDesign;
using ui::design::Control;

constexpr FormDesign kDesign{Design::kForm.name, Design::kForm.caption, {Design::kForm.width, Design::kForm.height}};

// Both indicators: the up arrow, flashing 20 times against the right arrow.
constexpr IndicatorDesign kIndicatorDesign{0, 1, 20, 200, 0};

// What a symbol button paints when the symbol font is missing: its caption's glyph.
SymbolGlyph GlyphOf(const Control& row) {
    switch (static_cast<unsigned char>(row.caption[0])) {
    case 0xE9: return SymbolGlyph::ThickUpArrow;
    case 0xEA: return SymbolGlyph::ThickDownArrow;
    default: return SymbolGlyph::CrossMark;
    }
}

}  // namespace

FilterMakerView::FilterMakerView(HINSTANCE module) : module_(module), window_(module, kDesign, *this) {
    named_.window = &window_;
    MakeControls(Design::kControls, controls_, named_, module, kIndicatorDesign);
}

FilterMakerView::~FilterMakerView() { handlers_ = nullptr; }

void FilterMakerView::CreateFonts(UINT dpi) {
    for (std::size_t i = 0; i < fonts_.size(); ++i) fonts_[i] = CreateDesignFont(Design::kFonts[i], dpi);
    // Without the font the buttons would show the letters é, û and ê.
    drawsSymbols_ = !FontFamilyInstalled("Wingdings", SYMBOL_CHARSET);
}

void FilterMakerView::CreateControls(HWND form, UINT dpi) {
    InitCommonCtrls(ICC_BAR_CLASSES);
    CreateFonts(dpi);
    imageList1_ = ArrowImageList({ArrowImage::UpArrow, ArrowImage::RightArrow});
    children_.Clear();
    BuildContext context{module_, form, dpi, children_, fonts_.data(), drawsSymbols_, imageList1_,
                         [this](int button, int shift, int x, int y) {
                             if (handlers_) handlers_->lstPat_MouseUp(button, shift, x, y);
                         },
                         [this](const Control& textBox) {
                             if (handlers_) Design::Raise(*handlers_, Design::PictureAbove(textBox));
                         }};
    controls_.ForEach([&](auto& control, const Control& row) { Build(control, row, context); });
}

void FilterMakerView::OnDpiChanged(UINT dpi) {
    // The old fonts live on until every control holds its new one.
    auto old = std::move(fonts_);
    CreateFonts(dpi);
    children_.Place(dpi);
    controls_.ForEach([dpi](auto& control, const Control&) { Rescale(control, dpi); });
}

void FilterMakerView::OnCommand(int id, int notification) {
    const Control* row = ui::design::FindById(Design::kControls, id);
    if (handlers_ && row && notification == CommandOf(*row)) Design::Raise(*handlers_, *row);
}

HBRUSH FilterMakerView::OnCtlColorStatic(HWND control, HDC dc) {
    if (::GetDlgCtrlID(control) != Design::Id("lblF")) return nullptr;
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

bool FilterMakerView::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (!drawsSymbols_ || item.CtlType != ODT_BUTTON) return false;
    const Control* row = ui::design::FindById(Design::kControls, static_cast<int>(item.CtlID));
    if (!row || !(row->style & ui::design::kSymbol)) return false;
    DrawSymbolButton(item, GlyphOf(*row));
    return true;
}

void FilterMakerView::OnWindowDestroyed() {
    children_.Clear();
    controls_.ForEach([](auto& control, const Control&) { Forget(control); });
}

int FilterMakerView::PopupMenu(HWND form, int defaultItem) {
    std::vector<Win32MenuItem*> items;
    for (Win32MenuItem& item : controls_.All<Win32MenuItem>()) items.push_back(&item);
    return TrackItemsPopup(form, items.data(), static_cast<int>(items.size()), defaultItem);
}

}  // namespace kvex::win32
