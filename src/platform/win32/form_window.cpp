#include "platform/win32/form_window.h"

#include <vector>

#include "platform/win32/activation_context.h"
#include "platform/win32/control_ids.h"
#include "platform/win32/controls.h"
#include "platform/win32/dpi.h"
#include "platform/win32/drawing.h"
#include "platform/win32/form_builder.h"
#include "diagnostics.h"
#include "wide_text.h"
#include "platform/win32/window_class.h"

namespace kvex::win32 {

// Makes a form modal the way a dialog box is: every other enabled, visible
// top-level window of the thread is disabled until the form goes, and the
// window that was active before gets the activation back.
class ModalSession {
public:
    explicit ModalSession(HWND form) : form_(form), previousActive_(::GetActiveWindow()) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &ModalSession::DisableOne, reinterpret_cast<LPARAM>(this));
    }
    ModalSession(const ModalSession&) = delete;
    ModalSession& operator=(const ModalSession&) = delete;
    ~ModalSession() { End(); }

    // Safe to call more than once: Unload ends the session before the window
    // is destroyed, so that the activation does not go to another program.
    void End() {
        if (ended_) return;
        ended_ = true;
        for (HWND window : disabled_)
            if (::IsWindow(window)) ::EnableWindow(window, TRUE);
        if (previousActive_ && ::IsWindow(previousActive_) && previousActive_ != form_)
            ::SetActiveWindow(previousActive_);
    }

private:
    static BOOL CALLBACK DisableOne(HWND window, LPARAM self) {
        auto* session = reinterpret_cast<ModalSession*>(self);
        if (window != session->form_ && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
            ::EnableWindow(window, FALSE);
            session->disabled_.push_back(window);
        }
        return TRUE;
    }

    HWND form_;
    HWND previousActive_;
    std::vector<HWND> disabled_;
    bool ended_ = false;
};

namespace {

// This thread's modal shows, innermost first, as a chain of stack frames.
struct ModalFrame {
    HWND form;
    ModalFrame* outer;
};
thread_local ModalFrame* tInnermostModal = nullptr;

class ModalFrameScope {
public:
    explicit ModalFrameScope(HWND form) : frame_{form, tInnermostModal} { tInnermostModal = &frame_; }
    ModalFrameScope(const ModalFrameScope&) = delete;
    ModalFrameScope& operator=(const ModalFrameScope&) = delete;
    ~ModalFrameScope() { tInnermostModal = frame_.outer; }

private:
    ModalFrame frame_;
};

class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
    ~FlagScope() { flag_ = false; }

private:
    bool& flag_;
};

bool EnsureFormClass(HINSTANCE module, WNDPROC procedure) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = procedure;
    cls.hInstance = module;
    cls.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = ids::kFormClass;
    return EnsureWindowClass(cls);
}

bool CanTakeFocus(HWND control) {
    LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE);
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

}  // namespace

HWND ActiveModalForm() { return tInnermostModal ? tInnermostModal->form : nullptr; }

namespace {

// The window a new form belongs to, so that it stays above it and has no
// taskbar button of its own: the form shown modally on this thread (the
// Filter Maker, for an Edit Filter opened from it), else the host's active
// window on this thread; none for a host without windows (a script).
HWND OwnerOfNewForm() {
    if (HWND form = ActiveModalForm()) return form;
    HWND active = ::GetActiveWindow();
    if (!active || !::IsWindowVisible(active) || ::GetWindowThreadProcessId(active, nullptr) != ::GetCurrentThreadId())
        return nullptr;
    return ::GetAncestor(active, GA_ROOT);
}

}  // namespace

Win32FormWindow::Win32FormWindow(HINSTANCE module, const FormDesign& design, IFormContent& content)
    : module_(module),
      formName_(design.formName),
      caption_(design.caption),
      clientTwips_(design.clientTwips),
      dpi_(kDesignDpi),
      content_(content) {}

