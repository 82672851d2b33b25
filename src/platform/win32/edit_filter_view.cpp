#include "platform/win32/edit_filter_view.h"

#include <commctrl.h>

#include "platform/win32/common_controls.h"
#include "platform/win32/drawing.h"
#include "platform/win32/form_builder.h"
#include "platform/win32/tooltip.h"

namespace kvex::win32 {
namespace {

using Design = ui::EditFilterDesign;
using ui::design::Control;

constexpr FormDesign kDesign{Design::kForm.name, Design::kForm.caption, {Design::kForm.width, Design::kForm.height}};

// The up arrow, flashing twice against the white up-right arrow, 60 twips in.
constexpr IndicatorDesign kIndicatorDesign{0, 1, 2, 200, 60};

}  // namespace

EditFilterView::EditFilterView(HINSTANCE module) : module_(module), window_(module, kDesign, *this) {
    named_.window = &window_;
    MakeControls(Design::kControls, controls_, named_, module, kIndicatorDesign);
}

EditFilterView::~EditFilterView() {
    handlers_ = nullptr;
    DestroyOwnedWindow(tooltip_);
}

void EditFilterView::CreateFonts(UINT dpi) {
    for (std::size_t i = 0; i < fonts_.size(); ++i) fonts_[i] = CreateDesignFont(Design::kFonts[i], dpi);
}

void EditFilterView::CreateControls(HWND form, UINT dpi) {
    InitCommonCtrls(ICC_BAR_CLASSES);
    CreateFonts(dpi);
    imageList1_ = ArrowImageList({ArrowImage::UpArrow, ArrowImage::IvRightUpArrow});
    children_.Clear();
    BuildContext context{module_, form, dpi, children_, fonts_.data(), false, imageList1_, {}};
    controls_.ForEach([&](auto& control, const Control& row) { Build(control, row, context); });

    tooltip_ = CreateTooltip(form);
    for (int i = 0; i < static_cast<int>(std::size(ui::kTokenButtons)); ++i)
        if (ui::kTokenButtons[i].tooltip)
            AddTool(tooltip_.get(), ::GetDlgItem(form, Design::Id("cmdE", i)), ui::kTokenButtons[i].tooltip);
}

void EditFilterView::OnDpiChanged(UINT dpi) {
    // The old fonts live on until every control holds its new one.
    auto old = std::move(fonts_);
    CreateFonts(dpi);
    children_.Place(dpi);
    controls_.ForEach([dpi](auto& control, const Control&) { Rescale(control, dpi); });
}

void EditFilterView::OnCommand(int id, int notification) {
    const Control* row = ui::design::FindById(Design::kControls, id);
    if (handlers_ && row && notification == CommandOf(*row)) Design::Raise(*handlers_, *row);
}

void EditFilterView::OnWindowDestroyed() {
    children_.Clear();
    controls_.ForEach([](auto& control, const Control&) { Forget(control); });
    DestroyOwnedWindow(tooltip_);
}

}  // namespace kvex::win32
