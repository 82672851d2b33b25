#pragma once
// A form's window with its controls as its table designs them. One template
// serves both forms; what sets them apart is the form's traits below.
#include <windows.h>

#include <array>
#include <iterator>

#include "platform/win32/controls.h"
#include "platform/win32/drawing.h"
#include "platform/win32/form_builder.h"
#include "platform/win32/form_window.h"
#include "platform/win32/handles.h"
#include "platform/win32/indicator.h"
#include "ui/edit_filter_design.h"
#include "ui/filter_maker_design.h"
#include "ui/views.h"

namespace kvex::win32 {

struct FilterMakerForm {
    using Design = ui::FilterMakerDesign;
    using View = ui::IFilterMakerView;
    using Handlers = ui::IFilterMakerHandlers;
    using Controls = ui::FilterMakerControls;
    // Both indicators: the up arrow, flashing 20 times against the right arrow.
    static constexpr IndicatorDesign kIndicator{0, 1, 20, 200, 0};
    static HIMAGELIST Images() { return ArrowImageList({ArrowImage::UpArrow, ArrowImage::RightArrow}); }
    static const char* Tooltip(const ui::design::Control&) { return nullptr; }
    static void ListMouseUp(Handlers& h, int button, int shift, int x, int y) { h.lstPat_MouseUp(button, shift, x, y); }
    static void EditorKey(Handlers& h, const ui::design::Control& textBox) {
        Design::Raise(h, Design::PictureAbove(textBox));
    }
};

struct EditFilterForm {
    using Design = ui::EditFilterDesign;
    using View = ui::IEditFilterView;
    using Handlers = ui::IEditFilterHandlers;
    using Controls = ui::EditFilterControls;
    // The up arrow, flashing twice against the white up-right arrow, 60 twips in.
    static constexpr IndicatorDesign kIndicator{0, 1, 2, 200, 60};
    static HIMAGELIST Images() { return ArrowImageList({ArrowImage::UpArrow, ArrowImage::IvRightUpArrow}); }
    static const char* Tooltip(const ui::design::Control& row);
    static void ListMouseUp(Handlers&, int, int, int, int) {}
    static void EditorKey(Handlers&, const ui::design::Control&) {}
};

template <class Form>
class FormView final : public Form::View, private IFormContent {
public:
    using Design = typename Form::Design;
    using Handlers = typename Form::Handlers;

    explicit FormView(HINSTANCE module);
    ~FormView() override;

    typename Form::Controls& Controls() noexcept override { return named_; }
    void SetHandlers(Handlers* handlers) noexcept override { handlers_ = handlers; }

    Win32FormWindow& Window() { return window_; }
    // True when the symbol font is missing and the symbol buttons paint
    // their glyphs themselves.
    bool DrawsSymbolsItself() const { return drawsSymbols_; }
    HWND Tooltip() const { return tooltip_.get(); }

private:
    void CreateControls(HWND form, UINT dpi) override;
    void OnDpiChanged(UINT dpi) override;
    ui::IFormEvents* Events() override { return handlers_; }
    void OnCommand(int id, int notification) override;
    HBRUSH OnCtlColorStatic(HWND control, HDC dc) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnWindowDestroyed() override;
    int PopupMenu(HWND form, int defaultItem) override;

    void CreateFonts(UINT dpi);
    void AddTooltips(HWND form);

    HINSTANCE module_;
    Handlers* handlers_ = nullptr;
    Win32Controls controls_;
    typename Form::Controls named_;
    HIMAGELIST images_ = nullptr;  // borrowed, kept per thread
    std::array<unique_hfont, std::size(Design::kFonts)> fonts_;
    DesignedChildren children_;
    bool drawsSymbols_ = false;
    unique_hwnd tooltip_;
    // Last member: destroyed first, while the controls it reports to still exist.
    Win32FormWindow window_;
};

using FilterMakerView = FormView<FilterMakerForm>;
using EditFilterView = FormView<EditFilterForm>;

}  // namespace kvex::win32
