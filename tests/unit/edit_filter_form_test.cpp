// The Edit Filter form: load and close, validation, OK, token buttons.
#include "form_fixtures.h"

namespace kvex::testing {
namespace {

class EditFilterForm : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void Open(const std::string& text, short icon = 101) {
        frm = std::make_unique<FrmEF>(view, platform);
        view.SetHandlers(frm.get());
        frm->SetFilterInAndOut(text);
        frm->SetIconIndex(icon);
        view.window->EnsureLoaded();
    }
    // The box holding text with a part of it selected.
    void Select(const std::string& text, int start, int length) {
        view.txtEF->SetText(text);
        view.txtEF->SetSelection(start, length);
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
    EXPECT_GT(platform.layout.minHeight * platform.layout.minWidth, 0);
    EXPECT_EQ(view.window->icon, 102);
    EXPECT_TRUE(view.ErrInput1->imageListAttached);
    EXPECT_EQ(view.txtEF->Text(), "*.htm");
    EXPECT_TRUE(view.cmdOK->Enabled());

    view.txtEF->SetText(" b ");
    view.cmdOK->Click();
    EXPECT_EQ(frm->SelectionMade(), -1);
    EXPECT_EQ(frm->FilterInAndOut(), " b ");
    EXPECT_EQ(view.txtEF->Text(), "");
    EXPECT_EQ(view.window->icon, 0);
    EXPECT_FALSE(view.ErrInput1->imageListAttached);
    EXPECT_EQ(platform.layout.placements.back(), "Save Filter Maker " + kPositionFile);
    EXPECT_TRUE(platform.layout.released);
}

// Only the characters and a blank text count: there is no trial match here,
// so an open list is for the user to finish.
TEST_F(EditFilterForm, TextsTheFilterMayNotHoldDisableOk) {
    Open("");
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
    EXPECT_FALSE(view.ErrInput1->shown);
    EXPECT_TRUE(view.cmdOK->Enabled());
    EXPECT_EQ(platform.messages.beeps, 2);
}

// What a caller leaves unset: no icon, and no selection made.
TEST_F(EditFilterForm, UnsetPropertiesShowNoIconAndMakeNoSelection) {
    frm = std::make_unique<FrmEF>(view, platform);
    view.SetHandlers(frm.get());
    view.window->EnsureLoaded();
    EXPECT_EQ(view.window->icon, 0);
    view.window->CloseBox();
    EXPECT_EQ(frm->SelectionMade(), 0);
}

// "[" and "[!" wrap the selection; the single tokens replace it or go in at the caret.
TEST_F(EditFilterForm, TokenButtonsWrapOrReplaceTheSelection) {
    Open("");
    const struct {
        const char* text;
        int start, length, button;
        const char* result;
    } cases[] = {
        {"abc", 1, 1, 5, "a[b]c"}, {"abc", 1, 1, 6, "a[!b]c"}, {"abc", 3, 0, 5, "abc[]"}, {"a", 1, 0, 0, "a*"},
        {"abc", 0, 3, 1, "?"},     {"", 0, 0, 2, "#"},         {"", 0, 0, 3, "!"},        {"", 0, 0, 4, "-"},
    };
    for (const auto& c : cases) {
        Select(c.text, c.start, c.length);
        view.cmdE[static_cast<std::size_t>(c.button)]->Click();
        EXPECT_EQ(view.txtEF->Text(), c.result);
    }
    for (int beyond : {-1, 7}) frm->cmdE_Click(beyond);  // no such button: nothing happens
    EXPECT_EQ(view.txtEF->Text(), "-");
}

}  // namespace
}  // namespace kvex::testing
