// The control wrappers over a loaded Filter Maker window: the list box with
// extended selection and its current entry, the text boxes and their change
// events, labels, pictures and buttons as the user and the code use them.
#include <gtest/gtest.h>

#include "contract/list_box_contract.h"
#include "platform/win32/filter_maker_view.h"
#include "support.h"
#include "ui/filter_maker_design.h"

namespace kvex::win32 {
using FM = ui::FilterMakerDesign;
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

    FilterMakerView view{test::TestModule()};
    test::RecordingFilterMaker handlers;
    ui::IListBox& list = *view.Controls().lstPat;
    ui::ITextBox& txtEF = *view.Controls().txtEF;
};

// Entries stay in the order given; the current entry is -1 until a select
// message or a click puts it somewhere, whatever the caret does meanwhile.
TEST_F(Controls, ListKeepsEntriesInOrderAndHasNoCurrentEntryUntilOneIsChosen) {
    FillList({"*.htm;*.html", "b.txt", "c.txt"});
    list.AddItem("a.txt", 1);
    EXPECT_EQ(list.ListCount(), 4);
    EXPECT_EQ(list.List(1), "a.txt");
    EXPECT_EQ(list.List(3), "c.txt");
    list.RemoveItem(0);
    EXPECT_EQ(list.List(0), "a.txt");
    EXPECT_EQ(list.ListIndex(), -1);
    list.SetSelected(2, true);
    EXPECT_EQ(list.ListIndex(), 2);
    list.Clear();
    FillList({"a", "b"});
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(Controls, ListRefusesBadIndexes) { contract::ExpectBadIndexesRefused(list); }

TEST_F(Controls, ListSelectionMessagesSelectAndDeselectRanges) {
    FillList({"0", "1", "2", "3", "4"});
    list.SendListMessage(ui::kLB_SELITEMRANGEEX, 1, 3);
    EXPECT_EQ(list.SelCount(), 3);
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
    EXPECT_EQ(handlers.log.Count("lstPat_Click"), 0);  // code, not the user
}

// Every write raises one change event of its own box; SelText replaces the
// selection and leaves the caret after it; no more than 255 characters.
TEST_F(Controls, TextBoxWritesRaiseOneChangeAndSelectedTextIsReplaced) {
    txtEF.SetText("abc");
    view.Controls().txtFE->SetText("x");
    EXPECT_EQ(handlers.log.All(), (std::vector<std::string>{"txtEF_Change", "txtFE_Change"}));
    txtEF.SetSelection(1, 1);
    EXPECT_EQ(txtEF.SelText(), "b");
    txtEF.SetSelText("[" + txtEF.SelText() + "]");
    EXPECT_EQ(txtEF.Text(), "a[b]c");
    EXPECT_EQ(txtEF.SelStart(), 4);
    EXPECT_EQ(txtEF.SelLength(), 0);
    EXPECT_EQ(handlers.log.Count("txtEF_Change"), 2);
    txtEF.SetSelText("*");  // nothing selected: inserted at the caret
    EXPECT_EQ(txtEF.Text(), "a[b]*c");

    txtEF.SetText(std::string(255, 'a'));
    txtEF.SetSelection(255, 0);
    txtEF.SetSelText("b");
    EXPECT_EQ(txtEF.Text(), std::string(255, 'a'));
}

TEST_F(Controls, LabelsAndPicturesReportTheirClicks) {
    view.Controls().lblDum[3]->SetCaption("4 filters defined");
    EXPECT_EQ(view.Controls().lblDum[3]->Caption(), "4 filters defined");
    test::PostClick(Item(FM::Id("lblF")));
    test::PostClick(Item(FM::Id("Image1", 1)));
    test::PostClick(Item(FM::Id("lblDum")));  // an ordinary label takes no clicks
    test::PumpFor(50);
    EXPECT_EQ(handlers.log.All(), (std::vector<std::string>{"lblF_Click", "Image1_Click(1)"}));
}

TEST_F(Controls, DisablingTheFocusedButtonPassesTheFocusOn) {
    ::SetFocus(Item(FM::Id("cmdOK")));
    ASSERT_EQ(::GetFocus(), Item(FM::Id("cmdOK")));
    view.Controls().cmdOK->SetEnabled(false);
    EXPECT_FALSE(view.Controls().cmdOK->Enabled());
    EXPECT_TRUE(::IsChild(view.Window().Hwnd(), ::GetFocus()));
    EXPECT_NE(::GetFocus(), Item(FM::Id("cmdOK")));
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
