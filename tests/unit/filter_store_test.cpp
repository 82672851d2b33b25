// Loading and saving the list: filters.dlk, OK and Cancel, pattern-list files.
#include "form_fixtures.h"

namespace kvex::testing {
namespace {

class ListStore : public FilterMakerTest {
protected:
    void SetUp() override {
        FilterMakerTest::SetUp();
        platform.files.AddFolder("C:\\Lists");
    }
    const std::string kWeb = "C:\\Lists\\web.plk";
};

// The default filter goes first unless the file already starts with it; only
// the first 16 MiB are read; a missing or unreadable file gives the default alone.
TEST_F(ListStore, LoadPutsTheDefaultFirst) {
    const struct {
        std::string file;
        std::vector<std::string> list;
    } cases[] = {
        {FileLines({kDefault, "*.a"}), {kDefault, "*.a"}},
        {FileLines({"*.a", "*.b", kDefault, "*.c"}), {kDefault, "*.a", "*.b", kDefault, "*.c"}},
        {FileLines({"*.old", "*.x,*.y"}), {kDefault, "*.old", "*.x", "*.y"}},
        {std::string(16 * 1024 * 1024 - 6, ' ') + "*.in\r\n*.out\r\n", {kDefault, "*.in"}},
    };
    for (const auto& c : cases) {
        platform.files.AddFile(kListFile, c.file);
        Open();
        EXPECT_EQ(Items(), c.list);
    }
    platform.files.unreadable.insert(kListFile);
    Open();
    EXPECT_EQ(Items(), WithDefault({}));
    platform.files.files.erase(kListFile);
    Open();
    EXPECT_EQ(Items(), WithDefault({}));
    EXPECT_EQ(CountLabel(), "1 filters defined");
}

// OK writes the first 75 entries to filters.dlk and the current pattern-list file alike.
TEST_F(ListStore, EightyLinesLoadSeventyFiveAndOkWritesTheFirstSeventyFiveToBothFiles) {
    const auto lines = NumberedFilters(80);
    OpenWithList(lines);
    EXPECT_EQ(CountLabel(), "76 filters defined");
    frm->SetFilterFile(kWeb);  // the file itself does not exist yet
    view.cmdOK->Click();
    std::vector<std::string> written = WithDefault(lines);
    written.resize(75);
    EXPECT_EQ(platform.files.Content(kListFile), FileLines(written));
    EXPECT_EQ(platform.files.Content(kWeb), FileLines(written));
    EXPECT_FALSE(view.window->Loaded());
}

// Cancel and the close box write nothing; OK into a folder that is gone
// still closes, without a message.
TEST_F(ListStore, OnlyOkWritesAndAlwaysCloses) {
    for (bool closeBox : {false, true}) {
        OpenWithList({kDefault});
        ClickTestAdd();
        closeBox ? view.window->CloseBox() : view.cmdCancel->Click();
        EXPECT_FALSE(view.window->Loaded());
    }
    EXPECT_TRUE(platform.files.writes.empty());
    Open();
    ThreadState().gsFilterFolder = "C:\\Missing";
    view.cmdOK->Click();
    EXPECT_FALSE(view.window->Loaded());
    EXPECT_EQ(platform.files.writes, std::vector<std::string>{"C:\\Missing\\filters.dlk"});
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ListStore, NewAsksAndOnYesStartsFromTheDefaultAndForgetsTheFile) {
    OpenWithList({kDefault, "*.a"});
    frm->SetFilterFile(kWeb);
    view.lstPat->UserClick(1);
    TypeParts("n", "x");
    view.cmdNew->Click();  // the default answer is No
    ExpectOnlyBox("Create a new list?", "Clear list?", kYesNo | kDefButton2 | kIconExclamation);
    EXPECT_EQ(Items(), WithDefault({"*.a"}));
    EXPECT_EQ(view.window->Caption(), "Filter Maker - (web.plk)");
    EXPECT_TRUE(view.cmdSave->Enabled());

    platform.messages.answers.push_back(kIdYes);
    view.cmdNew->Click();
    EXPECT_EQ(Items(), WithDefault({}));
    EXPECT_EQ(CountLabel() + LengthLabel(), "1 filters definedNew filter length (0)");
    EXPECT_EQ(view.window->Caption(), "Filter Maker - ()");
    EXPECT_FALSE(view.cmdSave->Enabled());
    EXPECT_EQ(Parts(), "n|x");
}

// Open replaces the shown list and makes the file current; a cancelled or
// unreadable open changes nothing.
TEST_F(ListStore, OpenReplacesTheListWithTheFile) {
    const std::string locked = "C:\\Lists\\locked.plk";
    platform.files.AddFile(locked, FileLines({"*.w"}));
    platform.files.unreadable.insert(locked);
    platform.files.AddFile(kWeb, FileLines({"*.w1", "*.w2"}));
    OpenWithList({kDefault, "*.shown"});
    platform.dialogs.results = {std::nullopt, locked, kWeb};
    view.cmdOpen->Click();
    view.cmdOpen->Click();
    EXPECT_EQ(Items(), WithDefault({"*.shown"}));
    EXPECT_EQ(frm->FilterFile(), "");
    EXPECT_TRUE(Boxes().empty());
    const auto& call = platform.dialogs.calls.at(0);
    EXPECT_EQ(call.title, "Open As");
    EXPECT_EQ(call.filter, std::string("Pattern like Files (*.plk)\0*.plk\0", 33));
    EXPECT_EQ(call.initDir, kFilterFolder);
    EXPECT_EQ(call.owner, kFakeWindowHandle);

    view.cmdOpen->Click();
    EXPECT_EQ(Items(), WithDefault({"*.w1", "*.w2"}));
    EXPECT_EQ(CountLabel(), "3 filters defined");
    EXPECT_EQ(view.window->Caption(), "Filter Maker - (web.plk)");
}

// Save As asks for a file and makes it current; Save then writes every entry
// there, encoded, without asking, and never touches filters.dlk.
TEST_F(ListStore, SaveAsChoosesTheFileAndThenSaveNeedsNoDialog) {
    OpenWithList({kDefault, "*.a"});
    platform.dialogs.results = {std::nullopt, kWeb};
    view.cmdSaveAs->Click();  // cancelled
    EXPECT_TRUE(platform.files.writes.empty());
    view.cmdSaveAs->Click();
    const auto& call = platform.dialogs.calls.at(1);
    EXPECT_EQ(call.title + " " + call.defaultExt + " " + call.initDir, "Save As plk " + kFilterFolder);
    EXPECT_EQ(frm->FilterFile(), kWeb);
    EXPECT_EQ(platform.files.Content(kWeb), FileLines(WithDefault({"*.a"})));

    view.lstPat->AddItem("\xD0\x96.x");  // Ж
    view.cmdSave->Click();
    EXPECT_EQ(platform.files.Content(kWeb), "\xEF\xBB\xBF" + FileLines(WithDefault({"*.a", "\xD0\x96.x"})));
    EXPECT_EQ(platform.dialogs.calls.size(), 2u);
    EXPECT_EQ(platform.files.writes, (std::vector<std::string>{kWeb, kWeb}));
}

TEST_F(ListStore, EachFailedSaveStepIsReportedAndTheFileStillBecomesCurrent) {
    platform.files.AddFile(kWeb, "old\r\n");
    platform.files.writeFailures[kWeb] = {{29, "Write fault."}, {31, "General failure."}};
    OpenWithList({kDefault});
    platform.dialogs.results.push_back(kWeb);
    view.cmdSaveAs->Click();
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[0].text, "Error: 29\r\nWrite fault.\r\nSub frmFM SaveCustomFilters");
    EXPECT_EQ(Boxes()[1].text, "Error: 31\r\nGeneral failure.\r\nSub frmFM SaveCustomFilters");
    EXPECT_EQ(Boxes()[0].title, "kvexfilt");
    EXPECT_EQ(Boxes()[0].style, kOk | kIconExclamation);
    EXPECT_EQ(platform.files.Content(kWeb), "old\r\n");
    EXPECT_EQ(view.window->Caption(), "Filter Maker - (web.plk)");
}

}  // namespace
}  // namespace kvex::testing
