#pragma once
// The input-error indicator: a small child window below the left end of its
// text box. Hidden until ShowError; then it shows the form's up arrow, flashes
// it against a second image a few times, and carries the error caption and
// detail in its text and tooltip. ClearError hides it.
#include <windows.h>

#include <string>

#include "platform/win32/handles.h"
#include "ui/controls.h"

namespace kvex::win32 {

struct IndicatorDesign {
    int image = 0;            // index in the form's image list
    int flashedImage = 1;     // index of the image shown between flashes
    int flashes = 0;          // times the flashed image shows after ShowError
    UINT flashMilliseconds = 200;
    int paddingTwips = 0;     // left margin of the image
};

class Win32Indicator : public ui::IIndicator {
public:
    explicit Win32Indicator(const IndicatorDesign& design) : design_(design) {}
    ~Win32Indicator() override;
    Win32Indicator(const Win32Indicator&) = delete;
    Win32Indicator& operator=(const Win32Indicator&) = delete;

    // Makes the hidden indicator window; form owns it from then on.
    bool Create(HINSTANCE module, HWND form, int id, const RECT& bounds);
    // The form's ImageList1, attached by SetIconImageList(true).
    void SetImageSource(HIMAGELIST images) { source_ = images; }
    // The form's dpi, for the image's margin.
    void SetDpi(UINT dpi);

    HWND Hwnd() const { return window_; }
    bool Flashing() const { return timer_.Running(); }
    // Index of the image on show now, or -1 when none is drawn.
    int CurrentImage() const;

    void SetIconImageList(bool attached) noexcept override;
    void SetErrorCaption(const std::string& caption) noexcept override;
    void ShowError(const std::string& detail) noexcept override;
    void ClearError() noexcept override;

    // The class's window procedure hands every message here.
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void CreateTooltip(HWND form);
    void UpdateTexts();
    void StartFlashing();
    void StopFlashing();
    void OnTimer();
    void Paint();
    void OnWindowGone();

    IndicatorDesign design_;
    HWND window_ = nullptr;
    unique_hwnd tooltip_;
    WindowTimer timer_;
    HIMAGELIST source_ = nullptr;
    HIMAGELIST images_ = nullptr;
    std::string caption_;
    std::string detail_;
    UINT dpi_ = 96;
    int togglesLeft_ = 0;
    bool showingFlashed_ = false;
};

}  // namespace kvex::win32
