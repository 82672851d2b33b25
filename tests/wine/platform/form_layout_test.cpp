// The layout keeper over both forms at the screen's dpi: 96 here, 144 in a
// child run of this suite (Wine reads LogPixels when a process starts). Each
// form keeps its designed size in inches, its fonts in points and every
// control inside the client area: as designed, restored from position.ini,
// at its floor, and moved to a screen of 192 dpi.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "common/temp_folder.h"
#include "module_path.h"
#include "platform/win32/dpi.h"
#include "platform/win32/edit_filter_view.h"
#include "platform/win32/filter_maker_view.h"
#include "platform/win32/form_layout.h"
#include "support.h"
#include "ui/edit_filter_design.h"
#include "ui/filter_maker_design.h"
#include "unique_any.h"

namespace kvex::testing {
namespace {
using win32::Win32FormWindow;

const std::string kSection = "Filter Maker";

SIZE ClientSize(HWND form) {
    RECT client{};
    ::GetClientRect(form, &client);
    return SIZE{client.right, client.bottom};
}

RECT Place(HWND form) {
    RECT place{};
    ::GetWindowRect(form, &place);
    return place;
}

// Every child inside the client area (labels designed to overhang an edge by
// 15 twips may), each font one of the design's at this dpi.
template <typename Design>
void ExpectControlsInside(HWND form, UINT dpi) {
    const SIZE client = ClientSize(form);
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        SCOPED_TRACE("control " + std::to_string(::GetDlgCtrlID(child)) + " at " + std::to_string(dpi) + " dpi");
        wchar_t windowClass[32] = {};
        ::GetClassNameW(child, windowClass, 32);
        const int slack = _wcsicmp(windowClass, L"Static") == 0 ? ::MulDiv(15, dpi, 1440) + 1 : 0;
        RECT at = Place(child);
        ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&at), 2);
        EXPECT_TRUE(at.left >= -slack && at.top >= -slack && at.right <= client.cx + slack &&
                    at.bottom <= client.cy + slack && at.right > at.left && at.bottom > at.top)
            << at.left << "," << at.top << "," << at.right << "," << at.bottom << " in " << client.cx << "x"
            << client.cy;
        LOGFONTW font{};
        if (!::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)), sizeof(font), &font))
            continue;
        double nearest = 1e9;
        for (const auto& designed : Design::kFonts)
            nearest = std::min(nearest, std::abs(std::abs(font.lfHeight) - designed.points * dpi / 72));
        EXPECT_LE(nearest, 1.0) << "font height " << font.lfHeight;
    }
}

