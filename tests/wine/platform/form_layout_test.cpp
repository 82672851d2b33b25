// The layout keeper over real windows: position.ini round trip per form,
// refusal of saved places that are off every screen, sizes below the floor,
// and the size floor while the keeper lives.
#include <gtest/gtest.h>

#include <memory>

#include "platform/win32/edit_filter_view.h"
#include "platform/win32/filter_maker_view.h"
#include "platform/win32/form_layout.h"
#include "support.h"

namespace kvex::win32 {
namespace {

const std::string kSection = "Filter Maker";

RECT WindowRect(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

bool SameRect(RECT a, RECT b) { return ::EqualRect(&a, &b) != FALSE; }

// A loaded form with its keeper, as Form_Load sets them up.
template <typename View>
struct LaidOutForm {
    LaidOutForm(int minWidth, int minHeight) {
        view.Window().EnsureLoaded();
        layout->SetMode(0);
        layout->SetMinWidth(minWidth);
        layout->SetMinHeight(minHeight);
        layout->SetForm(view.Window());
    }
    HWND Hwnd() { return view.Window().Hwnd(); }
    View view{test::TestModule()};
    std::unique_ptr<Win32FormLayout> layout = std::make_unique<Win32FormLayout>();
};
using FilterMakerForm = LaidOutForm<FilterMakerView>;
using EditFilterForm = LaidOutForm<EditFilterView>;

TEST(FormLayout, FormReopensWhereItWasSavedEachFormUnderItsOwnKeys) {
    test::TempFolder folder;
    const std::string ini = folder.File("position.ini");
    const RECT fmPlace{40, 30, 40 + 700, 30 + 450};
    const RECT efPlace{300, 200, 300 + 500, 200 + 220};
    {
        FilterMakerForm fm(603, 404);
        ::SetWindowPos(fm.Hwnd(), nullptr, fmPlace.left, fmPlace.top, 700, 450, SWP_NOZORDER);
        fm.layout->PositionForm(fm.view.Window(), false, kSection, ini);
        EditFilterForm ef(469, 196);
        ::SetWindowPos(ef.Hwnd(), nullptr, efPlace.left, efPlace.top, 500, 220, SWP_NOZORDER);
        ef.layout->PositionForm(ef.view.Window(), false, kSection, ini);
    }
    FilterMakerForm fm(603, 404);
    fm.layout->PositionForm(fm.view.Window(), true, kSection, ini);
    EXPECT_TRUE(SameRect(WindowRect(fm.Hwnd()), fmPlace));
    EditFilterForm ef(469, 196);
    ef.layout->PositionForm(ef.view.Window(), true, kSection, ini);
    EXPECT_TRUE(SameRect(WindowRect(ef.Hwnd()), efPlace));
    EXPECT_TRUE(ReadSavedPlacement(ini, kSection, "frmFM").has_value());
    EXPECT_TRUE(ReadSavedPlacement(ini, kSection, "frmEF").has_value());
}

// A place off every screen is ignored and the form centred; a size below the
// floor (an older floor) opens at its place, grown to the floor.
TEST(FormLayout, PlacesOffScreenAreIgnoredAndSizesBelowTheFloorGrow) {
    test::TempFolder folder;
    const std::string ini = folder.File("position.ini");
    for (RECT saved : {RECT{30000, 30000, 30700, 30450}, RECT{40, 30, 140, 80}}) {
        WriteSavedPlacement(ini, kSection, "frmFM", {saved, 96});
        FilterMakerForm fm(603, 404);
        fm.layout->PositionForm(fm.view.Window(), true, kSection, ini);
        RECT placed = WindowRect(fm.Hwnd());
        EXPECT_GE(placed.right - placed.left, 603);
        EXPECT_GE(placed.bottom - placed.top, 404);
        if (saved.left == 40) {
            EXPECT_EQ(placed.left, 40);
            EXPECT_EQ(placed.top, 30);
            continue;
        }
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        ::GetMonitorInfoA(::MonitorFromWindow(fm.Hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        EXPECT_NEAR((placed.left + placed.right) / 2, (work.left + work.right) / 2, 1);
        EXPECT_NEAR((placed.top + placed.bottom) / 2, (work.top + work.bottom) / 2, 1);
    }
}

TEST(FormLayout, WindowCannotBeSizedBelowTheFloorWhileTheKeeperLives) {
    FilterMakerForm fm(603, 404);
    ::SetWindowPos(fm.Hwnd(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    RECT clamped = WindowRect(fm.Hwnd());
    EXPECT_GE(clamped.right - clamped.left, 603);
    EXPECT_GE(clamped.bottom - clamped.top, 404);

    // Refresh grows a window that is smaller than a raised floor.
    fm.layout->SetMinWidth(800);
    fm.layout->Refresh();
    RECT grown = WindowRect(fm.Hwnd());
    EXPECT_EQ(grown.right - grown.left, 800);

    // Without the keeper the window has only the system's own floor.
    HWND window = fm.Hwnd();
    fm.layout.reset();
    ::SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    RECT free = WindowRect(window);
    EXPECT_LT(free.right - free.left, 603);
}

}  // namespace
}  // namespace kvex::win32
