#include "platform/win32/indicator.h"

#include <commctrl.h>

#include "platform/win32/control_ids.h"
#include "platform/win32/form_builder.h"
#include "platform/win32/controls.h"
#include "platform/win32/tooltip.h"
#include "platform/win32/window_class.h"

namespace kvex::win32 {
namespace {

constexpr UINT_PTR kFlashTimer = 1;
constexpr int kImageSize = 16;

}  // namespace

Win32Indicator::~Win32Indicator() {
    timer_.Stop();
    DestroyOwnedWindow(tooltip_);
    if (window_) ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

bool Win32Indicator::Create(HINSTANCE module, HWND form, int id, const RECT& bounds) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = &ObjectWindowProc<Win32Indicator>;
    cls.hInstance = module;
    cls.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    cls.lpszClassName = ids::kIndicatorClass;
    if (!EnsureWindowClass(cls)) return false;
    window_ = ::CreateWindowExW(0, ids::kIndicatorClass, L"", WS_CHILD, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, form,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, this);
    // The tooltip, a pop-up window of its own, waits for the first error:
    // most opens never show one, and every window counts while opening.
    return window_ != nullptr;
}

void Win32Indicator::CreateTooltip(HWND form) {
    tooltip_ = win32::CreateTooltip(form);
    AddTool(tooltip_.get(), window_, detail_);
}

void Win32Indicator::SetDpi(UINT dpi) {
    dpi_ = dpi;
    if (window_) ::InvalidateRect(window_, nullptr, TRUE);
}

int Win32Indicator::CurrentImage() const {
    if (!images_) return -1;
    return showingFlashed_ ? design_.flashedImage : design_.image;
}

void Win32Indicator::SetIconImageList(bool attached) noexcept {
    images_ = attached ? source_ : nullptr;
    if (!images_) StopFlashing();
    if (window_) ::InvalidateRect(window_, nullptr, TRUE);
}

void Win32Indicator::SetErrorCaption(const std::string& caption) noexcept {
    caption_ = caption;
    UpdateTexts();
}

void Win32Indicator::ShowError(const std::string& detail) noexcept {
    detail_ = detail;
    if (window_ && !tooltip_) CreateTooltip(::GetParent(window_));
    UpdateTexts();
    // Its own visible bit: the form itself may still be hidden during load.
    if (!window_ || (::GetWindowLongPtrA(window_, GWL_STYLE) & WS_VISIBLE)) return;
    ::ShowWindow(window_, SW_SHOWNA);
    StartFlashing();
}

void Win32Indicator::ClearError() noexcept {
    StopFlashing();
    if (window_) ::ShowWindow(window_, SW_HIDE);
}

void Win32Indicator::UpdateTexts() {
    if (!window_) return;
    std::string text = caption_;
    if (!detail_.empty()) text += (text.empty() ? "" : ": ") + detail_;
    SetUtf8WindowText(window_, text);
    SetTooltipErrorTitle(tooltip_.get(), caption_);
    SetToolText(tooltip_.get(), window_, detail_);
}

void Win32Indicator::StartFlashing() {
    showingFlashed_ = false;
    togglesLeft_ = 2 * design_.flashes;
    if (togglesLeft_ > 0 && images_) timer_.Start(window_, kFlashTimer, design_.flashMilliseconds);
    ::InvalidateRect(window_, nullptr, TRUE);
}

void Win32Indicator::StopFlashing() {
    timer_.Stop();
    togglesLeft_ = 0;
    showingFlashed_ = false;
    if (window_) ::InvalidateRect(window_, nullptr, TRUE);
}

void Win32Indicator::OnTimer() {
    showingFlashed_ = !showingFlashed_;
    if (--togglesLeft_ <= 0) StopFlashing();
    ::InvalidateRect(window_, nullptr, TRUE);
}

void Win32Indicator::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    RECT client;
    ::GetClientRect(window_, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    int image = CurrentImage();
    if (image >= 0)
        ::ImageList_Draw(images_, image, dc, TwipsToPixels(design_.paddingTwips, dpi_),
                         (client.bottom - kImageSize) / 2, ILD_TRANSPARENT);
    ::EndPaint(window_, &paint);
}

void Win32Indicator::OnWindowGone() {
    timer_.Stop();
    window_ = nullptr;
    // The tooltip belongs to the form and went with it, or goes now.
    DestroyOwnedWindow(tooltip_);
}

LRESULT Win32Indicator::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Messages of creation arrive before the object holds its window.
    if (!window_) return ::DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_TIMER:
        if (wParam == kFlashTimer) OnTimer();
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        OnWindowGone();
        break;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace kvex::win32
