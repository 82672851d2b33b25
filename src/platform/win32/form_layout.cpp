#include "platform/win32/form_layout.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cwchar>

#include "platform/win32/form_window.h"
#include "platform/win32/subclass.h"
#include "platform/win32/text.h"

namespace kvex::win32 {
namespace {

constexpr UINT_PTR kLayoutSubclassId = 0x4C59;  // one keeper per window

// Both forms share one section; their keys carry the form's name.
std::string Key(const std::string& formKey, const char* field) { return formKey + "." + field; }

std::optional<long> ReadNumber(const std::string& iniPath, const std::string& section, const std::string& key) {
    // Wide, for the path: the component may live in a folder the ANSI code page cannot name.
    wchar_t text[32] = {};
    ::GetPrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(), L"", text, 32,
                               Utf8ToWide(iniPath).c_str());
    if (!text[0]) return std::nullopt;
    wchar_t* end = nullptr;
    errno = 0;
    long value = std::wcstol(text, &end, 10);
    if (errno != 0 || *end != L'\0') return std::nullopt;
    return value;
}

void WriteNumber(const std::string& iniPath, const std::string& section, const std::string& key, long value) {
    ::WritePrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(),
                                 std::to_wstring(value).c_str(), Utf8ToWide(iniPath).c_str());
}

// GetWindowPlacement speaks workspace coordinates: the origin is the top left
// of the work area, which a taskbar at the top or left moves.
POINT WorkspaceOrigin(const RECT& rect) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    HMONITOR monitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTOPRIMARY);
    if (!::GetMonitorInfoA(monitor, &info)) return POINT{0, 0};
    return POINT{info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
}

std::string FormKeyOf(ui::IFormWindow& form, HWND window) {
    if (auto* win32 = dynamic_cast<Win32FormWindow*>(&form)) return win32->FormName();
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

void CenterOnMonitor(HWND window) {
    RECT rect;
    if (!::GetWindowRect(window, &rect)) return;
    HWND reference = ::GetForegroundWindow();
    HMONITOR monitor = ::MonitorFromWindow(reference ? reference : window, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoA(monitor, &info)) return;
    const RECT& work = info.rcWork;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

std::optional<RECT> ReadSavedPlacement(const std::string& iniPath, const std::string& section,
                                       const std::string& formKey) {
    auto left = ReadNumber(iniPath, section, Key(formKey, "Left"));
    auto top = ReadNumber(iniPath, section, Key(formKey, "Top"));
    auto width = ReadNumber(iniPath, section, Key(formKey, "Width"));
    auto height = ReadNumber(iniPath, section, Key(formKey, "Height"));
    if (!left || !top || !width || !height || *width <= 0 || *height <= 0) return std::nullopt;
    return RECT{*left, *top, *left + *width, *top + *height};
}

void WriteSavedPlacement(const std::string& iniPath, const std::string& section, const std::string& formKey,
                         const RECT& rect) {
    WriteNumber(iniPath, section, Key(formKey, "Left"), rect.left);
    WriteNumber(iniPath, section, Key(formKey, "Top"), rect.top);
    WriteNumber(iniPath, section, Key(formKey, "Width"), rect.right - rect.left);
    WriteNumber(iniPath, section, Key(formKey, "Height"), rect.bottom - rect.top);
}

Win32FormLayout::~Win32FormLayout() { RemoveSubclass<Win32FormLayout>(window_, kLayoutSubclassId); }

void Win32FormLayout::Attach(ui::IFormWindow& form) {
    HWND window = reinterpret_cast<HWND>(form.NativeHandle());
    if (window == window_) return;
    RemoveSubclass<Win32FormLayout>(window_, kLayoutSubclassId);
    window_ = InstallSubclass(window, this, kLayoutSubclassId) ? window : nullptr;
}

void Win32FormLayout::PositionForm(ui::IFormWindow& form, bool restore, const std::string& section,
                                   const std::string& iniPath) {
    HWND window = reinterpret_cast<HWND>(form.NativeHandle());
    if (!window) return;
    const std::string formKey = FormKeyOf(form, window);
    if (restore)
        Restore(window, formKey, section, iniPath);
    else
        Save(window, formKey, section, iniPath);
}

bool Win32FormLayout::Usable(const RECT& screenRect) const {
    if (screenRect.right - screenRect.left < minWidth_ || screenRect.bottom - screenRect.top < minHeight_)
        return false;
    return ::MonitorFromRect(&screenRect, MONITOR_DEFAULTTONULL) != nullptr;
}

void Win32FormLayout::Restore(HWND window, const std::string& formKey, const std::string& section,
                              const std::string& iniPath) {
    auto saved = ReadSavedPlacement(iniPath, section, formKey);
    if (saved) {
        RECT screen = *saved;
        POINT origin = WorkspaceOrigin(screen);
        ::OffsetRect(&screen, origin.x, origin.y);
        if (Usable(screen)) {
            WINDOWPLACEMENT placement{};
            placement.length = sizeof(placement);
            ::GetWindowPlacement(window, &placement);
            placement.flags = 0;
            placement.showCmd = ::IsWindowVisible(window) ? SW_SHOWNA : SW_HIDE;
            placement.rcNormalPosition = *saved;
            ::SetWindowPlacement(window, &placement);
            return;
        }
    }
    CenterOnMonitor(window);
}

void Win32FormLayout::Save(HWND window, const std::string& formKey, const std::string& section,
                           const std::string& iniPath) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(window, &placement)) return;
    WriteSavedPlacement(iniPath, section, formKey, placement.rcNormalPosition);
}

void Win32FormLayout::Refresh() {
    if (!window_) return;
    RECT rect;
    if (!::GetWindowRect(window_, &rect)) return;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width >= minWidth_ && height >= minHeight_) return;
    ::SetWindowPos(window_, nullptr, 0, 0, std::max(width, minWidth_), std::max(height, minHeight_),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Win32FormLayout::OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_GETMINMAXINFO) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize.x = std::max<LONG>(limits->ptMinTrackSize.x, minWidth_);
        limits->ptMinTrackSize.y = std::max<LONG>(limits->ptMinTrackSize.y, minHeight_);
        return 0;
    }
    return result;
}

}  // namespace kvex::win32
