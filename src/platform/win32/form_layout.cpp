#include "platform/win32/form_layout.h"

#include <algorithm>
#include <climits>
#include <cerrno>
#include <cstdlib>
#include <cwchar>
#include <utility>
#include <vector>

#include "platform/win32/dpi.h"
#include "platform/win32/form_window.h"
#include "platform/win32/subclass.h"
#include "wide_text.h"

namespace kvex::win32 {
namespace {

constexpr UINT_PTR kLayoutSubclassId = 0x4C59;  // one keeper per window

// Both forms share one section; their keys carry the form's name.
std::string Key(const std::string& formKey, const char* field) { return formKey + "." + field; }

// The section's "key=value" lines, read at once: each key read on its own
// opens and parses the file again, which shows in the time a dialog takes to open.
class IniSection {
public:
    IniSection(const std::string& iniPath, const std::string& section) {
        std::vector<wchar_t> buffer(4096);
        for (;;) {
            const DWORD n = ::GetPrivateProfileSectionW(Utf8ToWide(section).c_str(), buffer.data(),
                                                        static_cast<DWORD>(buffer.size()),
                                                        Utf8ToWide(iniPath).c_str());
            // A full buffer reads size - 2; the lines then may be cut short.
            if (n + 2 < buffer.size() || buffer.size() >= (1u << 20)) {
                buffer.resize(n);
                break;
            }
            buffer.resize(buffer.size() * 4);
        }
        for (std::size_t i = 0; i < buffer.size();) {
            const std::wstring line(buffer.data() + i);
            i += line.size() + 1;
            const std::size_t eq = line.find(L'=');
            if (eq != std::wstring::npos) lines_.emplace_back(Trimmed(line.substr(0, eq)), Trimmed(line.substr(eq + 1)));
        }
    }

    std::optional<long> Number(const std::string& key) const {
        const std::wstring wideKey = Utf8ToWide(key);
        for (const auto& [name, value] : lines_) {
            // Keys compare without regard to case, as the profile functions do.
            if (::CompareStringOrdinal(name.c_str(), -1, wideKey.c_str(), -1, TRUE) != CSTR_EQUAL) continue;
            if (value.empty()) return std::nullopt;
            wchar_t* end = nullptr;
            errno = 0;
            const long number = std::wcstol(value.c_str(), &end, 10);
            if (errno != 0 || *end != L'\0') return std::nullopt;
            return number;
        }
        return std::nullopt;
    }

private:
    // A hand-edited file may have blanks around the "=".
    static std::wstring Trimmed(const std::wstring& text) {
        const std::size_t first = text.find_first_not_of(L" \t");
        if (first == std::wstring::npos) return {};
        return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
    }

    std::vector<std::pair<std::wstring, std::wstring>> lines_;
};

void WriteNumber(const std::string& iniPath, const std::string& section, const std::string& key, long value) {
    ::WritePrivateProfileStringW(Utf8ToWide(section).c_str(), Utf8ToWide(key).c_str(),
                                 std::to_wstring(value).c_str(), Utf8ToWide(iniPath).c_str());
}

RECT ToRect(const core::Edges& edges) { return RECT{edges.left, edges.top, edges.right, edges.bottom}; }

// The work area of the screen nearest to rect, and the top left of that
// screen's work area as GetWindowPlacement's workspace coordinates see it
// (a taskbar at the top or left moves it).
struct WorkArea {
    RECT work;
    POINT workspaceOrigin;
};
std::optional<WorkArea> NearestWorkArea(const RECT& rect) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) return std::nullopt;
    return WorkArea{info.rcWork, {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top}};
}

std::string FormKeyOf(ui::IFormWindow& form, HWND window) {
    if (auto* win32 = dynamic_cast<Win32FormWindow*>(&form)) return win32->FormName();
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return name;
}

