#pragma once
// Our window layout keeper: a form's last placement in position.ini and a
// floor under its outer size. The floors are pixels at 96 dpi and grow with
// the window's dpi; position.ini keeps the dpi a placement was saved at, so
// that a size saved on one screen opens in the same inches on another.
#include <windows.h>

#include <optional>
#include <string>

#include "core/window_fit.h"
#include "ui/services.h"

namespace kvex::win32 {

class Win32FormWindow;

class Win32FormLayout : public ui::IFormLayout {
public:
    Win32FormLayout() = default;
    ~Win32FormLayout() override;
    Win32FormLayout(const Win32FormLayout&) = delete;
    Win32FormLayout& operator=(const Win32FormLayout&) = delete;

    void SetMode(int mode) noexcept override { mode_ = mode; }
    int MinHeight() const noexcept override { return minHeight_; }
    void SetMinHeight(int pixels) noexcept override { minHeight_ = pixels; }
    int MinWidth() const noexcept override { return minWidth_; }
    void SetMinWidth(int pixels) noexcept override { minWidth_ = pixels; }
    // The smallest outer size of the kept window at its present dpi.
    SIZE Floor() const;
    void BindForm(ui::IFormWindow& form) noexcept override { Attach(form); }
    void SetForm(ui::IFormWindow& form) noexcept override { Attach(form); }
    void PositionForm(ui::IFormWindow& form, bool restore, const std::string& section,
                      const std::string& iniPath) noexcept override;
    // Grows the window to the floor when it is smaller.
    void Refresh() noexcept override;

    LRESULT OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnSubclassedWindowGone() {
        window_ = nullptr;
        form_ = nullptr;
    }

private:
    void Attach(ui::IFormWindow& form);
    void Restore(HWND window, const std::string& formKey, const std::string& section, const std::string& iniPath);
    void Save(HWND window, const std::string& formKey, const std::string& section, const std::string& iniPath);
    UINT Dpi() const;

    HWND window_ = nullptr;  // the form's; the keeper listens to it, never owns it
    Win32FormWindow* form_ = nullptr;  // the same window's object when it is one of ours
    int mode_ = 0;
    int minWidth_ = 0;
    int minHeight_ = 0;
};

// The saved place and size of one form, in the coordinates of
// GetWindowPlacement, and the dpi of the window then (96 for entries written
// before we kept it).
struct SavedPlacement {
    core::Placement place;
    UINT dpi;
};
std::optional<SavedPlacement> ReadSavedPlacement(const std::string& iniPath, const std::string& section,
                                                 const std::string& formKey);
void WriteSavedPlacement(const std::string& iniPath, const std::string& section, const std::string& formKey,
                         const SavedPlacement& placement);

}  // namespace kvex::win32