Win32FormWindow::~Win32FormWindow() {
    // The form logic may be gone already: destroy without raising its events.
    destroying_ = true;
    if (modal_) modal_->End();
    window_.reset();
}

template <typename Event>
void Win32FormWindow::Raise(Event event) {
    if (destroying_) return;
    ui::IFormEvents* events = content_.Events();
    if (!events) return;
    // A failing handler ends only itself; the window's own steps go on.
    try {
        event(*events);
    } catch (...) {
        ReportSwallowed("a form's event handler failed");
    }
}

void Win32FormWindow::EnsureLoaded() noexcept {
    if (window_) return;
    ActivationScope activation(module_);
    if (!EnsureFormClass(module_, &ObjectWindowProc<Win32FormWindow>)) return;
    dpi_ = SystemDpi();
    SIZE outer = DesignedOuterSize();
    HWND window = ::CreateWindowExW(kExStyle, ids::kFormClass, Utf8ToWide(caption_).c_str(), kStyle, CW_USEDEFAULT,
                                    CW_USEDEFAULT, outer.cx, outer.cy, OwnerOfNewForm(), nullptr, module_, this);
    if (!window) return;
    // A thread aware of each monitor's dpi gets the dpi of the screen the
    // window landed on, which may not be the system's.
    if (UINT dpi = WindowDpi(window); dpi != dpi_) {
        dpi_ = dpi;
        outer = DesignedOuterSize();
        ::SetWindowPos(window, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    content_.CreateControls(window, dpi_);
    ApplyIcon();
    Raise([](ui::IFormEvents& e) { e.Form_Load(); });
}

void Win32FormWindow::ShowModal() noexcept {
    if (inModalLoop_) return;
    EnsureLoaded();
    if (!window_) return;
    FlagScope inLoop(inModalLoop_);
    ActivationScope activation(module_);
    ModalFrameScope frame(window_.get());
    modal_ = std::make_unique<ModalSession>(window_.get());
    ::ShowWindow(window_.get(), SW_SHOW);
    ::SetForegroundWindow(window_.get());
    if (!shownOnce_) {
        // Whatever sizes the first show itself reports, the form hears of
        // it once; from here on every change of size reaches it.
        shownOnce_ = true;
        Raise([](ui::IFormEvents& e) { e.Form_Resize(); });
        resizeEvents_ = static_cast<bool>(window_);
    }
    // Activation put the focus in already unless the system refused it.
    if (window_ && !::IsChild(window_.get(), ::GetFocus())) FocusFirstControl();
    RunModalLoop();
    if (modal_) modal_->End();
    modal_.reset();
}

void Win32FormWindow::RunModalLoop() {
    MSG message;
    while (window_) {
        BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            // The thread is asked to end: close the form, and leave the
            // request for the loop that owns the thread.
            Unload();
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (window_ && ::IsDialogMessageW(window_.get(), &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void Win32FormWindow::Unload() noexcept {
    if (!window_ || unloading_) return;
    FlagScope unloading(unloading_);
    Raise([](ui::IFormEvents& e) { e.Form_QueryUnload(); });
    Raise([](ui::IFormEvents& e) { e.Form_Unload(); });
    if (modal_) modal_->End();
    window_.reset();
}

void Win32FormWindow::SetCaption(const std::string& caption) noexcept {
    caption_ = caption;
    SetUtf8WindowText(window_.get(), caption);
}

std::string Win32FormWindow::Caption() const noexcept { return window_ ? WindowText(window_.get()) : caption_; }

void Win32FormWindow::SetIcon(int iconResourceId) noexcept {
    iconId_ = iconResourceId;
    if (window_) ApplyIcon();
}

void Win32FormWindow::ApplyIcon() {
    HICON big = nullptr;
    HICON small = nullptr;
    if (iconId_ != 0) {
        big = static_cast<HICON>(ModuleImage(module_, iconId_, IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                             ::GetSystemMetrics(SM_CYICON)));
        small = static_cast<HICON>(ModuleImage(module_, iconId_, IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON)));
    }
    // Wine hands every icon change to the X server: a new window, which has
    // none yet, is spared the round trip of setting none.
    if (big == bigIcon_ && small == smallIcon_) return;
    // A window with a big icon and no small one gets a small copy scaled
    // from it, and loses it again when it is given none: set the small icon
    // first and clear it last, and no copy is made for nothing.
    if (small) ::SendMessageA(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    ::SendMessageA(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (!small) ::SendMessageA(window_.get(), WM_SETICON, ICON_SMALL, 0);
    bigIcon_ = big;
    smallIcon_ = small;
}

SIZE Win32FormWindow::DesignedOuterSize() const {
    if (!window_) return OuterSizeForClient(clientTwips_, kStyle, kExStyle, dpi_);
    const SIZE frame = WindowFrame(window_.get(), dpi_);
    return SIZE{TwipsToPixels(clientTwips_.cx, dpi_) + frame.cx, TwipsToPixels(clientTwips_.cy, dpi_) + frame.cy};
}

// The window's client area keeps its size in inches: the controls are laid
// out anew and the window takes the place the system suggests.
void Win32FormWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (dpi == 0) return;
    dpi_ = dpi;
    content_.OnDpiChanged(dpi);
    ::SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The outer size for the new dpi that keeps the client area's size in
// inches; the frame does not grow in proportion, so the system's own guess
// would be off by a few pixels.
bool Win32FormWindow::ScaledSize(UINT dpi, SIZE& size) const {
    RECT client;
    if (dpi == 0 || !::GetClientRect(window_.get(), &client)) return false;
    SIZE frame = FrameSize(kStyle, kExStyle, dpi);
    size.cx = ScaleToDpi(client.right, dpi_, dpi) + frame.cx;
    size.cy = ScaleToDpi(client.bottom, dpi_, dpi) + frame.cy;
    return true;
}

int Win32FormWindow::PopupMenu(int defaultItem) noexcept {
    if (!window_) return -1;
    return content_.PopupMenu(window_.get(), defaultItem);
}

void Win32FormWindow::FocusFirstControl() {
    for (HWND child = ::GetWindow(window_.get(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (CanTakeFocus(child)) {
            ::SetFocus(child);
            return;
        }
    }
}

// A plain window forgets its focused control when it loses the activation;
// a dialog keeps it. Do as the dialog does.
void Win32FormWindow::OnActivate(bool active) {
    if (!active) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(window_.get(), focus)) lastFocus_ = focus;
        return;
    }
    if (lastFocus_ && ::IsWindow(lastFocus_) && ::IsChild(window_.get(), lastFocus_) &&
        ::IsWindowEnabled(lastFocus_))
        ::SetFocus(lastFocus_);
    else
        FocusFirstControl();
}

LRESULT Win32FormWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        window_.reset(window);
        break;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        // Enter and Escape arrive as IDOK and IDCANCEL: no button of ours
        // answers them.
        if (lParam != 0 && id != IDOK && id != IDCANCEL) content_.OnCommand(id, HIWORD(wParam));
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        if (HBRUSH brush = content_.OnCtlColorStatic(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_DRAWITEM:
        if (content_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_SIZE:
        if (resizeEvents_ && window_) Raise([](ui::IFormEvents& e) { e.Form_Resize(); });
        return 0;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SETFOCUS:
        OnActivate(true);
        return 0;
    case WM_CLOSE:
        Unload();
        return 0;
    case kWmDpiChanged:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case kWmGetDpiScaledSize:
        return ScaledSize(static_cast<UINT>(wParam), *reinterpret_cast<SIZE*>(lParam)) ? TRUE : FALSE;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_.release();
        lastFocus_ = nullptr;
        bigIcon_ = smallIcon_ = nullptr;  // a new window starts without icons
        resizeEvents_ = false;
        content_.OnWindowDestroyed();
        break;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace kvex::win32
