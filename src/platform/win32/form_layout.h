#pragma once
// Our window layout keeper: a form's last placement in position.ini and a
// floor under its outer size.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/services.h"

namespace kvex::win32 {

class Win32FormLayout : public ui::IFormLayout {
public:
    Win32FormLayout() = default;
    ~Win32FormLayout() override;
    Win32FormLayout(const Win32FormLayout&) = delete;
    Win32FormLayout& operator=(const Win32FormLayout&) = delete;

    void SetMode(int mode) override { mode_ = mode; }
    int MinHeight() const override { return minHeight_; }
    void SetMinHeight(int pixels) override { minHeight_ = pixels; }
    int MinWidth() const override { return minWidth_; }
    void SetMinWidth(int pixels) override { minWidth_ = pixels; }
    void BindForm(ui::IFormWindow& form) override { Attach(form); }
    void SetForm(ui::IFormWindow& form) override { Attach(form); }
    void PositionForm(ui::IFormWindow& form, bool restore, const std::string& section,
                      const std::string& iniPath) override;
    // Grows the window to the floor when it is smaller.
    void Refresh() override;

    LRESULT OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnSubclassedWindowGone() { window_ = nullptr; }

private:
    void Attach(ui::IFormWindow& form);
    void Restore(HWND window, const std::string& formKey, const std::string& section, const std::string& iniPath);
    void Save(HWND window, const std::string& formKey, const std::string& section, const std::string& iniPath);
    bool Usable(const RECT& screenRect) const;

    HWND window_ = nullptr;  // the form's; the keeper listens to it, never owns it
    int mode_ = 0;
    int minWidth_ = 0;
    int minHeight_ = 0;
};

// The saved rectangle of one form, in the coordinates of GetWindowPlacement.
std::optional<RECT> ReadSavedPlacement(const std::string& iniPath, const std::string& section,
                                       const std::string& formKey);
void WriteSavedPlacement(const std::string& iniPath, const std::string& section, const std::string& formKey,
                         const RECT& rect);

}  // namespace kvex::win32