// A window size saved at one dpi as the window has it at its own: the client
// area keeps its size in inches, the frame is the one the window has now.
core::Placement ResizedForDpi(HWND window, const core::Placement& saved, UINT fromDpi, UINT toDpi) {
    if (fromDpi == toDpi) return saved;
    const auto style = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
    const SIZE fromFrame = FrameSize(style, exStyle, fromDpi);
    const SIZE toFrame = WindowFrame(window, toDpi);
    const int width = ScaleToDpi(std::max<int>(0, saved.width - fromFrame.cx), fromDpi, toDpi);
    const int height = ScaleToDpi(std::max<int>(0, saved.height - fromFrame.cy), fromDpi, toDpi);
    // A hand-edited size near the 32-bit end stays there.
    return {saved.left, saved.top, width + std::min<int>(toFrame.cx, INT_MAX - width),
            height + std::min<int>(toFrame.cy, INT_MAX - height)};
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

std::optional<SavedPlacement> ReadSavedPlacement(const std::string& iniPath, const std::string& section,
                                                 const std::string& formKey) {
    const IniSection lines(iniPath, section);
    auto left = lines.Number(Key(formKey, "Left"));
    auto top = lines.Number(Key(formKey, "Top"));
    auto width = lines.Number(Key(formKey, "Width"));
    auto height = lines.Number(Key(formKey, "Height"));
    if (!left || !top || !width || !height || *width <= 0 || *height <= 0) return std::nullopt;
    auto dpi = lines.Number(Key(formKey, "Dpi"));
    if (!dpi || *dpi <= 0 || *dpi > 4 * 1440) dpi = kDesignDpi;
    return SavedPlacement{{static_cast<std::int32_t>(*left), static_cast<std::int32_t>(*top),
                           static_cast<std::int32_t>(*width), static_cast<std::int32_t>(*height)},
                          static_cast<UINT>(*dpi)};
}

void WriteSavedPlacement(const std::string& iniPath, const std::string& section, const std::string& formKey,
                         const SavedPlacement& placement) {
    const core::Placement& place = placement.place;
    WriteNumber(iniPath, section, Key(formKey, "Left"), place.left);
    WriteNumber(iniPath, section, Key(formKey, "Top"), place.top);
    WriteNumber(iniPath, section, Key(formKey, "Width"), place.width);
    WriteNumber(iniPath, section, Key(formKey, "Height"), place.height);
    WriteNumber(iniPath, section, Key(formKey, "Dpi"), static_cast<long>(placement.dpi));
}

Win32FormLayout::~Win32FormLayout() { RemoveSubclass<Win32FormLayout>(window_, kLayoutSubclassId); }

void Win32FormLayout::Attach(ui::IFormWindow& form) {
    HWND window = reinterpret_cast<HWND>(form.NativeHandle());
    if (window == window_) return;
    RemoveSubclass<Win32FormLayout>(window_, kLayoutSubclassId);
    window_ = InstallSubclass(window, this, kLayoutSubclassId) ? window : nullptr;
    form_ = window_ ? dynamic_cast<Win32FormWindow*>(&form) : nullptr;
}

UINT Win32FormLayout::Dpi() const { return form_ ? form_->Dpi() : WindowDpi(window_); }

// The floors are outer sizes at 96 dpi: their client part grows with the
// dpi, and the frame is the one the window has. Those frames were thinner in
// their day than today, so the designed client area is a floor as well: at
// the floor no control is cut off.
SIZE Win32FormLayout::Floor() const {
    if (!window_ || (minWidth_ <= 0 && minHeight_ <= 0)) return SIZE{0, 0};
    const UINT dpi = Dpi();
    const SIZE frame96 = FrameSize(static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_STYLE)),
                                   static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_EXSTYLE)), kDesignDpi);
    const SIZE frame = WindowFrame(window_, dpi);
    SIZE floor{ScaleToDpi(std::max(0L, minWidth_ - frame96.cx), kDesignDpi, dpi) + frame.cx,
               ScaleToDpi(std::max(0L, minHeight_ - frame96.cy), kDesignDpi, dpi) + frame.cy};
    if (form_) {
        const SIZE designed = form_->DesignedOuterSize();
        floor.cx = std::max(floor.cx, designed.cx);
        floor.cy = std::max(floor.cy, designed.cy);
    }
    return floor;
}

void Win32FormLayout::PositionForm(ui::IFormWindow& form, bool restore, const std::string& section,
                                   const std::string& iniPath) noexcept {
    HWND window = reinterpret_cast<HWND>(form.NativeHandle());
    if (!window) return;
    const std::string formKey = FormKeyOf(form, window);
    if (restore)
        Restore(window, formKey, section, iniPath);
    else
        Save(window, formKey, section, iniPath);
}

void Win32FormLayout::Restore(HWND window, const std::string& formKey, const std::string& section,
                              const std::string& iniPath) {
    const auto saved = ReadSavedPlacement(iniPath, section, formKey);
    if (!saved) return CenterOnMonitor(window);
    const UINT dpi = window == window_ ? Dpi() : WindowDpi(window);
    core::Placement place = ResizedForDpi(window, saved->place, saved->dpi, dpi);
    // A size below the floor (an older, smaller floor) opens at the floor.
    if (window == window_) {
        const SIZE floor = Floor();
        place.width = std::max<std::int32_t>(place.width, floor.cx);
        place.height = std::max<std::int32_t>(place.height, floor.cy);
    }
    // Saved in workspace coordinates; a screen that is gone leaves the
    // window on the nearest one, at its size where that fits, as Windows
    // restores a placement.
    const auto nearest = NearestWorkArea(ToRect(core::EdgesOf(place)));
    if (!nearest) return CenterOnMonitor(window);
    const core::Placement onScreen = core::Shifted(place, nearest->workspaceOrigin.x, nearest->workspaceOrigin.y);
    const RECT& work = nearest->work;
    const core::Edges fitted = core::FitInside(onScreen, {work.left, work.top, work.right, work.bottom});
    ::SetWindowPos(window, nullptr, fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormLayout::Save(HWND window, const std::string& formKey, const std::string& section,
                           const std::string& iniPath) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(window, &placement)) return;
    const UINT dpi = window == window_ ? Dpi() : WindowDpi(window);
    const RECT& rect = placement.rcNormalPosition;
    WriteSavedPlacement(iniPath, section, formKey,
                        {{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}, dpi});
}

void Win32FormLayout::Refresh() noexcept {
    if (!window_) return;
    RECT rect;
    if (!::GetWindowRect(window_, &rect)) return;
    const SIZE floor = Floor();
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width >= floor.cx && height >= floor.cy) return;
    ::SetWindowPos(window_, nullptr, 0, 0, std::max<int>(width, floor.cx), std::max<int>(height, floor.cy),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Win32FormLayout::OnSubclassMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_GETMINMAXINFO) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        const SIZE floor = Floor();
        limits->ptMinTrackSize.x = std::max<LONG>(limits->ptMinTrackSize.x, floor.cx);
        limits->ptMinTrackSize.y = std::max<LONG>(limits->ptMinTrackSize.y, floor.cy);
        return 0;
    }
    return result;
}

}  // namespace kvex::win32
