// The two forms: life cycles, the Filter Maker's list menu and pictures, the
// Edit Filter's checks and token buttons.
#include <optional>

#include "form_fixtures.h"

namespace kvex::testing {
namespace {

class FilterMakerForm : public FilterMakerTest {};

// Load restores the placement and takes pictures and image lists; a resize
// puts back a floor that moved; closing gives all back and saves the placement.
TEST_F(FilterMakerForm, LifeCycle) {
    frm = std::make_unique<FrmFM>(view, platform, ClsEFfilter::Launcher(platform));
    EXPECT_TRUE(view.Complete() && view.Controls().Complete());  // table and names agree
    EXPECT_EQ(platform.initCommonCtrls, std::vector<std::uint32_t>{0xFF});
    view.SetHandlers(frm.get());
    frm->SetEFISEditFilterIn("readme");  // used once; without a point the extension box keeps its text
    view.window->EnsureLoaded();
    EXPECT_EQ(Parts(), "readme|htm");
    EXPECT_EQ(frm->EFISEditFilterIn(), "");
    EXPECT_EQ(platform.layout.placements, std::vector<std::string>{"Restore Filter Maker " + kPositionFile});
    const LayoutLog atLoad = platform.layout;
    EXPECT_EQ(std::make_pair(atLoad.minWidth, atLoad.minHeight), std::make_pair(603, 404));  // smallest size, pixels
    EXPECT_FALSE(atLoad.bound);
    EXPECT_EQ((std::vector<int>{view.window->icon, view.Image1[0]->picture, view.Image1[1]->picture,
                                view.Image1[0]->mouseIcon, view.Image1[1]->mouseIcon}),
              (std::vector<int>{101, 102, 101, 101, 101}));
    EXPECT_TRUE(view.ErrInput1->imageListAttached && view.ErrInput2->imageListAttached);

    for (int* floor : {&platform.layout.minHeight, &platform.layout.minWidth}) {
        *floor = 10;
        view.window->Resize();
        EXPECT_EQ(platform.layout.minHeight, atLoad.minHeight);
        EXPECT_EQ(platform.layout.minWidth, atLoad.minWidth);
    }
    EXPECT_EQ(platform.layout.refreshes, atLoad.refreshes + 2);

    frm->SetEFISEditFilterIn("*.x");
    view.window->CloseBox();
    EXPECT_EQ(view.window->icon, 0);
    for (const FakeImage* image : view.Image1) EXPECT_EQ(image->picture + image->mouseIcon, 0);
    EXPECT_EQ(frm->EFISEditFilterIn(), "");
    EXPECT_FALSE(view.ErrInput1->imageListAttached || view.ErrInput2->imageListAttached);
    EXPECT_EQ(platform.layout.placements.back(), "Save Filter Maker " + kPositionFile);
    EXPECT_TRUE(platform.layout.released);
}

// Edit Out and Edit Like need exactly one selected entry, current, below the
// default and not a combined filter; only the right button opens the menu.
// Edit Out moves the entry into the boxes, Edit Like copies its first two pieces.
TEST_F(FilterMakerForm, ListMenuEditOutAndEditLikeNeedOnePlainEntryBelowTheDefault) {
    ThreadState().gsDefaultFilter = "*.d";  // a plain filter, so that only its place disables the items
    OpenWithList({"*.d", "*.a", "*.b;*.c", "x.y.z"});
    view.lstPat->UserClick(1);
    view.lstPat->UserMouseUp(ui::kMiddleButton);
    EXPECT_TRUE(view.window->popupDefaultItems.empty());
    const struct {
        int click;
        unsigned keys;
        bool editable;
    } cases[] = {{1, kNoKeys, true}, {0, kNoKeys, false}, {1, kCtrl, false}, {2, kNoKeys, false}};
    for (const auto& c : cases) {
        view.lstPat->UserClick(c.click, c.keys);
        PickFromMenu(-1);
        EXPECT_EQ(view.mnuOutLike[0]->Enabled(), c.editable) << c.click;
        EXPECT_EQ(view.mnuOutLike[2]->Enabled(), c.editable) << c.click;
        EXPECT_TRUE(view.mnuOutLike[4]->Enabled());
    }
    EXPECT_EQ(view.window->popupDefaultItems, std::vector<int>(4, 0));

    view.lstPat->UserClick(1);
    PickFromMenu(0);
    EXPECT_EQ(Parts(), "*|a");
    EXPECT_EQ(Items(), (std::vector<std::string>{"*.d", "*.b;*.c", "x.y.z"}));
    EXPECT_EQ(CountLabel(), "3 filters defined");

    view.lstPat->UserClick(2);
    PickFromMenu(2);
    EXPECT_EQ(Parts(), "x|y");
    EXPECT_EQ(view.lstPat->ListCount(), 3);
}

TEST_F(FilterMakerForm, PicturesEditTheirBoxInTheEditFilterDialog) {
    Open();
    view.txtEF->SetText(" a* ");
    // The real Edit Filter form opens over the fakes: what it shows, and how
    // the user leaves it (Cancel on the name part, OK on the extension).
    std::vector<std::string> shown;  // text and icon
    platform.editFilterSession = [&](FakeEditFilterView& v) {
        shown.push_back(v.txtEF->Text() + "/" + std::to_string(v.window->icon));
        v.txtEF->SetText(v.window->icon == 102 ? "changed" : "html");
        v.window->icon == 102 ? v.cmdCancel->Click() : v.cmdOK->Click();
    };
    view.Image1[0]->Click();
    view.Image1[1]->Click();
    EXPECT_EQ(shown, (std::vector<std::string>{" a* /102", "htm/101"}));
    EXPECT_EQ(Parts(), " a* |html");
    // The point between the boxes is not editable.
    view.lblF->Click();
    EXPECT_EQ(Beeps(), 1);
}

class EditFilterForm : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    // Opens the form; without a text the caller sets neither text nor icon.
    void Open(std::optional<std::string> text = {}, short icon = 101) {
        frm = std::make_unique<FrmEF>(view, platform);
        view.SetHandlers(frm.get());
        if (text) frm->SetFilterInAndOut(*text);
        if (text) frm->SetIconIndex(icon);
        view.window->EnsureLoaded();
    }
    FakePlatform platform;
    FakeEditFilterView view;
    std::unique_ptr<FrmEF> frm;
};

// Load binds the placement and shows the incoming text; OK keeps the text
// untrimmed, closing empties the box and gives back icon and image list.
TEST_F(EditFilterForm, LifeCycle) {
    Open("*.htm", 102);
    EXPECT_TRUE(view.Complete() && view.Controls().Complete());  // table and names agree
    EXPECT_EQ(platform.initCommonCtrls, std::vector<std::uint32_t>{0xFF});
    EXPECT_EQ(platform.layout.placements, std::vector<std::string>{"Restore Filter Maker " + kPositionFile});
    EXPECT_TRUE(platform.layout.bound);
    EXPECT_EQ(std::make_pair(platform.layout.minWidth, platform.layout.minHeight), std::make_pair(469, 196));
    EXPECT_EQ(view.window->icon, 102);
    EXPECT_EQ(view.txtEF->Text(), "*.htm");
    EXPECT_TRUE(view.ErrInput1->imageListAttached && view.cmdOK->Enabled());

    view.txtEF->SetText(" b ");
    view.cmdOK->Click();
    EXPECT_EQ(frm->SelectionMade(), -1);
    EXPECT_EQ(frm->FilterInAndOut(), " b ");
    EXPECT_EQ(view.txtEF->Text() + std::to_string(view.window->icon), "0");
    EXPECT_FALSE(view.ErrInput1->imageListAttached);
    EXPECT_EQ(platform.layout.placements.back(), "Save Filter Maker " + kPositionFile);
    EXPECT_TRUE(platform.layout.released);
}

// Only the characters and a blank text count: there is no trial match here,
// so an open list is for the user to finish. A caller that sets nothing gets
// no icon, and closing makes no selection.
TEST_F(EditFilterForm, TextsTheFilterMayNotHoldDisableOk) {
    Open();
    EXPECT_EQ(view.window->icon, 0);
    EXPECT_FALSE(view.cmdOK->Enabled());
    for (const char* bad : {"a|b", "*.htm;*.html", "   "}) {
        view.txtEF->SetText(bad);
        EXPECT_TRUE(view.ErrInput1->shown) << bad;
        EXPECT_FALSE(view.cmdOK->Enabled()) << bad;
    }
    EXPECT_EQ(view.ErrInput1->errorCaption, "Remove Invalid Characters");
    EXPECT_EQ(view.ErrInput1->detail, "Remove Invalid Characters    ,<>/\\:|;\"");
    EXPECT_EQ(platform.messages.beeps, 2);  // the blank text is in error without a beep
    view.txtEF->SetText("[a");
    EXPECT_TRUE(!view.ErrInput1->shown && view.cmdOK->Enabled());
    EXPECT_EQ(platform.messages.beeps, 2);
    view.window->CloseBox();
    EXPECT_EQ(frm->SelectionMade(), 0);
}

// "[" and "[!" wrap the selection; the single tokens replace it or go in at
// the caret, counted in UTF-16 units as the text box counts it.
TEST_F(EditFilterForm, TokenButtonsWrapOrReplaceTheSelection) {
    Open("");
    const struct {
        const char* text;
        int start, length, button;
        const char* result;
    } cases[] = {
        {"\xD0\x96" "bc", 1, 1, 5, "\xD0\x96[b]c"}, {"abc", 1, 1, 6, "a[!b]c"}, {"abc", 3, 0, 5, "abc[]"}, {"a", 1, 0, 0, "a*"},
        {"abc", 0, 3, 1, "?"},     {"", 0, 0, 2, "#"},         {"", 0, 0, 3, "!"},        {"", 0, 0, 4, "-"},
    };
    for (const auto& c : cases) {
        view.txtEF->SetText(c.text);
        view.txtEF->SetSelection(c.start, c.length);
        view.cmdE[static_cast<std::size_t>(c.button)]->Click();
        EXPECT_EQ(view.txtEF->Text(), c.result);
    }
    for (int beyond : {-1, 7}) frm->cmdE_Click(beyond);  // no such button: nothing happens
    EXPECT_EQ(view.txtEF->Text(), "-");
}

}  // namespace
}  // namespace kvex::testing
