// Both forms on a 144-dpi screen. Wine reads LogPixels when a process starts,
// so HighDpi starts this suite again with it set, to run AtHighDpi. There each
// form, at 144 dpi and moved to screens of 120 and 192 dpi, keeps its designed
// size in inches, its fonts' size in points and every control inside the
// client area: as designed, restored from a position.ini of 96 dpi, and at
// its floor.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/win32/dpi.h"
#include "platform/win32/edit_filter_view.h"
#include "platform/win32/filter_maker_view.h"
#include "platform/win32/form_layout.h"
#include "module_path.h"
#include "support.h"
#include "unique_any.h"
#include "ui/filter_maker_design.h"
#include "ui/edit_filter_design.h"

namespace kvex::win32 {
using FM = ui::FilterMakerDesign;
using EF = ui::EditFilterDesign;
namespace {

constexpr char kChildVariable[] = "KVEX_HIGH_DPI_CHILD";
constexpr UINT kScreenDpi = 144;

bool InChild() { return ::GetEnvironmentVariableA(kChildVariable, nullptr, 0) > 0; }

struct FormCase {
    const char* formKey;
    SIZE clientTwips;  // as designed
    SIZE floor96;      // outer size floor, pixels at 96 dpi
    int textBox;
    double textPoints;
};

SIZE ClientSize(HWND form) {
    RECT client{};
    ::GetClientRect(form, &client);
    return SIZE{client.right, client.bottom};
}

// Every child inside the client area. Two labels are designed to overhang
// an edge by 15 twips, so labels may do so by that much.
void ExpectControlsInside(HWND form, UINT dpi) {
    const SIZE client = ClientSize(form);
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char windowClass[32] = {};
        ::GetClassNameA(child, windowClass, sizeof(windowClass));
        const int slack = _stricmp(windowClass, "Static") == 0 ? ::MulDiv(15, dpi, 1440) + 1 : 0;
        RECT at = test::ChildRect(child);
        EXPECT_TRUE(at.left >= -slack && at.top >= -slack && at.right <= client.cx + slack &&
                    at.bottom <= client.cy + slack && at.right > at.left && at.bottom > at.top)
            << "control " << ::GetDlgCtrlID(child) << " at " << at.left << "," << at.top << "," << at.right << ","
            << at.bottom << " in " << client.cx << "x" << client.cy;
    }
}

// Font heights in pixels by control id.
std::map<int, LONG> FontHeights(HWND form) {
    std::map<int, LONG> heights;
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto font = reinterpret_cast<HFONT>(::SendMessageA(child, WM_GETFONT, 0, 0));
        LOGFONTA design{};
        if (font && ::GetObjectA(font, sizeof(design), &design))
            heights[::GetDlgCtrlID(child)] = std::abs(design.lfHeight);
    }
    return heights;
}

// What Windows does for a window aware of each monitor's dpi: asks it for its
// size at the new dpi (linear when it does not answer) and suggests that.
// Wine keeps the frame of its one dpi: the suggestion carries that frame.
RECT MoveToScreenOfDpi(HWND form, UINT dpi) {
    RECT outer{};
    ::GetWindowRect(form, &outer);
    SIZE size{outer.right - outer.left, outer.bottom - outer.top};
    const UINT old = WindowDpi(form);
    if (!::SendMessageA(form, kWmGetDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&size)))
        size = SIZE{::MulDiv(size.cx, dpi, old), ::MulDiv(size.cy, dpi, old)};
    const SIZE predicted = FrameSize(Win32FormWindow::kStyle, Win32FormWindow::kExStyle, dpi);
    const SIZE kept = WindowFrame(form, old);
    size = SIZE{size.cx - predicted.cx + kept.cx, size.cy - predicted.cy + kept.cy};
    RECT suggested{outer.left, outer.top, outer.left + size.cx, outer.top + size.cy};
    ::SendMessageA(form, kWmDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}

