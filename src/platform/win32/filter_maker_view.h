#pragma once
// The Filter Maker's window (frmFM) with its controls as designed.
#include <windows.h>

#include <array>
#include <vector>

#include "platform/win32/controls.h"
#include "platform/win32/form_builder.h"
#include "platform/win32/form_window.h"
#include "platform/win32/handles.h"
#include "platform/win32/indicator.h"
#include "ui/views.h"

namespace kvex::win32 {

class FilterMakerView : public ui::IFilterMakerView, private IFormContent {
public:
    explicit FilterMakerView(HINSTANCE module);
    ~FilterMakerView() override;

    ui::FilterMakerControls& Controls() override { return controls_; }
    void SetHandlers(ui::IFilterMakerHandlers* handlers) override { handlers_ = handlers; }

    Win32FormWindow& Window() { return window_; }
    // True when Wingdings is missing and the arrow and cross buttons paint
    // their symbols themselves.
    bool DrawsSymbolsItself() const { return drawsSymbols_; }

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
    void OnButtonClick(int id);

    HINSTANCE module_;
    ui::IFilterMakerHandlers* handlers_ = nullptr;
    Win32ListBox lstPat_;
    std::array<Win32Label, 6> lblDum_;
    Win32Label lblF_;
    Win32TextBox txtEF_;
    Win32TextBox txtFE_;
    Win32Indicator errInput1_;
    Win32Indicator errInput2_;
    std::array<Win32Button, 3> cmdTools_;
    Win32Button cmdPatU_, cmdPatD_, cmdNew_, cmdOpen_, cmdSave_, cmdSaveAs_, cmdOK_, cmdCancel_;
    std::array<Win32Image, 2> image1_;
    std::array<Win32MenuItem, 5> mnuOutLike_;
    ui::FilterMakerControls controls_;
    unique_himagelist imageList1_;
    struct Fonts {
        unique_hfont normal, bold, underlined, symbol, largeSymbol;
    } fonts_;
    DesignedChildren children_;
    bool drawsSymbols_ = false;
    // Last member: destroyed first, while the controls it reports to still exist.
    Win32FormWindow window_;
};

}  // namespace kvex::win32
