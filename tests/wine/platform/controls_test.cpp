// The control wrappers over a loaded Filter Maker window: the list box with
// extended selection and its current entry, the text boxes and their change
// events, labels, pictures and buttons as the user and the code use them.
#include <gtest/gtest.h>

#include "platform/win32/control_ids.h"
#include "platform/win32/filter_maker_view.h"
#include "support.h"

namespace kvex::win32 {
namespace {

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        view.SetHandlers(&handlers);
        view.Window().EnsureLoaded();
        ::ShowWindow(view.Window().Hwnd(), SW_SHOW);
        test::PumpFor(50);
        handlers.log.Clear();
    }
    HWND Item(int id) { return ::GetDlgItem(view.Window().Hwnd(), id); }
    void FillList(std::initializer_list<const char*> entries) {
        for (const char* entry : entries) list.AddItem(entry);
    }
    // A user's click on an entry, with the given mouse keys held.
    void ClickEntry(int index, WPARAM keys = 0, bool right = false) {
        RECT item{};
        ::SendMessageA(Item(ids::kFmLstPat), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
        ::PostMessageA(Item(ids::kFmLstPat), right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN,
                       keys | (right ? MK_RBUTTON : MK_LBUTTON), at);
        ::PostMessageA(Item(ids::kFmLstPat), right ? WM_RBUTTONUP : WM_LBUTTONUP, keys, at);
        test::PumpFor(50);
    }

    FilterMakerView view{test::TestModule()};
    test::RecordingFilterMaker handlers;
    ui::IListBox& list = *view.Controls().lstPat;
    ui::ITextBox& txtEF = *view.Controls().txtEF;
};

TEST_F(Controls, ListKeepsEntriesInTheOrderGivenAndInsertsWhereAsked) {
    FillList({"*.htm;*.html", "b.txt", "c.txt"});
    list.AddItem("a.txt", 1);
    EXPECT_EQ(list.ListCount(), 4);
    EXPECT_EQ(list.List(0), "*.htm;*.html");
    EXPECT_EQ(list.List(1), "a.txt");
    EXPECT_EQ(list.List(3), "c.txt");
    EXPECT_EQ(list.List(9), "");
    list.RemoveItem(0);
    EXPECT_EQ(list.List(0), "a.txt");
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
}

TEST_F(Controls, ListHasNoCurrentEntryUntilOneIsChosen) {
    EXPECT_EQ(list.ListIndex(), -1);
    FillList({"a", "b", "c"});
    EXPECT_EQ(list.ListIndex(), -1);  // the caret stands on entry 0, but nobody put it there
    list.SetSelected(2, true);
    EXPECT_EQ(list.ListIndex(), 2);
    list.Clear();
    EXPECT_EQ(list.ListIndex(), -1);
    FillList({"a", "b"});
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(Controls, ListSelectionMessagesSelectAndDeselectRanges) {
    FillList({"0", "1", "2", "3", "4"});
    list.SendListMessage(ui::kLB_SELITEMRANGEEX, 1, 3);
    EXPECT_EQ(list.SelCount(), 3);
    EXPECT_TRUE(list.Selected(1));
    EXPECT_TRUE(list.Selected(3));
    EXPECT_FALSE(list.Selected(4));
    // The larger index first deselects.
    list.SendListMessage(ui::kLB_SELITEMRANGEEX, 3, 2);
    EXPECT_EQ(list.SelCount(), 1);
    EXPECT_TRUE(list.Selected(1));
    list.SendListMessage(ui::kLB_SETSEL, 1, 4);
    EXPECT_EQ(list.ListIndex(), 4);
    list.SendListMessage(ui::kLB_SETSEL, 0, 1);
    EXPECT_EQ(list.SelCount(), 1);
    EXPECT_EQ(list.ListIndex(), 4);  // deselecting leaves the caret where it was
    EXPECT_FALSE(list.Selected(-1));
    EXPECT_EQ(handlers.log.Count("lstPat_Click"), 0);  // code, not the user
}

TEST_F(Controls, UserClicksSelectRaiseClickAndMoveTheCurrentEntry) {
    FillList({"0", "1", "2", "3"});
    ClickEntry(1);
    EXPECT_EQ(handlers.log.Count("lstPat_Click"), 1);
    EXPECT_EQ(handlers.log.Count("lstPat_MouseUp(1)"), 1);
    EXPECT_EQ(list.ListIndex(), 1);
    ClickEntry(3, MK_CONTROL);
    EXPECT_EQ(list.SelCount(), 2);
    EXPECT_EQ(list.ListIndex(), 3);
    ClickEntry(2);
    EXPECT_EQ(list.SelCount(), 1);
    EXPECT_TRUE(list.Selected(2));
}

TEST_F(Controls, RightButtonReachesMouseUpAsButtonTwoWithoutAClick) {
    FillList({"0", "1"});
    ClickEntry(1, 0, true);
    EXPECT_EQ(handlers.log.Count("lstPat_MouseUp(2)"), 1);
    EXPECT_EQ(handlers.log.Count("lstPat_Click"), 0);
}

TEST_F(Controls, TextBoxRaisesOneChangePerWriteOfItsOwn) {
    txtEF.SetText("abc");
    EXPECT_EQ(txtEF.Text(), "abc");
    EXPECT_EQ(handlers.log.All(), std::vector<std::string>{"txtEF_Change"});
    view.Controls().txtFE->SetText("x");
    EXPECT_EQ(handlers.log.Count("txtFE_Change"), 1);
    EXPECT_EQ(handlers.log.Count("txtEF_Change"), 1);
}

TEST_F(Controls, SelectedTextIsReadAndReplacedWithTheCaretAfterIt) {
    txtEF.SetText("abc");
    txtEF.SetSelection(1, 1);
    EXPECT_EQ(txtEF.SelStart(), 1);
    EXPECT_EQ(txtEF.SelLength(), 1);
    EXPECT_EQ(txtEF.SelText(), "b");
    handlers.log.Clear();
    txtEF.SetSelText("[" + txtEF.SelText() + "]");
    EXPECT_EQ(txtEF.Text(), "a[b]c");
    EXPECT_EQ(txtEF.SelStart(), 4);
    EXPECT_EQ(txtEF.SelLength(), 0);
    EXPECT_EQ(txtEF.SelText(), "");
    EXPECT_EQ(handlers.log.Count("txtEF_Change"), 1);
    txtEF.SetSelText("*");  // nothing selected: inserted at the caret
    EXPECT_EQ(txtEF.Text(), "a[b]*c");
}

TEST_F(Controls, TextBoxTakesNoMoreThan255Characters) {
    txtEF.SetText(std::string(255, 'a'));
    txtEF.SetSelection(255, 0);
    txtEF.SetSelText("b");
    EXPECT_EQ(txtEF.Text(), std::string(255, 'a'));
}

TEST_F(Controls, LabelsAndPicturesReportTheirClicks) {
    view.Controls().lblDum[3]->SetCaption("4 filters defined");
    EXPECT_EQ(view.Controls().lblDum[3]->Caption(), "4 filters defined");
    test::PostClick(Item(ids::kFmLblF));
    test::PostClick(Item(ids::kFmImage1_0 + 1));
    test::PostClick(Item(ids::kFmLblDum0));  // an ordinary label takes no clicks
    test::PumpFor(50);
    EXPECT_EQ(handlers.log.All(), (std::vector<std::string>{"lblF_Click", "Image1_Click(1)"}));
}

TEST_F(Controls, DisablingTheFocusedButtonPassesTheFocusOn) {
    ui::IButton& ok = *view.Controls().cmdOK;
    ::SetFocus(Item(ids::kFmCmdOK));
    ASSERT_EQ(::GetFocus(), Item(ids::kFmCmdOK));
    ok.SetEnabled(false);
    EXPECT_FALSE(ok.Enabled());
    EXPECT_NE(::GetFocus(), Item(ids::kFmCmdOK));
    EXPECT_TRUE(::IsChild(view.Window().Hwnd(), ::GetFocus()));
    ok.SetEnabled(true);
    EXPECT_TRUE(ok.Enabled());
}

TEST_F(Controls, ControlsOfAnUnloadedFormAnswerEmpty) {
    FillList({"a"});
    view.Window().Unload();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(txtEF.Text(), "");
    EXPECT_FALSE(view.Controls().cmdOK->Enabled());
    txtEF.SetText("ignored");
    view.Controls().lblF->SetCaption("ignored");
}

}  // namespace
}  // namespace kvex::win32