template <typename View, typename Design>
void ExpectFormHoldsAtScreenDpi() {
    const UINT dpi = win32::SystemDpi();
    const double scale = dpi / 96.0;
    const SIZE frame96 = win32::FrameSize(Win32FormWindow::kStyle, Win32FormWindow::kExStyle, 96);
    const SIZE design96{Design::kForm.width / 15, Design::kForm.height / 15};
    const SIZE floor96{design96.cx + 10 + frame96.cx, design96.cy + 6 + frame96.cy};
    View view(TestModule());
    view.Window().EnsureLoaded();
    HWND form = view.Window().Hwnd();
    ASSERT_NE(form, nullptr);
    win32::Win32FormLayout layout;
    layout.SetMinWidth(floor96.cx);
    layout.SetMinHeight(floor96.cy);
    layout.SetForm(view.Window());
    SIZE client = ClientSize(form);
    EXPECT_NEAR(client.cx, design96.cx * scale, 1.0);
    EXPECT_NEAR(client.cy, design96.cy * scale, 1.0);
    ExpectControlsInside<Design>(form, dpi);

    // Saved at 96 dpi before the dpi was kept: the same place, the same inches.
    TempFolder folder;
    const std::string ini = Utf8Path(folder / L"position.ini");
    const SIZE saved96{design96.cx + 20 + frame96.cx, design96.cy + 12 + frame96.cy};
    const std::pair<const char*, LONG> fields[] = {{"Left", 40}, {"Top", 30}, {"Width", saved96.cx}, {"Height", saved96.cy}};
    for (const auto& [name, value] : fields)
        ::WritePrivateProfileStringA(kSection.c_str(), (std::string(Design::kForm.name) + "." + name).c_str(),
                                     std::to_string(value).c_str(), ini.c_str());
    layout.PositionForm(view.Window(), true, kSection, ini);
    EXPECT_EQ(Place(form).left, 40);
    EXPECT_EQ(Place(form).top, 30);
    client = ClientSize(form);
    EXPECT_NEAR(client.cx, (saved96.cx - frame96.cx) * scale, 1.5);
    EXPECT_NEAR(client.cy, (saved96.cy - frame96.cy) * scale, 1.5);

    // Sized down as far as it goes: the floor's client part grown with the dpi.
    ::SetWindowPos(form, nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SIZE atFloor = ClientSize(form);
    EXPECT_GE(atFloor.cx, ::MulDiv(floor96.cx - frame96.cx, dpi, 96));
    EXPECT_GE(atFloor.cy, ::MulDiv(floor96.cy - frame96.cy, dpi, 96));
    ExpectControlsInside<Design>(form, dpi);

    // Moved to a 192-dpi screen as Windows moves a window aware of each
    // monitor's dpi: it asks for its size there and suggests that. Wine keeps
    // the frame of its one dpi, so the suggestion carries that frame.
    SIZE size{};
    ASSERT_TRUE(::SendMessageW(form, win32::kWmGetDpiScaledSize, 192, reinterpret_cast<LPARAM>(&size)));
    const SIZE predicted = win32::FrameSize(Win32FormWindow::kStyle, Win32FormWindow::kExStyle, 192);
    const SIZE kept = win32::WindowFrame(form, dpi);
    RECT suggested{0, 0, size.cx - predicted.cx + kept.cx, size.cy - predicted.cy + kept.cy};
    ::SendMessageW(form, win32::kWmDpiChanged, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(view.Window().Dpi(), 192u);
    client = ClientSize(form);
    EXPECT_NEAR(client.cx, atFloor.cx * 192.0 / dpi, 1.0);
    EXPECT_NEAR(client.cy, atFloor.cy * 192.0 / dpi, 1.0);
    ExpectControlsInside<Design>(form, 192);
    // Saved again, the entry carries the dpi it was saved at.
    layout.PositionForm(view.Window(), false, kSection, ini);
    auto entry = win32::ReadSavedPlacement(ini, kSection, Design::kForm.name);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->dpi, 192u);
}

TEST(FormLayout, FilterMakerAtScreenDpi) { ExpectFormHoldsAtScreenDpi<win32::FilterMakerView, ui::FilterMakerDesign>(); }

TEST(FormLayout, EditFilterAtScreenDpi) { ExpectFormHoldsAtScreenDpi<win32::EditFilterView, ui::EditFilterDesign>(); }

// A place off every screen is ignored and the form centred; a size below the
// floor (an older floor) opens at its place, grown to the floor.
TEST(FormLayout, PlacesOffScreenAreIgnoredAndSizesBelowTheFloorGrow) {
    TempFolder folder;
    const std::string ini = Utf8Path(folder / L"position.ini");
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    constexpr SIZE kFloor{680, 460};  // above the designed size, so that it shows
    const struct {
        RECT saved;
        POINT centre;
        bool grows;
    } cases[] = {
        {{30000, 30000, 30100, 30050}, {(work.left + work.right) / 2, (work.top + work.bottom) / 2}, false},
        {{40, 30, 140, 80}, {40 + kFloor.cx / 2, 30 + kFloor.cy / 2}, true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.saved.left);
        win32::WriteSavedPlacement(ini, kSection, "frmFM", {row.saved, 96});
        win32::FilterMakerView view(TestModule());
        view.Window().EnsureLoaded();
        win32::Win32FormLayout layout;
        layout.SetMinWidth(kFloor.cx);
        layout.SetMinHeight(kFloor.cy);
        layout.SetForm(view.Window());
        const RECT opened = Place(view.Window().Hwnd());
        layout.PositionForm(view.Window(), true, kSection, ini);
        const RECT placed = Place(view.Window().Hwnd());
        EXPECT_EQ(placed.right - placed.left, row.grows ? kFloor.cx : opened.right - opened.left);
        EXPECT_EQ(placed.bottom - placed.top, row.grows ? kFloor.cy : opened.bottom - opened.top);
        EXPECT_NEAR((placed.left + placed.right) / 2, row.centre.x, 1);
        EXPECT_NEAR((placed.top + placed.bottom) / 2, row.centre.y, 1);

        // Refresh grows the window to a raised floor.
        layout.SetMinWidth(kFloor.cx + 100);
        layout.Refresh();
        EXPECT_EQ(Place(view.Window().Hwnd()).right - Place(view.Window().Hwnd()).left, kFloor.cx + 100);
    }
}

TEST(FormLayout, FormsAt144DpiInAChildProcess) {
    if (win32::SystemDpi() != 96) GTEST_SKIP();
    win32::unique_hkey desktop;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                desktop.put(), nullptr),
              ERROR_SUCCESS);
    const DWORD dpi = 144;
    ::RegSetValueExW(desktop.get(), L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    std::wstring command = L"\"" + win32::ModulePath(nullptr) + L"\" --gtest_filter=FormLayout.*AtScreenDpi";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    const BOOL started =
        ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child);
    DWORD exitCode = 1;
    if (started) {
        const win32::unique_handle process(child.hProcess), thread(child.hThread);
        if (::WaitForSingleObject(process.get(), 120000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 124);
        ::WaitForSingleObject(process.get(), 5000);
        ::GetExitCodeProcess(process.get(), &exitCode);
    }
    ::RegDeleteValueW(desktop.get(), L"LogPixels");
    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u) << "the forms at 144 dpi failed; their output is above";
}

}  // namespace
}  // namespace kvex::testing
