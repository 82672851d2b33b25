// The two forms' windows as designed: frame, client size, captions, every
// control at its pixel position with its caption, font and state, tab order.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/win32/drawing.h"
#include "platform/win32/edit_filter_view.h"
#include "platform/win32/filter_maker_view.h"
#include "support.h"
#include "ui/filter_maker_design.h"
#include "ui/edit_filter_design.h"

namespace kvex::win32 {
using FM = ui::FilterMakerDesign;
using EF = ui::EditFilterDesign;
namespace {

// Every row's window where its twips put it at 96 dpi (15 twips a pixel),
// with its caption, in tab order.
template <std::size_t N>
void ExpectPlacedAsDesigned(HWND form, const ui::design::Control (&rows)[N]) {
    using ui::design::Kind;
    std::vector<int> expectedOrder, order;
    for (const ui::design::Control* row : ui::design::InTabOrder(rows)) {
        SCOPED_TRACE(std::string(row->name) + "(" + std::to_string(row->index) + ")");
        HWND control = ::GetDlgItem(form, row->id);
        ASSERT_NE(control, nullptr);
        const RECT at = test::ChildRect(control);
        auto px = [](int twips) { return static_cast<LONG>(std::lround(twips / 15.0)); };
        const RECT designed{px(row->at.left), px(row->at.top), px(row->at.left + row->at.width),
                            px(row->at.top + row->at.height)};
        EXPECT_TRUE(::EqualRect(&at, &designed)) << at.left << "," << at.top << "," << at.right << "," << at.bottom;
        if (row->kind != Kind::List && row->kind != Kind::Image && row->kind != Kind::Indicator) {
            EXPECT_EQ(test::TextOf(control), row->caption);
        }
        expectedOrder.push_back(row->id);
    }
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        order.push_back(::GetDlgCtrlID(child));
    EXPECT_EQ(order, expectedOrder);
}

// A sizable frame with a close box only, the caption and the client size.
void ExpectFrame(HWND form, const char* caption, LONG width, LONG height) {
    const LONG_PTR style = ::GetWindowLongPtrA(form, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_THICKFRAME | WS_SYSMENU);
    EXPECT_EQ(test::TextOf(form), caption);
    RECT client;
    ::GetClientRect(form, &client);
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);
}

LOGFONTA FontOf(HWND control) {
    LOGFONTA font{};
    auto handle = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
    ::GetObjectA(handle, sizeof(font), &font);
    return font;
}

LONG_PTR StyleOf(HWND window) { return ::GetWindowLongPtrA(window, GWL_STYLE); }

class FilterMakerDesign : public ::testing::Test {
protected:
    void SetUp() override {
        handlers.log.on["Form_Load"] = [this] {
            hiddenAtLoad = !::IsWindowVisible(view.Window().Hwnd());
            extensionAtLoad = view.Controls().txtFE->Text();
        };
        view.SetHandlers(&handlers);
        view.Window().EnsureLoaded();
        form = view.Window().Hwnd();
        ASSERT_NE(form, nullptr);
    }
    HWND Item(int id) { return ::GetDlgItem(form, id); }
    FilterMakerView view{test::TestModule()};
    test::RecordingFilterMaker handlers;
    HWND form = nullptr;
    bool hiddenAtLoad = false;
    std::string extensionAtLoad;
};

// Load runs once, with the controls in place and the window hidden.
TEST_F(FilterMakerDesign, WindowAndEveryControlAsDesignedAndLoadedOnce) {
    ExpectFrame(form, "Filter Maker - ()", 597, 379);
    ExpectPlacedAsDesigned(form, FM::kControls);
    EXPECT_TRUE(view.Controls().Complete());
    // The point sits edge to edge between the two halves of the new filter.
    EXPECT_EQ(test::ChildRect(Item(FM::Id("txtEF"))).right, test::ChildRect(Item(FM::Id("lblF"))).left);
    EXPECT_EQ(test::ChildRect(Item(FM::Id("lblF"))).right, test::ChildRect(Item(FM::Id("txtFE"))).left);
    EXPECT_EQ(handlers.log.All(), std::vector<std::string>{"Form_Load"});
    EXPECT_TRUE(hiddenAtLoad);
    EXPECT_EQ(extensionAtLoad, "htm");
    view.Window().EnsureLoaded();
    EXPECT_EQ(view.Window().Hwnd(), form);
    EXPECT_EQ(handlers.log.Count("Form_Load"), 1);
}

TEST_F(FilterMakerDesign, ControlsCarryTheirDesignedFontsStatesAndColours) {
    LOGFONTA box = FontOf(Item(FM::Id("txtEF")));
    EXPECT_EQ(box.lfHeight, -11);
    EXPECT_EQ(box.lfWeight, FW_BOLD);
    EXPECT_TRUE(FontOf(Item(FM::Id("lblDum", 1))).lfUnderline);
    EXPECT_TRUE(StyleOf(Item(FM::Id("txtEF"))) & ES_RIGHT);
    EXPECT_FALSE(StyleOf(Item(FM::Id("txtFE"))) & ES_RIGHT);
    EXPECT_EQ(StyleOf(Item(FM::Id("lblF"))) & SS_TYPEMASK, SS_CENTER);
    EXPECT_TRUE(StyleOf(Item(FM::Id("lstPat"))) & LBS_EXTENDEDSEL);
    EXPECT_FALSE(::IsWindowEnabled(Item(FM::Id("cmdSave"))));
    EXPECT_FALSE(StyleOf(Item(FM::Id("ErrInput1"))) & WS_VISIBLE);

    // The point label shows the window colours.
    HDC dc = ::CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageA(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Item(FM::Id("lblF")))));
    EXPECT_EQ(brush, ::GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(::GetTextColor(dc), ::GetSysColor(COLOR_WINDOWTEXT));
    ::DeleteDC(dc);
}

