#pragma once
// The Edit Filter's window (frmEF) with its controls as its table designs them.
#include <windows.h>

#include <array>
#include <iterator>

#include "platform/win32/controls.h"
#include "platform/win32/form_builder.h"
#include "platform/win32/form_window.h"
#include "platform/win32/handles.h"
#include "platform/win32/indicator.h"
#include "ui/edit_filter_design.h"
#include "ui/views.h"

namespace kvex::win32 {

class EditFilterView : public ui::IEditFilterView, private IFormContent {
public:
    explicit EditFilterView(HINSTANCE module);
    ~EditFilterView() override;

    ui::EditFilterControls& Controls() noexcept override { return named_; }
    void SetHandlers(ui::IEditFilterHandlers* handlers) noexcept override { handlers_ = handlers; }

    Win32FormWindow& Window() { return window_; }
    HWND Tooltip() const { return tooltip_.get(); }

private:
    using Design = ui::EditFilterDesign;

    void CreateControls(HWND form, UINT dpi) override;
    void OnDpiChanged(UINT dpi) override;
    ui::IFormEvents* Events() override { return handlers_; }
    void OnCommand(int id, int notification) override;
    HBRUSH OnCtlColorStatic(HWND, HDC) override { return nullptr; }
    bool OnDrawItem(const DRAWITEMSTRUCT&) override { return false; }
    void OnWindowDestroyed() override;
    int PopupMenu(HWND, int) override { return -1; }

    void CreateFonts(UINT dpi);

    HINSTANCE module_;
    ui::IEditFilterHandlers* handlers_ = nullptr;
    Win32Controls controls_;
    ui::EditFilterControls named_;
    HIMAGELIST imageList1_ = nullptr;  // borrowed, kept per thread
    std::array<unique_hfont, std::size(Design::kFonts)> fonts_;
    DesignedChildren children_;
    unique_hwnd tooltip_;
    // Last member: destroyed first, while the controls it reports to still exist.
    Win32FormWindow window_;
};

}  // namespace kvex::win32
