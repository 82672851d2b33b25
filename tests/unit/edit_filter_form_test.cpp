// The Edit Filter form: load and close, validation, OK and Cancel, token buttons.
#include "form_fixtures.h"
#include "shared/filter_text.h"

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
        view.window.EnsureLoaded();
    }
    // The box holding text with a part of it selected.
    void Select(const std::string& text, int start, int length) {
        view.txtEF.SetText(text);
        view.txtEF.SetSelection(start, length);
    }
    fakes::FakePlatform platform;
    fakes::FakeEditFilterView view;
    std::unique_ptr<FrmEF> frm;
};

TEST_F(EditFilterForm, LoadBindsThePlacementAndShowsTheIncomingText) {
    Open("*.htm", 102);
    EXPECT_EQ(platform.initCommonCtrls, std::vector<std::uint32_t>{0xFF});
    EXPECT_EQ(platform.layout.calls,
              (std::vector<std::string>{"Mode 0", "MinHeight 196", "MinWidth 469", "BindForm", "Form",
                                        "Restore Filter Maker " + kPositionFile, "Refresh"}));
    EXPECT_EQ(view.window.icon, 102);
    EXPECT_TRUE(view.ErrInput1.imageListAttached);
    EXPECT_EQ(view.txtEF.Text(), "*.htm");
    EXPECT_FALSE(view.ErrInput1.shown);
    EXPECT_TRUE(view.cmdOK.Enabled());
}

TEST_F(EditFilterForm, ResizeKeepsTheFloor) {
    Open("x");
    platform.layout.live->minWidth = 10;
    platform.layout.calls.clear();
    view.window.Resize();
    EXPECT_EQ(platform.layout.calls, (std::vector<std::string>{"MinWidth 469", "Refresh"}));
}

TEST_F(EditFilterForm, TextsTheFilterMayNotHoldDisableOk) {
    Open("");
    EXPECT_FALSE(view.cmdOK.Enabled());
    for (const char* bad : {"a|b", "*.htm;*.html", "   "}) {
        view.txtEF.SetText(bad);
        EXPECT_TRUE(view.ErrInput1.shown) << bad;
        EXPECT_FALSE(view.cmdOK.Enabled()) << bad;
    }
    EXPECT_EQ(view.ErrInput1.errorCaption, kInvalidCharsCaption);
    EXPECT_EQ(view.ErrInput1.detail, "Remove Invalid Characters    ,<>/\\:|;\"");
    EXPECT_EQ(platform.messages.beeps, 2);  // the blank text is in error without a beep
}

TEST_F(EditFilterForm, NoTrialMatchHereSoAnOpenListIsAccepted) {
    Open("[a");
    EXPECT_TRUE(view.cmdOK.Enabled());
    EXPECT_EQ(platform.messages.beeps, 0);
}

TEST_F(EditFilterForm, OkKeepsTheUntrimmedTextThoughClosingEmptiesTheBox) {
    Open("a");
    Select(" b ", 0, 0);
    view.cmdOK.Click();
    EXPECT_EQ(frm->SelectionMade(), -1);
    EXPECT_EQ(frm->FilterInAndOut(), " b ");
    EXPECT_EQ(view.txtEF.Text(), "");
    EXPECT_FALSE(view.cmdOK.Enabled());
    EXPECT_EQ(view.window.icon, 0);
    EXPECT_FALSE(view.ErrInput1.imageListAttached);
    EXPECT_EQ(platform.layout.calls[platform.layout.calls.size() - 2], "Save Filter Maker " + kPositionFile);
}

TEST_F(EditFilterForm, CancelKeepsTheIncomingText) {
    Open("*.htm");
    view.txtEF.SetText("x");
    view.cmdCancel.Click();
    EXPECT_EQ(frm->SelectionMade(), 0);
    EXPECT_EQ(frm->FilterInAndOut(), "*.htm");
    EXPECT_FALSE(view.window.Loaded());
}

TEST_F(EditFilterForm, ListButtonsWrapTheSelection) {
    Open("");
    Select("abc", 1, 1);
    view.cmdE[5].Click();
    EXPECT_EQ(view.txtEF.Text(), "a[b]c");
    EXPECT_EQ(view.txtEF.SelStart(), 4);
    EXPECT_EQ(view.txtEF.SelLength(), 0);

    Select("abc", 1, 1);
    view.cmdE[6].Click();
    EXPECT_EQ(view.txtEF.Text(), "a[!b]c");

    Select("abc", 3, 0);
    view.cmdE[5].Click();
    EXPECT_EQ(view.txtEF.Text(), "abc[]");
}

TEST_F(EditFilterForm, SingleTokensReplaceTheSelectionOrInsertAtTheCaret) {
    Open("");
    Select("a", 1, 0);
    view.cmdE[0].Click();
    EXPECT_EQ(view.txtEF.Text(), "a*");
    Select("abc", 0, 3);
    view.cmdE[1].Click();
    EXPECT_EQ(view.txtEF.Text(), "?");
    const std::string written[] = {"#", "!", "-"};
    for (int i = 2; i <= 4; ++i) {
        Select("", 0, 0);
        view.cmdE[static_cast<std::size_t>(i)].Click();
        EXPECT_EQ(view.txtEF.Text(), written[i - 2]);
        EXPECT_TRUE(view.cmdOK.Enabled());
    }
}

}  // namespace
}  // namespace kvex::testing
