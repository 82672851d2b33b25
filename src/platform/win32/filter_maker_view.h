#pragma once
// The Filter Maker's window (frmFM) with its controls as its table designs them.
#include <windows.h>

#include <array>
#include <iterator>

#include "platform/win32/controls.h"
#include "platform/win32/form_builder.h"
#include "platform/win32/form_window.h"
#include "platform/win32/handles.h"
#include "platform/win32/indicator.h"
#include "ui/filter_maker_design.h"
#include "ui/views.h"

namespace kvex::win32 {

class FilterMakerView : public ui::IFilterMakerView, private IFormContent {
public:
    explicit FilterMakerView(HINSTANCE module);
    ~FilterMakerView() override;

    ui::FilterMakerControls& Controls() noexcept override { return named_; }
    void SetHandlers(ui::IFilterMakerHandlers* handlers) noexcept override { handlers_ = handlers; }

    Win32FormWindow& Window() { return window_; }
    // True when Wingdings is missing and the arrow and cross buttons paint
    // their symbols themselves.
    bool DrawsSymbolsItself() const { return drawsSymbols_; }

private:
    using Design = ui::FilterMakerDesign;

    void CreateControls(HWND form, UINT dpi) override;
    void OnDpiChanged(UINT dpi) override;
    ui::IFormEvents* Events() override { return handlers_; }
    void OnCommand(int id, int notification) override;
    HBRUSH OnCtlColorStatic(HWND control, HDC dc) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnWindowDestroyed() override;
    int PopupMenu(HWND form, int defaultItem) override;

    void CreateFonts(UINT dpi);

    HINSTANCE module_;
    ui::IFilterMakerHandlers* handlers_ = nullptr;
    Win32Controls controls_;
    ui::FilterMakerControls named_;
    HIMAGELIST imageList1_ = nullptr;  // borrowed, kept per thread
    std::array<unique_hfont, std::size(Design::kFonts)> fonts_;
    DesignedChildren children_;
    bool drawsSymbols_ = false;
    // Last member: destroyed first, while the controls it reports to still exist.
    Win32FormWindow window_;
};

}  // namespace kvex::win32
