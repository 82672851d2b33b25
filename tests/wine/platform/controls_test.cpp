// The control wrappers over a loaded Filter Maker window: the control
// contract the fakes share, then what only real windows show.
#include <gtest/gtest.h>

#include "platform/win32/form_view.h"
#include "support.h"
#include "ui/filter_maker_design.h"

#include "contract/control_contract.h"

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
        handlers_.events.clear();
    }
    ui::IListBox& List() { return *view_.Controls().lstPat; }
    ui::ITextBox& Text() { return *view_.Controls().txtEF; }
    int TextChanges() { return handlers_.Count("txtEF_Change"); }
    void Settle() {
        for (MSG message; ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageW(&message);
    }

    win32::FilterMakerView& View() { return view_; }
    HWND Item(int id) { return ::GetDlgItem(view_.Window().Hwnd(), id); }

private:
    win32::FilterMakerView view_{TestModule()};
    RecordingFilterMaker handlers_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ControlContract, Win32Rig);

// The forms' buttons are version 6 (only those know BCM_GETIDEALSIZE; one
// made outside the module's manifest does not); disabling the focused one
// passes the focus on.
TEST(Win32Controls, ButtonsAreVersionSixAndPassTheFocusOnWhenDisabled) {
    Win32Rig rig;
    HWND ok = rig.Item(FM::Id("cmdOK"));
    SIZE ideal{};
    EXPECT_TRUE(::SendMessageW(ok, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    HWND plain = ::CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, TestModule(), nullptr);
    EXPECT_FALSE(::SendMessageW(plain, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    ::DestroyWindow(plain);
    ::SetFocus(ok);
    ASSERT_EQ(::GetFocus(), ok);
    rig.View().Controls().cmdOK->SetEnabled(false);
    EXPECT_FALSE(rig.View().Controls().cmdOK->Enabled());
    EXPECT_TRUE(::IsChild(rig.View().Window().Hwnd(), ::GetFocus()));
    EXPECT_NE(::GetFocus(), ok);
}

// The form logic may still hold its controls after the window is gone.
TEST(Win32Controls, ControlsOfAnUnloadedFormAnswerEmpty) {
    Win32Rig rig;
    rig.List().AddItem("a");
    rig.List().SetSelected(0, true);
    rig.Text().SetText("a");
    rig.View().Window().Unload();
    EXPECT_EQ(rig.List().ListCount(), 0);
    EXPECT_EQ(rig.List().ListIndex(), -1);
    EXPECT_EQ(rig.Text().Text(), "");
    EXPECT_FALSE(rig.View().Controls().cmdOK->Enabled());
    rig.Text().SetText("ignored");
    EXPECT_FALSE(rig.List().AddItem("ignored"));
    // Loaded again, the list starts afresh: nothing current.
    rig.View().Window().EnsureLoaded();
    rig.List().AddItem("b");
    EXPECT_EQ(rig.List().ListIndex(), -1);
}

}  // namespace
}  // namespace kvex::testing
