// Loading and saving the list: filters.dlk, OK and Cancel, pattern-list files.
#include "form_fixtures.h"
#include "shared/app_info.h"

namespace kvex::testing {
namespace {

using ui::mb::kDefButton2;
using ui::mb::kIconExclamation;
using ui::mb::kIdYes;
using ui::mb::kOk;
using ui::mb::kYesNo;

class ListStore : public FilterMakerTest {};

TEST_F(ListStore, MissingFileLeavesTheDefaultAlone) {
    Open();
    EXPECT_EQ(Items(), WithDefault({}));
    EXPECT_EQ(CountLabel(), "1 filters defined");
}

TEST_F(ListStore, DefaultStepInsertsUnlessTheFileStartsWithIt) {
    struct Case {
        std::vector<std::string> file;
        std::vector<std::string> list;
    };
    const Case cases[] = {
        {{kDefault, "*.a"}, {kDefault, "*.a"}},
        {{"*.a", "*.b", kDefault, "*.c"}, {kDefault, "*.a", "*.b", kDefault, "*.c"}},
        {{"*.old", "*.x"}, {kDefault, "*.old", "*.x"}},
    };
    for (const Case& c : cases) {
        platform.files.AddFile(kListFile, FileLines(c.file));
        fakes::FakeFilterMakerView freshView;
        FrmFM form(freshView, platform);
        freshView.SetHandlers(&form);
        freshView.window.EnsureLoaded();
        EXPECT_EQ(freshView.lstPat.Items(), c.list);
    }
}

TEST_F(ListStore, CommaSeparatedLineGivesTwoEntries) {
    OpenWithList({kDefault, "*.a,*.b", "*.c"});
    EXPECT_EQ(Items(), WithDefault({"*.a", "*.b", "*.c"}));
}

TEST_F(ListStore, EightyLinesLoadSeventyFiveAndOkWritesTheFirstSeventyFive) {
    const auto lines = NumberedFilters(80);
    OpenWithList(lines);
    ASSERT_EQ(view.lstPat.ListCount(), 76);
    EXPECT_EQ(CountLabel(), "76 filters defined");
    view.cmdOK.Click();
    std::vector<std::string> written = WithDefault(lines);
    written.resize(75);
    EXPECT_EQ(platform.files.Content(kListFile), FileLines(written));
}

TEST_F(ListStore, UnreadableFileStillGetsTheDefaultAndCount) {
    platform.files.unreadable.insert(kListFile);
    OpenWithList({"*.a"});
    EXPECT_EQ(Items(), WithDefault({}));
    EXPECT_EQ(CountLabel(), "1 filters defined");
}

TEST_F(ListStore, OkWritesTheListFileAndTheCurrentPatternListIdentically) {
    const std::string patternList = "C:\\Lists\\web.plk";
    platform.files.AddFolder("C:\\Lists");  // the file itself does not exist yet
    OpenWithList({kDefault, "*.a"});
    frm->SetFilterFile(patternList);
    ClickTestAdd();
    view.cmdOK.Click();
    const std::string expected = FileLines(WithDefault({"*.a", "*.htm"}));
    EXPECT_EQ(platform.files.Content(kListFile), expected);
    EXPECT_EQ(platform.files.Content(patternList), expected);
    EXPECT_FALSE(view.window.Loaded());
}

TEST_F(ListStore, CancelAndTheCloseBoxWriteNothingButKeepThePosition) {
    for (bool closeBox : {false, true}) {
        fakes::FakeFilterMakerView freshView;
        platform.files.AddFile(kListFile, FileLines({kDefault}));
        platform.layout.calls.clear();
        FrmFM form(freshView, platform);
        freshView.SetHandlers(&form);
        freshView.window.EnsureLoaded();
        freshView.cmdTools[0].Click();
        closeBox ? freshView.window.CloseBox() : freshView.cmdCancel.Click();
        EXPECT_FALSE(freshView.window.Loaded());
        EXPECT_EQ(platform.files.Content(kListFile), FileLines({kDefault}));
        ASSERT_GE(platform.layout.calls.size(), 2u);
        EXPECT_EQ(platform.layout.calls[platform.layout.calls.size() - 2],
                  "Save Filter Maker " + kPositionFile);
    }
    EXPECT_TRUE(platform.files.writes.empty());
}

TEST_F(ListStore, UnwritableStoreStillClosesOnOkWithoutAMessage) {
    platform.files.readOnly.insert(kListFile);
    OpenWithList({kDefault, "*.a"});
    ClickTestAdd();
    view.cmdOK.Click();
    EXPECT_FALSE(view.window.Loaded());
    EXPECT_EQ(platform.files.Content(kListFile), FileLines({kDefault, "*.a"}));
    EXPECT_TRUE(Boxes().empty());
}

class PatternListFiles : public FilterMakerTest {
protected:
    void SetUp() override {
        FilterMakerTest::SetUp();
        platform.files.AddFolder(kLists);
    }
    const std::string kLists = "C:\\Lists";
    const std::string kWeb = "C:\\Lists\\web.plk";
};

TEST_F(PatternListFiles, NewAnsweredNoChangesNothing) {
    OpenWithList({kDefault, "*.a"});
    frm->SetFilterFile(kWeb);
    view.cmdNew.Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Create a new list?");
    EXPECT_EQ(Boxes()[0].title, "Clear list?");
    EXPECT_EQ(Boxes()[0].style, kYesNo | kDefButton2 | kIconExclamation);
    EXPECT_EQ(Items(), WithDefault({"*.a"}));
    EXPECT_EQ(view.window.Caption(), "Filter Maker - (web.plk)");
}

TEST_F(PatternListFiles, NewAnsweredYesStartsFromTheDefaultAndForgetsTheFile) {
    OpenWithList({kDefault, "*.a"});
    frm->SetFilterFile(kWeb);
    view.lstPat.UserClick(1);
    TypeParts("n", "x");
    platform.messages.answers.push_back(kIdYes);
    view.cmdNew.Click();
    EXPECT_EQ(Items(), WithDefault({}));
    EXPECT_EQ(CountLabel(), "1 filters defined");
    EXPECT_EQ(LengthLabel(), "New filter length (0)");
    EXPECT_EQ(view.window.Caption(), "Filter Maker - ()");
    EXPECT_FALSE(view.cmdSave.Enabled());
    EXPECT_EQ(view.txtEF.Text(), "n");
    EXPECT_EQ(view.txtFE.Text(), "x");
}

TEST_F(PatternListFiles, CancelledOpenChangesNothing) {
    OpenWithList({kDefault, "*.a"});
    view.lblDum[3].SetCaption("stale");
    view.cmdOpen.Click();
    ASSERT_EQ(platform.dialogs.calls.size(), 1u);
    const auto& call = platform.dialogs.calls[0];
    EXPECT_FALSE(call.save);
    EXPECT_EQ(call.title, "Open As");
    EXPECT_EQ(call.filter, std::string("Pattern like Files (*.plk)\0*.plk\0", 33));
    EXPECT_EQ(call.filterIndex, 1);
    EXPECT_EQ(call.initDir, kFilterFolder);
    EXPECT_EQ(call.fileName, "");
    EXPECT_EQ(call.owner, fakes::kFakeWindowHandle);
    EXPECT_EQ(Items(), WithDefault({"*.a"}));
    EXPECT_EQ(CountLabel(), "stale");
    EXPECT_EQ(frm->FilterFile(), "");
}

TEST_F(PatternListFiles, OpeningAHundredLinesKeepsSeventyFivePlusTheDefault) {
    const auto lines = NumberedFilters(100);
    platform.files.AddFile(kWeb, FileLines(lines));
    Open();
    platform.dialogs.results.push_back(kWeb);
    view.cmdOpen.Click();
    EXPECT_EQ(view.lstPat.ListCount(), 76);
    EXPECT_EQ(view.lstPat.List(0), kDefault);
    EXPECT_EQ(CountLabel(), "76 filters defined");
    EXPECT_EQ(frm->FilterFile(), kWeb);
    EXPECT_EQ(view.window.Caption(), "Filter Maker - (web.plk)");
    EXPECT_TRUE(view.cmdSave.Enabled());

    // Save As writes every entry; OK keeps to 75 lines.
    const std::string copy = "C:\\Lists\\copy.plk";
    platform.dialogs.results.push_back(copy);
    view.cmdSaveAs.Click();
    EXPECT_EQ(platform.files.Content(copy), FileLines(Items()));
    view.cmdOK.Click();
    auto first75 = Items();
    first75.resize(75);
    EXPECT_EQ(platform.files.Content(copy), FileLines(first75));
}

TEST_F(PatternListFiles, OpeningAFileThatStartsWithTheDefaultInsertsNothing) {
    platform.files.AddFile(kWeb, FileLines({kDefault, "*.w"}));
    Open();
    platform.dialogs.results.push_back(kWeb);
    view.cmdOpen.Click();
    EXPECT_EQ(Items(), WithDefault({"*.w"}));
}

TEST_F(PatternListFiles, SaveAsAddsTheExtensionAndThenSaveNeedsNoDialog) {
    OpenWithList({kDefault, "*.a"});
    platform.dialogs.results.push_back("C:\\Lists\\mine");
    view.cmdSaveAs.Click();
    ASSERT_EQ(platform.dialogs.calls.size(), 1u);
    EXPECT_TRUE(platform.dialogs.calls[0].save);
    EXPECT_EQ(platform.dialogs.calls[0].title, "Save As");
    EXPECT_EQ(platform.dialogs.calls[0].defaultExt, "plk");
    EXPECT_EQ(platform.dialogs.calls[0].initDir, kFilterFolder);
    const std::string saved = "C:\\Lists\\mine.plk";
    EXPECT_EQ(frm->FilterFile(), saved);
    EXPECT_TRUE(view.cmdSave.Enabled());

    ClickTestAdd();
    view.cmdSave.Click();
    EXPECT_EQ(platform.dialogs.calls.size(), 1u);
    EXPECT_EQ(platform.files.Content(saved), FileLines(WithDefault({"*.a", "*.htm"})));
    // Save and Save As never touch filters.dlk.
    EXPECT_EQ(platform.files.writes, (std::vector<std::string>{saved, saved}));
}

TEST_F(PatternListFiles, CancelledSaveAsWritesNothing) {
    OpenWithList({kDefault});
    view.cmdSaveAs.Click();
    EXPECT_TRUE(platform.files.writes.empty());
    EXPECT_EQ(frm->FilterFile(), "");
}

TEST_F(PatternListFiles, EachFailedSaveStepIsReportedAndTheFileStillBecomesCurrent) {
    const std::string locked = "C:\\Lists\\locked.plk";
    platform.files.AddFile(locked, "old\r\n");
    platform.files.writeFailures[locked] = {{29, "Write fault."}, {31, "General failure."}};
    OpenWithList({kDefault});
    platform.dialogs.results.push_back(locked);
    view.cmdSaveAs.Click();
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, "Error: 29\r\nWrite fault.\r\nSub frmFM SaveCustomFilters");
    EXPECT_EQ(Boxes()[1].text, "Error: 31\r\nGeneral failure.\r\nSub frmFM SaveCustomFilters");
    EXPECT_EQ(Boxes()[0].title, kAppTitle);
    EXPECT_EQ(Boxes()[0].style, kOk | kIconExclamation);
    EXPECT_EQ(platform.files.Content(locked), "old\r\n");
    EXPECT_EQ(frm->FilterFile(), locked);
    EXPECT_EQ(view.window.Caption(), "Filter Maker - (locked.plk)");
}

TEST_F(PatternListFiles, ReadOnlyTargetReportsTheOpenFailure) {
    const std::string readOnly = "C:\\Lists\\ro.plk";
    platform.files.AddFile(readOnly, "");
    platform.files.readOnly.insert(readOnly);
    OpenWithList({kDefault});
    platform.dialogs.results.push_back(readOnly);
    view.cmdSaveAs.Click();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Error: 5\r\nAccess is denied.\r\nSub frmFM SaveCustomFilters");
    EXPECT_EQ(frm->FilterFile(), readOnly);
}

TEST_F(PatternListFiles, AFileThatCannotBeReadLeavesTheListAsItWas) {
    platform.files.AddFile(kWeb, FileLines({"*.w"}));
    platform.files.unreadable.insert(kWeb);
    OpenWithList({kDefault, "*.a"});
    platform.dialogs.results.push_back(kWeb);
    view.cmdOpen.Click();
    EXPECT_EQ(Items(), WithDefault({"*.a"}));
    EXPECT_EQ(frm->FilterFile(), "");
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace kvex::testing
