// The control wrappers over a loaded Filter Maker window: the control
// contract the fakes share, then what only real windows show (user clicks,
// the focus, a form that is gone).
#include <gtest/gtest.h>

#include "platform/win32/filter_maker_view.h"
#include "support.h"
#include "ui/filter_maker_design.h"

#if __has_include("contract/control_contract.h")
#include "contract/control_contract.h"
#define KVEX_HAS_CONTROL_CONTRACT 1
#else
#include "contract/list_box_contract.h"
#endif

namespace kvex::testing {
namespace {
using FM = ui::FilterMakerDesign;

// A loaded, shown Filter Maker with a log of its events.
class Win32Rig {
public:
    Win32Rig() {
        view_.SetHandlers(&handlers_);
        view_.Window().EnsureLoaded();
        ::ShowWindow(view_.Window().Hwnd(), SW_SHOWNA);
        Settle();
        handlers_.log.all.clear();
    }
    ui::IListBox& List() { return *view_.Controls().lstPat; }
    ui::ITextBox& Text() { return *view_.Controls().txtEF; }
    int TextChanges() { return handlers_.log.Count("txtEF_Change"); }
    void Settle() { PumpFor(30); }

    win32::FilterMakerView& View() { return view_; }
    EventLog& Log() { return handlers_.log; }
    HWND Item(int id) { return ::GetDlgItem(view_.Window().Hwnd(), id); }

private:
    win32::FilterMakerView view_{TestModule()};
    RecordingFilterMaker handlers_;
};

#ifdef KVEX_HAS_CONTROL_CONTRACT
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ControlContract, Win32Rig);
#else
// Until the shared contract lands: the refusals, and wide entries beyond the
// 511 characters an ANSI read of Wine's list box takes.
TEST(Win32Controls, ListRefusesBadIndexesAndKeepsLongWideEntries) {
    Win32Rig rig;
    contract::ExpectBadIndexesRefused(rig.List());
    const std::string entry = std::string(600, 'a') + "\xD0\x96\xE6\xBC\xA2";  // Ж漢
    ASSERT_TRUE(rig.List().AddItem(entry));
    EXPECT_EQ(rig.List().List(2), entry);
}
#endif

// A user's click: button down and up near the top of the control, where
// a list has its first entry.
void PostClick(HWND control) {
    RECT client;
    ::GetClientRect(control, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, 4);
    ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(control, WM_LBUTTONUP, 0, at);
}

// Clicks on the list report the caret as the current entry and the button;
// the label and picture that take clicks report them, a plain label does not;
// code that selects raises no click.
TEST(Win32Controls, UserClicksReachTheirHandlers) {
    Win32Rig rig;
    rig.List().AddItem("a");
    rig.List().SetSelected(0, false);
    EXPECT_EQ(rig.List().ListIndex(), -1);
    for (const char* name : {"lstPat", "lblF", "Image1", "lblDum"}) PostClick(rig.Item(FM::Id(name)));
    rig.Settle();
    EXPECT_EQ(rig.List().ListIndex(), 0);
    EXPECT_EQ(rig.Log().all,
              (std::vector<std::string>{"lstPat_Click", "lstPat_MouseUp(1)", "lblF_Click", "Image1_Click(0)"}));
}

TEST(Win32Controls, DisablingTheFocusedButtonPassesTheFocusOn) {
    Win32Rig rig;
    HWND ok = rig.Item(FM::Id("cmdOK"));
    ::SetFocus(ok);
    ASSERT_EQ(::GetFocus(), ok);
    rig.View().Controls().cmdOK->SetEnabled(false);
    EXPECT_FALSE(rig.View().Controls().cmdOK->Enabled());
    EXPECT_TRUE(::IsChild(rig.View().Window().Hwnd(), ::GetFocus()));
    EXPECT_NE(::GetFocus(), ok);
}

// Shown with its caption and detail until cleared.
TEST(Win32Controls, IndicatorShowsTheErrorUntilCleared) {
    Win32Rig rig;
    ui::IIndicator& indicator = *rig.View().Controls().ErrInput1;
    HWND window = rig.Item(FM::Id("ErrInput1"));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(::IsWindowVisible(window));
    indicator.SetErrorCaption("Remove Invalid Characters");
    indicator.ShowError("<>|");
    EXPECT_TRUE(::IsWindowVisible(window));
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    EXPECT_NE(std::wstring(text).find(L"Remove Invalid Characters"), std::wstring::npos) << text;
    EXPECT_NE(std::wstring(text).find(L"<>|"), std::wstring::npos) << text;
    indicator.ClearError();
    EXPECT_FALSE(::IsWindowVisible(window));
}

// The form logic may still hold its controls after the window is gone.
TEST(Win32Controls, ControlsOfAnUnloadedFormAnswerEmpty) {
    Win32Rig rig;
    rig.List().AddItem("a");
    rig.Text().SetText("a");
    rig.View().Window().Unload();
    EXPECT_EQ(rig.List().ListCount(), 0);
    EXPECT_EQ(rig.List().ListIndex(), -1);
    EXPECT_EQ(rig.Text().Text(), "");
    EXPECT_FALSE(rig.View().Controls().cmdOK->Enabled());
    rig.Text().SetText("ignored");
    EXPECT_FALSE(rig.List().AddItem("ignored"));
}

}  // namespace
}  // namespace kvex::testing
