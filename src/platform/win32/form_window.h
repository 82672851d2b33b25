#pragma once
// The top-level window of a form: created hidden on first need, shown
// modally like a dialog (the thread's other windows disabled, a message loop
// with the dialog manager's keyboard handling) and destroyed by Unload.
#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/handles.h"
#include "ui/controls.h"

namespace kvex::win32 {

struct FormDesign {
    const char* formName;  // tells the forms apart in position.ini
    const char* caption;
    SIZE clientTwips;
};

// What a form's view adds to the generic window: its controls and their events.
class IFormContent {
public:
    virtual ~IFormContent() = default;
    // The window exists, hidden: create the controls, in tab order, for the
    // window's dpi.
    virtual void CreateControls(HWND form, UINT dpi) = 0;
    // The window moved to a screen of another dpi: new fonts, new places.
    virtual void OnDpiChanged(UINT dpi) = 0;
    // The form logic's events, or null before it has been handed in.
    virtual ui::IFormEvents* Events() = 0;
    // WM_COMMAND from a child control.
    virtual void OnCommand(int id, int notification) = 0;
    // Colours of a static control; null leaves them to the system.
    virtual HBRUSH OnCtlColorStatic(HWND control, HDC dc) = 0;
    // Owner-drawn controls; false when not one of this form's.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& item) = 0;
    // The window and its children are gone.
    virtual void OnWindowDestroyed() = 0;
    // The form's pop-up menu; -1 when it has none or nothing was chosen.
    virtual int PopupMenu(HWND form, int defaultItem) = 0;
};

class ModalSession;

class Win32FormWindow : public ui::IFormWindow {
public:
    // No WS_CLIPCHILDREN, as a dialog box has none: the controls paint over
    // the erased background all the same, and Wine worked out the window's
    // clipping around every control at each show (about 1.5 ms an open).
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    static constexpr DWORD kExStyle = WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

    Win32FormWindow(HINSTANCE module, const FormDesign& design, IFormContent& content);
    ~Win32FormWindow() override;
    Win32FormWindow(const Win32FormWindow&) = delete;
    Win32FormWindow& operator=(const Win32FormWindow&) = delete;

    void EnsureLoaded() noexcept override;
    void ShowModal() noexcept override;
    void Unload() noexcept override;
    bool Loaded() const noexcept override { return static_cast<bool>(window_); }
    void SetCaption(const std::string& caption) noexcept override;
    std::string Caption() const noexcept override;
    void SetIcon(int iconResourceId) noexcept override;
    std::intptr_t NativeHandle() const noexcept override { return reinterpret_cast<std::intptr_t>(window_.get()); }
    int PopupMenu(int defaultItem) noexcept override;

    HWND Hwnd() const { return window_.get(); }
    // The dpi the controls are laid out for.
    UINT Dpi() const { return dpi_; }
    // The outer size whose client area is the designed one at the window's dpi,
    // with the frame the window has.
    SIZE DesignedOuterSize() const;
    const std::string& FormName() const { return formName_; }
    HINSTANCE Module() const { return module_; }

    // The class's window procedure hands every message here.
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    template <typename Event>
    void Raise(Event event);
    void ApplyIcon();
    void OnActivate(bool active);
    void FocusFirstControl();
    void RunModalLoop();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    bool ScaledSize(UINT dpi, SIZE& size) const;

    HINSTANCE module_;
    std::string formName_;
    std::string caption_;
    SIZE clientTwips_;
    UINT dpi_;
    IFormContent& content_;
    unique_hwnd window_;
    HICON bigIcon_ = nullptr;  // borrowed from the thread's image cache
    HICON smallIcon_ = nullptr;
    int iconId_ = 0;
    HWND lastFocus_ = nullptr;
    std::unique_ptr<ModalSession> modal_;
    bool resizeEvents_ = false;
    bool unloading_ = false;
    bool inModalLoop_ = false;
    bool shownOnce_ = false;
    bool destroying_ = false;
};

// The form window of the innermost modal show on this thread, or null.
HWND ActiveModalForm();

}  // namespace kvex::win32