TEST_F(FilterMakerDesign, SymbolButtonsUseWingdingsOrPaintTheSymbolThemselves) {
    const bool haveWingdings = FontFamilyInstalled("Wingdings", SYMBOL_CHARSET);
    EXPECT_EQ(view.DrawsSymbolsItself(), !haveWingdings);
    for (int id : {FM::Id("cmdPatU"), FM::Id("cmdTools", 1), FM::Id("cmdPatD")}) {
        EXPECT_EQ((StyleOf(Item(id)) & BS_TYPEMASK) == BS_OWNERDRAW, !haveWingdings) << id;
        if (haveWingdings) {
            EXPECT_STREQ(FontOf(Item(id)).lfFaceName, "Wingdings") << id;
        }
    }
    if (haveWingdings) return;
    // The cross is solid at its centre, in the button text colour.
    ::ShowWindow(form, SW_SHOWNA);
    HWND cross = Item(FM::Id("cmdTools", 1));
    ::UpdateWindow(form);
    test::PumpFor(100);
    RECT client;
    ::GetClientRect(cross, &client);
    HDC dc = ::GetDC(cross);
    COLORREF centre = ::GetPixel(dc, client.right / 2, client.bottom / 2);
    COLORREF face = ::GetPixel(dc, 4, 4);
    ::ReleaseDC(cross, dc);
    EXPECT_EQ(centre, ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_NE(face, centre);
}

TEST(EditFilterDesign, WindowControlsFontsAndTooltipsAsDesigned) {
    EditFilterView view(test::TestModule());
    test::RecordingEditFilter handlers;
    view.SetHandlers(&handlers);
    view.Window().EnsureLoaded();
    HWND form = view.Window().Hwnd();
    ASSERT_NE(form, nullptr);
    ExpectFrame(form, "Edit Filter - Always test your filters for desired results", 461, 169);
    ExpectPlacedAsDesigned(form, EF::kControls);
    EXPECT_TRUE(view.Controls().Complete());

    LOGFONTA box = FontOf(::GetDlgItem(form, EF::Id("txtEF")));
    EXPECT_STREQ(box.lfFaceName, "Verdana");
    EXPECT_EQ(box.lfHeight, -13);
    EXPECT_EQ(FontOf(::GetDlgItem(form, EF::Id("cmdE", 5))).lfHeight, -11);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(form, EF::Id("cmdOK"))));

    HWND tooltip = view.Tooltip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(::SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 6);  // "!" has none
    auto tipOf = [&](int index) {
        char text[128] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = form;
        tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(form, EF::Id("cmdE") + index));
        tool.lpszText = text;
        ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        return std::string(text);
    };
    EXPECT_EQ(tipOf(2), "Any single digit 0-9)");
    EXPECT_EQ(tipOf(6), "Any single character not in charlist.");
}

}  // namespace
}  // namespace kvex::win32