template <typename View>
void ExpectFormHoldsAtHighDpi(const FormCase& design) {
    ASSERT_EQ(SystemDpi(), kScreenDpi) << "LogPixels did not reach this process";
    test::TempFolder folder;
    const std::string ini = folder.File("position.ini");
    const std::string section = "Filter Maker";
    View view(test::TestModule());
    view.Window().EnsureLoaded();
    HWND form = view.Window().Hwnd();
    ASSERT_NE(form, nullptr);
    Win32FormLayout layout;
    layout.SetMinWidth(design.floor96.cx);
    layout.SetMinHeight(design.floor96.cy);
    layout.SetForm(view.Window());

    // Saved at 96 dpi, 20 by 12 pixels of client area over the design (at 192
    // dpi it still fits the test's screen), in the format of before the dpi
    // was kept.
    const SIZE frame96 = FrameSize(Win32FormWindow::kStyle, Win32FormWindow::kExStyle, 96);
    const SIZE saved96{design.clientTwips.cx / 15 + 20, design.clientTwips.cy / 15 + 12};
    const std::pair<const char*, LONG> oldEntry[] = {
        {"Left", 40}, {"Top", 30}, {"Width", saved96.cx + frame96.cx}, {"Height", saved96.cy + frame96.cy}};
    for (const auto& [name, value] : oldEntry)
        ::WritePrivateProfileStringA(section.c_str(), (std::string(design.formKey) + "." + name).c_str(),
                                     std::to_string(value).c_str(), ini.c_str());

    const std::map<int, LONG> fonts144 = FontHeights(form);
    EXPECT_NEAR(fonts144.at(design.textBox), design.textPoints * kScreenDpi / 72, 1.0);
    for (UINT dpi : {kScreenDpi, 120u, 192u}) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
        // As designed, in inches; fonts in points.
        if (dpi != WindowDpi(form)) {
            RECT suggested = MoveToScreenOfDpi(form, dpi);
            ASSERT_EQ(view.Window().Dpi(), dpi);
            RECT outer{};
            ::GetWindowRect(form, &outer);
            EXPECT_TRUE(::EqualRect(&outer, &suggested));
        }
        SIZE client = ClientSize(form);
        EXPECT_NEAR(client.cx, design.clientTwips.cx * dpi / 1440.0, 1.0);
        EXPECT_NEAR(client.cy, design.clientTwips.cy * dpi / 1440.0, 1.0);
        ExpectControlsInside(form, dpi);
        const std::map<int, LONG> fonts = FontHeights(form);
        EXPECT_EQ(fonts.size(), fonts144.size());
        for (const auto& [id, height] : fonts)
            EXPECT_NEAR(height, fonts144.at(id) * dpi / double(kScreenDpi), 1.0) << "font of control " << id;

        // Restored from 96 dpi: the same place, the same inches.
        layout.PositionForm(view.Window(), true, section, ini);
        RECT outer{};
        ::GetWindowRect(form, &outer);
        EXPECT_EQ(outer.left, 40);
        EXPECT_EQ(outer.top, 30);
        client = ClientSize(form);
        EXPECT_NEAR(client.cx, saved96.cx * dpi / 96.0, 1.5);
        EXPECT_NEAR(client.cy, saved96.cy * dpi / 96.0, 1.5);
        ExpectControlsInside(form, dpi);

        // Sized down as far as it goes: the floor's client part, grown with
        // the dpi, holds.
        ::SetWindowPos(form, nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        client = ClientSize(form);
        EXPECT_GE(client.cx, ::MulDiv(design.floor96.cx - frame96.cx, dpi, 96));
        EXPECT_GE(client.cy, ::MulDiv(design.floor96.cy - frame96.cy, dpi, 96));
        ExpectControlsInside(form, dpi);
    }
    // Saved again, the entry carries the dpi it was saved at.
    layout.PositionForm(view.Window(), false, section, ini);
    auto saved = ReadSavedPlacement(ini, section, design.formKey);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->dpi, 192u);
}

TEST(AtHighDpi, FilterMaker) {
    if (!InChild()) GTEST_SKIP() << "runs in the child of HighDpi.BothFormsInAChildProcessAt144Dpi";
    ExpectFormHoldsAtHighDpi<FilterMakerView>({"frmFM", {8955, 5685}, {603, 404}, FM::Id("txtEF"), 8.25});
}

TEST(AtHighDpi, EditFilter) {
    if (!InChild()) GTEST_SKIP() << "runs in the child of HighDpi.BothFormsInAChildProcessAt144Dpi";
    ExpectFormHoldsAtHighDpi<EditFilterView>({"frmEF", {6915, 2535}, {469, 196}, EF::Id("txtEF"), 9.75});
}

TEST(HighDpi, BothFormsInAChildProcessAt144Dpi) {
    if (InChild()) GTEST_SKIP();
    unique_hkey desktop;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                                KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, desktop.put(), nullptr),
              ERROR_SUCCESS);
    DWORD before = 0, size = sizeof(before);
    const bool hadValue = ::RegQueryValueExA(desktop.get(), "LogPixels", nullptr, nullptr,
                                             reinterpret_cast<BYTE*>(&before), &size) == ERROR_SUCCESS;
    const DWORD dpi = kScreenDpi;
    ::RegSetValueExA(desktop.get(), "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));

    std::wstring command = L"\"" + ModulePath(nullptr) + L"\" --gtest_color=no --gtest_filter=AtHighDpi.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    ::SetEnvironmentVariableA(kChildVariable, "1");
    const BOOL started =
        ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child);
    ::SetEnvironmentVariableA(kChildVariable, nullptr);
    DWORD exitCode = 1;
    if (started) {
        const unique_handle process(child.hProcess), thread(child.hThread);
        if (::WaitForSingleObject(process.get(), 120000) != WAIT_OBJECT_0) ::TerminateProcess(process.get(), 124);
        ::WaitForSingleObject(process.get(), 5000);
        ::GetExitCodeProcess(process.get(), &exitCode);
    }
    if (hadValue)
        ::RegSetValueExA(desktop.get(), "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&before),
                         sizeof(before));
    else
        ::RegDeleteValueA(desktop.get(), "LogPixels");
    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u) << "the tests at 144 dpi failed; their output is above";
}

}  // namespace
}  // namespace kvex::win32
