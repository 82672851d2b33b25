// The Filter Maker window: life cycle, caption, the list menu, editing in
// place and the pictures that open the Edit Filter dialog.
#include "form_fixtures.h"

namespace kvex::testing {
namespace {

class FilterMakerForm : public FilterMakerTest {};

TEST_F(FilterMakerForm, InitialisationRegistersTheControlsBeforeAnyLoad) {
    FrmFM form(view, platform);
    EXPECT_EQ(platform.initCommonCtrls, std::vector<std::uint32_t>{0xFF});
    EXPECT_FALSE(view.window.Loaded());
    EXPECT_EQ(platform.layout.created, 0);
}

TEST_F(FilterMakerForm, LoadRestoresThePlacementAndSetsUpPicturesAndIndicators) {
    Open();
    EXPECT_EQ(platform.layout.calls,
              (std::vector<std::string>{"Mode 0", "MinHeight 404", "MinWidth 603", "Form",
                                        "Restore Filter Maker " + kPositionFile, "Refresh"}));
    EXPECT_EQ(view.window.icon, 101);
    EXPECT_EQ(view.Image1[0].picture, 102);
    EXPECT_EQ(view.Image1[1].picture, 101);
    EXPECT_EQ(view.Image1[0].mouseIcon, 101);
    EXPECT_EQ(view.Image1[1].mouseIcon, 101);
    EXPECT_TRUE(view.ErrInput1.imageListAttached);
    EXPECT_TRUE(view.ErrInput2.imageListAttached);
    EXPECT_EQ(view.window.Caption(), "Filter Maker - ()");
    EXPECT_FALSE(view.cmdSave.Enabled());
    EXPECT_EQ(LengthLabel(), "New filter length (0)");
}

TEST_F(FilterMakerForm, ResizePutsBackAFloorThatMoved) {
    Open();
    platform.layout.live->minHeight = 300;
    platform.layout.calls.clear();
    view.window.Resize();
    EXPECT_EQ(platform.layout.calls, (std::vector<std::string>{"MinHeight 404", "Refresh"}));
}

TEST_F(FilterMakerForm, ClosingReleasesPicturesAndSavesThePlacement) {
    Open();
    frm->SetEFISEditFilterIn("*.x");
    view.window.CloseBox();
    EXPECT_EQ(view.window.icon, 0);
    for (const auto& image : view.Image1) {
        EXPECT_EQ(image.picture, 0);
        EXPECT_EQ(image.mouseIcon, 0);
    }
    EXPECT_EQ(frm->EFISEditFilterIn(), "");
    EXPECT_FALSE(view.ErrInput1.imageListAttached);
    EXPECT_FALSE(view.ErrInput2.imageListAttached);
    ASSERT_GE(platform.layout.calls.size(), 2u);
    EXPECT_EQ(platform.layout.calls.back(), "Release");
    EXPECT_EQ(platform.layout.calls[platform.layout.calls.size() - 2], "Save Filter Maker " + kPositionFile);
}

TEST_F(FilterMakerForm, WithoutALayoutKeeperTheFormStillWorks) {
    platform.layoutUnavailable = true;
    OpenWithList({kDefault, "*.a"});
    view.window.Resize();
    view.cmdOK.Click();
    EXPECT_FALSE(view.window.Loaded());
    EXPECT_TRUE(platform.files.HasFile(kListFile));
}

TEST_F(FilterMakerForm, CaptionAndSaveButtonFollowTheFilterFile) {
    Open();
    frm->SetFilterFile("D:\\My Lists\\web pages.plk");
    EXPECT_EQ(view.window.Caption(), "Filter Maker - (web pages.plk)");
    EXPECT_TRUE(view.cmdSave.Enabled());
    frm->SetFilterFile("");
    EXPECT_EQ(view.window.Caption(), "Filter Maker - ()");
    EXPECT_FALSE(view.cmdSave.Enabled());
}

TEST_F(FilterMakerForm, WritingTheFilterFileLoadsTheFormFromThatFile) {
    platform.files.AddFile("C:\\Lists\\web.plk", FileLines({"*.w"}));
    frm = std::make_unique<FrmFM>(view, platform);
    view.SetHandlers(frm.get());
    frm->SetFilterFile("C:\\Lists\\web.plk");
    EXPECT_TRUE(view.window.Loaded());
    EXPECT_EQ(Items(), WithDefault({"*.w"}));
    EXPECT_EQ(view.window.Caption(), "Filter Maker - (web.plk)");
}

TEST_F(FilterMakerForm, IncomingFilterIsSplitIntoTheBoxesOnce) {
    frm = std::make_unique<FrmFM>(view, platform);
    view.SetHandlers(frm.get());
    frm->SetEFISEditFilterIn("*.txt");
    view.window.EnsureLoaded();
    EXPECT_EQ(view.txtEF.Text(), "*");
    EXPECT_EQ(view.txtFE.Text(), "txt");
    EXPECT_EQ(frm->EFISEditFilterIn(), "");
}

TEST_F(FilterMakerForm, IncomingFilterWithoutAPointLeavesTheExtensionBox) {
    frm = std::make_unique<FrmFM>(view, platform);
    view.SetHandlers(frm.get());
    frm->SetEFISEditFilterIn("readme");
    view.window.EnsureLoaded();
    EXPECT_EQ(view.txtEF.Text(), "readme");
    EXPECT_EQ(view.txtFE.Text(), "htm");
    EXPECT_EQ(frm->EFISEditFilterIn(), "");
}

class ListMenu : public FilterMakerTest {
protected:
    void SetUp() override {
        FilterMakerTest::SetUp();
        OpenWithList({kDefault, "*.a", "*.b;*.c", "x.y.z"});
    }
    bool EditItemsEnabled() const {
        EXPECT_EQ(view.mnuOutLike[0].Enabled(), view.mnuOutLike[2].Enabled());
        return view.mnuOutLike[0].Enabled();
    }
};

TEST_F(ListMenu, EditItemsNeedOnePlainEntryBelowTheDefault) {
    view.lstPat.UserClick(1);
    PickFromMenu(-1);
    EXPECT_TRUE(EditItemsEnabled());
    EXPECT_EQ(view.window.popupDefaultItems, std::vector<int>{0});

    view.lstPat.UserClick(0);
    PickFromMenu(-1);
    EXPECT_FALSE(EditItemsEnabled());
    EXPECT_TRUE(view.mnuOutLike[4].Enabled());

    view.lstPat.UserClick(1);
    view.lstPat.UserClick(3, fakes::kCtrl);
    PickFromMenu(-1);
    EXPECT_FALSE(EditItemsEnabled());

    view.lstPat.UserClick(2);  // a combined filter
    PickFromMenu(-1);
    EXPECT_FALSE(EditItemsEnabled());
}

TEST_F(ListMenu, OnlyTheRightButtonOpensTheMenu) {
    view.lstPat.UserClick(1);  // raises a left mouse-up
    view.lstPat.UserMouseUp(ui::kMiddleButton);
    EXPECT_TRUE(view.window.popupDefaultItems.empty());
}

TEST_F(ListMenu, EditOutMovesTheEntryIntoTheBoxes) {
    view.lstPat.UserClick(1);
    PickFromMenu(0);
    EXPECT_EQ(view.txtEF.Text(), "*");
    EXPECT_EQ(view.txtFE.Text(), "a");
    EXPECT_EQ(Items(), WithDefault({"*.b;*.c", "x.y.z"}));
    EXPECT_EQ(CountLabel(), "3 filters defined");
}

TEST_F(ListMenu, EditLikeCopiesTheFirstTwoPiecesAndKeepsTheEntry) {
    view.lstPat.UserClick(3);
    PickFromMenu(2);
    EXPECT_EQ(view.txtEF.Text(), "x");
    EXPECT_EQ(view.txtFE.Text(), "y");
    EXPECT_EQ(view.lstPat.ListCount(), 4);
}

TEST_F(ListMenu, DisabledItemCannotBeChosen) {
    view.lstPat.UserClick(0);
    PickFromMenu(0);
    EXPECT_EQ(view.lstPat.ListCount(), 4);
    EXPECT_EQ(view.txtEF.Text(), "*");
    EXPECT_EQ(view.txtFE.Text(), "htm");
}

class EditPictures : public FilterMakerTest {
protected:
    void SetUp() override {
        FilterMakerTest::SetUp();
        Open();
    }
};

TEST_F(EditPictures, ConfirmedEditReplacesTheBoxText) {
    platform.editFilterDialog = [](std::string& text, bool) {
        text = "html";
        return true;
    };
    view.Image1[1].Click();
    ASSERT_EQ(platform.editFilterCalls.size(), 1u);
    EXPECT_EQ(platform.editFilterCalls[0].text, "htm");
    EXPECT_FALSE(platform.editFilterCalls[0].editPrefix);
    EXPECT_EQ(view.txtFE.Text(), "html");
}

TEST_F(EditPictures, CancelledEditLeavesTheBoxAndTheNamePartIsAPrefix) {
    view.txtEF.SetText(" a* ");
    platform.editFilterDialog = [](std::string& text, bool) {
        text = "changed";
        return false;
    };
    view.Image1[0].Click();
    ASSERT_EQ(platform.editFilterCalls.size(), 1u);
    EXPECT_EQ(platform.editFilterCalls[0].text, " a* ");
    EXPECT_TRUE(platform.editFilterCalls[0].editPrefix);
    EXPECT_EQ(view.txtEF.Text(), " a* ");
}

TEST_F(EditPictures, ThePointLabelOnlyBeeps) {
    view.lblF.Click();
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(view.lblF.Caption(), ".");
}

}  // namespace
}  // namespace kvex::testing
