// The two forms' windows as designed: frame, client size, captions, every
// control at its pixel position with its caption, font and state, tab order.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/control_ids.h"
#include "platform/win32/drawing.h"
#include "platform/win32/edit_filter_view.h"
#include "platform/win32/filter_maker_view.h"
#include "support.h"

namespace kvex::win32 {
namespace {

struct Placed {
    int id;
    const char* caption;  // null: not checked
    RECT pixels;
};

// Positions worked out by hand from the design in twips (15 twips a pixel).
const std::vector<Placed> kFilterMakerDesign = {
    {ids::kFmTxtEF, "*", {368, 88, 476, 111}},
    {ids::kFmTxtFE, "htm", {485, 88, 593, 111}},
    {ids::kFmCmdTools0, "Test/Add", {485, 135, 593, 161}},
    {ids::kFmCmdTools0 + 2, "Create combined filter", {426, 219, 593, 245}},
    {ids::kFmCmdCancel, "&Cancel", {512, 349, 593, 375}},
    {ids::kFmCmdOK, "O&K", {426, 349, 507, 375}},
    {ids::kFmLstPat, nullptr, {6, 15, 361, 341}},
    {ids::kFmCmdPatU, "\xE9", {368, 135, 397, 210}},
    {ids::kFmCmdTools0 + 1, "\xFB", {368, 218, 397, 247}},
    {ids::kFmCmdPatD, "\xEA", {368, 255, 397, 330}},
    {ids::kFmLblF, ".", {476, 88, 485, 111}},
    {ids::kFmLblDum0, "75 custom filters Max", {371, 15, 593, 28}},
    {ids::kFmLblDum0 + 1, "filter extension", {486, 73, 592, 86}},
    {ids::kFmLblDum0 + 3, "#", {8, -1, 362, 12}},
    {ids::kFmLblDum0 + 2, "file pattern", {369, 73, 474, 86}},
    {ids::kFmLblDum0 + 4, "Max 255 Chars for combined filter", {426, 190, 598, 203}},
    {ids::kFmLblDum0 + 5, "New filter length (0)", {426, 204, 597, 217}},
    {ids::kFmCmdOpen, "&Open", {107, 349, 188, 375}},
    {ids::kFmCmdNew, "&New", {21, 349, 102, 375}},
    {ids::kFmCmdSave, "&Save", {193, 349, 274, 375}},
    {ids::kFmCmdSaveAs, "Save &As", {279, 349, 360, 375}},
    {ids::kFmErrInput1, nullptr, {368, 111, 387, 127}},
    {ids::kFmErrInput2, nullptr, {485, 111, 504, 127}},
    {ids::kFmImage1_0, nullptr, {403, 36, 435, 68}},
    {ids::kFmImage1_0 + 1, nullptr, {516, 36, 548, 68}},
};

const std::vector<Placed> kEditFilterDesign = {
    {ids::kEfCmdCancel, "&Cancel", {375, 135, 456, 161}},
    {ids::kEfCmdOK, "O&K", {289, 135, 370, 161}},
    {ids::kEfTxtEF, "", {4, 1, 457, 25}},
    {ids::kEfCmdE0, "*", {5, 49, 69, 76}},
    {ids::kEfCmdE0 + 1, "?", {70, 49, 134, 76}},
    {ids::kEfCmdE0 + 2, "#", {135, 49, 199, 76}},
    {ids::kEfCmdE0 + 3, "!", {200, 49, 264, 76}},
    {ids::kEfCmdE0 + 4, "-", {265, 49, 329, 76}},
    {ids::kEfCmdE0 + 5, "[charlist]", {330, 49, 394, 76}},
    {ids::kEfCmdE0 + 6, "[!charlist]", {395, 49, 459, 76}},
    {ids::kEfErrInput1, nullptr, {4, 25, 28, 41}},
};

// Every control at its pixel position with its caption, in creation order,
// which is the tab order.
void ExpectPlacedAsDesigned(HWND form, const std::vector<Placed>& design) {
    std::vector<int> expectedOrder, order;
    for (const Placed& placed : design) {
        SCOPED_TRACE("control id " + std::to_string(placed.id));
        HWND control = ::GetDlgItem(form, placed.id);
        ASSERT_NE(control, nullptr);
        RECT at = test::ChildRect(control);
        EXPECT_TRUE(::EqualRect(&at, &placed.pixels))
            << at.left << "," << at.top << "," << at.right << "," << at.bottom;
        if (placed.caption) {
            EXPECT_EQ(test::TextOf(control), placed.caption);
        }
        expectedOrder.push_back(placed.id);
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
    ExpectPlacedAsDesigned(form, kFilterMakerDesign);
    EXPECT_EQ(handlers.log.All(), std::vector<std::string>{"Form_Load"});
    EXPECT_TRUE(hiddenAtLoad);
    EXPECT_EQ(extensionAtLoad, "htm");
    view.Window().EnsureLoaded();
    EXPECT_EQ(view.Window().Hwnd(), form);
    EXPECT_EQ(handlers.log.Count("Form_Load"), 1);
}

TEST_F(FilterMakerDesign, ControlsCarryTheirDesignedFontsStatesAndColours) {
    LOGFONTA box = FontOf(Item(ids::kFmTxtEF));
    EXPECT_EQ(box.lfHeight, -11);
    EXPECT_EQ(box.lfWeight, FW_BOLD);
    EXPECT_TRUE(FontOf(Item(ids::kFmLblDum0 + 1)).lfUnderline);
    EXPECT_TRUE(StyleOf(Item(ids::kFmTxtEF)) & ES_RIGHT);
    EXPECT_FALSE(StyleOf(Item(ids::kFmTxtFE)) & ES_RIGHT);
    EXPECT_EQ(StyleOf(Item(ids::kFmLblF)) & SS_TYPEMASK, SS_CENTER);
    EXPECT_TRUE(StyleOf(Item(ids::kFmLstPat)) & LBS_EXTENDEDSEL);
    EXPECT_FALSE(::IsWindowEnabled(Item(ids::kFmCmdSave)));
    EXPECT_FALSE(StyleOf(Item(ids::kFmErrInput1)) & WS_VISIBLE);

    // The point label shows the window colours.
    HDC dc = ::CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageA(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Item(ids::kFmLblF))));
    EXPECT_EQ(brush, ::GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(::GetTextColor(dc), ::GetSysColor(COLOR_WINDOWTEXT));
    ::DeleteDC(dc);
}

TEST_F(FilterMakerDesign, SymbolButtonsUseWingdingsOrPaintTheSymbolThemselves) {
    const bool haveWingdings = FontFamilyInstalled("Wingdings", SYMBOL_CHARSET);
    EXPECT_EQ(view.DrawsSymbolsItself(), !haveWingdings);
    for (int id : {ids::kFmCmdPatU, ids::kFmCmdTools0 + 1, ids::kFmCmdPatD}) {
        EXPECT_EQ((StyleOf(Item(id)) & BS_TYPEMASK) == BS_OWNERDRAW, !haveWingdings) << id;
        if (haveWingdings) {
            EXPECT_STREQ(FontOf(Item(id)).lfFaceName, "Wingdings") << id;
        }
    }
    if (haveWingdings) return;
    // The cross is solid at its centre, in the button text colour.
    ::ShowWindow(form, SW_SHOWNA);
    HWND cross = Item(ids::kFmCmdTools0 + 1);
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
    ExpectPlacedAsDesigned(form, kEditFilterDesign);

    LOGFONTA box = FontOf(::GetDlgItem(form, ids::kEfTxtEF));
    EXPECT_STREQ(box.lfFaceName, "Verdana");
    EXPECT_EQ(box.lfHeight, -13);
    EXPECT_EQ(FontOf(::GetDlgItem(form, ids::kEfCmdE0 + 5)).lfHeight, -11);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(form, ids::kEfCmdOK)));

    HWND tooltip = view.Tooltip();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(::SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 6);  // "!" has none
    auto tipOf = [&](int index) {
        char text[128] = {};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = form;
        tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(form, ids::kEfCmdE0 + index));
        tool.lpszText = text;
        ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
        return std::string(text);
    };
    EXPECT_EQ(tipOf(2), "Any single digit 0-9)");
    EXPECT_EQ(tipOf(6), "Any single character not in charlist.");
}

}  // namespace
}  // namespace kvex::win32
