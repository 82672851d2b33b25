// The two public classes (what ShowFilterMakerDialog and ShowEditFilterDialog
// set up, hand over and give back) and the files behind the Filter Maker.
#include "editfilter/cls_ef_filter.h"
#include "filtermaker/cls_fm_filter.h"
#include "form_fixtures.h"

#include "contract/file_system_contract.h"

namespace kvex::testing {
namespace {

class PublicClasses : public ::testing::Test {
protected:
    void SetUp() override {
        ThreadState() = SharedState{};
        platform.files.AddFolder(kAppFolder);
    }
    void TearDown() override { EXPECT_EQ(platform.dialogsLeftOpen, 0); }
    bool Show(const std::string& defaultFilter = "", const std::string& folder = "",
              const std::string& filterInLike = "", const std::string& openFile = "") {
        return ClsFMfilter(platform, ClsEFfilter::Launcher(platform))
            .ShowFilterMakerDialog(defaultFilter, folder, filterInLike, openFile);
    }
    bool ShowEdit(std::string& text, short editPrefix) { return ClsEFfilter(platform).ShowEditFilterDialog(text, editPrefix); }
    FakePlatform platform;
};

// The component's folder loses one trailing backslash; the filter folder
// beside it is created when missing. A folder that takes no new file (Program
// Files for a user) leaves position.ini and the filters to the user's folder.
TEST_F(PublicClasses, FilterMakerEmptyArgumentsUseTheDefaultsAndCreateTheFolder) {
    platform.filterMakerSession = [](FakeFilterMakerView& v) { v.cmdOK->Click(); };
    const std::string perUser = platform.perUserFolder;
    const struct {
        std::string component;
        bool readOnly;
        std::string appPath;
    } cases[] = {{"C:\\", false, "C:"},
                 {"C:\\Apps\\kvex", false, "C:\\Apps\\kvex"},
                 {"C:\\Program Files\\kvexfilt\\", true, perUser}};
    for (const auto& [component, readOnly, appPath] : cases) {
        platform.componentFolder = component;
        platform.files.AddFolder(FolderWithoutTrailingBackslash(component));
        if (readOnly) platform.files.readOnly.insert(FolderWithoutTrailingBackslash(component));
        platform.layout.placements.clear();
        platform.files.createdFolders.clear();
        EXPECT_TRUE(Show());
        EXPECT_EQ(ThreadState().gsAppPath, appPath);
        EXPECT_EQ(ThreadState().gsDefaultFilter, kDefault);
        EXPECT_EQ(ThreadState().gsFilterFolder, appPath + std::string("\\Filters"));
        EXPECT_EQ(platform.files.createdFolders, std::vector<std::string>{ThreadState().gsFilterFolder});
        EXPECT_EQ(platform.files.Content(ThreadState().gsFilterFolder + "\\filters.dlk"), FileLines({kDefault}));
        EXPECT_EQ(platform.layout.placements.at(0), "Restore Filter Maker " + appPath + "\\position.ini");
    }
}

// A host folder is used as given and never created; the incoming filter is
// in place before writing the filter file loads the form.
TEST_F(PublicClasses, FilterMakerHostArgumentsReachTheFormInOrder) {
    platform.files.AddFile("C:\\Lists\\web.plk", FileLines({"*.w"}));
    std::vector<std::string> seen;
    platform.filterMakerSession = [&](FakeFilterMakerView& v) {
        seen = v.window->log;
        for (const std::string& item : v.lstPat->Items()) seen.push_back(item);
        seen.insert(seen.end(), {v.txtEF->Text(), v.txtFE->Text(), v.window->Caption()});
        v.cmdOK->Click();
    };
    EXPECT_TRUE(Show("*.d", "D:\\Missing\\", "*.txt", "C:\\Lists\\web.plk"));
    EXPECT_EQ(seen, (std::vector<std::string>{"Load", "ShowModal", "Resize", "*.d", "*.w", "*", "txt",
                                              "Filter Maker - (web.plk)"}));
    EXPECT_EQ(ThreadState().gsFilterFolder, "D:\\Missing\\");
    EXPECT_TRUE(platform.files.createdFolders.empty());
    EXPECT_EQ(platform.files.writes, (std::vector<std::string>{"D:\\Missing\\\\filters.dlk", "C:\\Lists\\web.plk"}));
    EXPECT_TRUE(platform.messages.boxes.empty());
}

TEST_F(PublicClasses, FilterMakerANestedCallLeavesTheOuterDialogItsOwnFolderAndDefault) {
    platform.files.AddFolder("D:\\Outer");
    platform.files.AddFolder("D:\\Inner");
    std::vector<std::string> outerItems;
    int call = 0;
    platform.filterMakerSession = [&](FakeFilterMakerView& v) {
        if (++call == 1) {
            // The host calls again from inside the open dialog.
            Show("*.inner", "D:\\Inner");
            v.cmdNew->Click();
            outerItems = v.lstPat->Items();
        }
        v.cmdOK->Click();
    };
    platform.messages.answers.push_back(kIdYes);  // New: clear the list
    EXPECT_TRUE(Show("*.outer", "D:\\Outer"));
    EXPECT_EQ(outerItems, std::vector<std::string>{"*.outer"});
    EXPECT_EQ(platform.files.Content("D:\\Outer\\filters.dlk"), FileLines({"*.outer"}));
    EXPECT_EQ(platform.files.Content("D:\\Inner\\filters.dlk"), FileLines({"*.inner"}));
    EXPECT_EQ(ThreadState().gsFilterFolder, "D:\\Outer");
}

// OK hands back the text exactly as typed; Cancel and the close box leave it
// alone. Only exactly True (-1) marks the name part with its icon.
TEST_F(PublicClasses, EditFilterOnlyOkHandsBackTheTextExactlyAsTyped) {
    const struct {
        short editPrefix;
        const char* end;
        const char* text;
        int icon;
    } cases[] = {{-1, "OK", " a*", 102}, {0, "Cancel", "*.htm", 101}, {1, "close box", "*.htm", 101}};
    for (const auto& c : cases) {
        int icon = 0;
        platform.editFilterSession = [&](FakeEditFilterView& v) {
            icon = v.window->icon;
            v.txtEF->SetText(" a*");
            c.end[0] == 'O' ? v.cmdOK->Click() : c.end[0] == 'C' ? v.cmdCancel->Click() : v.window->CloseBox();
        };
        std::string text = "*.htm";
        EXPECT_EQ(ShowEdit(text, c.editPrefix), c.end[0] == 'O') << c.end;
        EXPECT_EQ(text, c.text) << c.end;
        EXPECT_EQ(icon, c.icon) << c.end;
    }
    EXPECT_EQ(ThreadState().gsAppPath, kAppFolder);
}

// What the system cannot tell leaves what is known: no component folder keeps
// the last one, no user folder keeps a component folder that takes no file.
// Without a window the Edit Filter gives the text back untouched.
TEST_F(PublicClasses, EditFilterAppPathAndTextKeepWhatTheSystemCannotTell) {
    std::string text = "*.x";
    ThreadState().gsAppPath = "C:\\Before";
    platform.componentFolder.clear();
    platform.viewsUnavailable = true;
    EXPECT_FALSE(ShowEdit(text, -1));
    EXPECT_EQ(text + ThreadState().gsAppPath, "*.xC:\\Before");

    platform.componentFolder = "C:\\Program Files\\kvexfilt";
    platform.files.AddFolder(platform.componentFolder);
    platform.files.readOnly.insert(platform.componentFolder);
    platform.perUserFolder.clear();
    ShowEdit(text, -1);
    EXPECT_EQ(ThreadState().gsAppPath, platform.componentFolder);
}

using ListStore = FilterMakerTest;
const std::string kWeb = "C:\\Apps\\kvex\\web.plk";

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
    platform.files.heldExclusively.insert(kListFile);
    Open();
    EXPECT_EQ(Items(), WithDefault({}));
    platform.files.files.erase(kListFile);
    Open();
    EXPECT_EQ(Items(), WithDefault({}));
    EXPECT_EQ(CountLabel(), "1 filters defined");
}

// Cancel and the close box write nothing; OK writes the first 75 entries to
// filters.dlk and the current pattern-list file alike, and into a folder that
// is gone still closes, without a message.
TEST_F(ListStore, OnlyOkWritesAndAlwaysCloses) {
    for (bool closeBox : {false, true}) {
        OpenWithList({kDefault});
        ClickTestAdd();
        closeBox ? view.window->CloseBox() : view.cmdCancel->Click();
        EXPECT_FALSE(view.window->Loaded());
    }
    EXPECT_TRUE(platform.files.writes.empty());
    const auto lines = NumberedFilters(80);
    OpenWithList(lines);
    EXPECT_EQ(CountLabel(), "76 filters defined");
    frm->SetFilterFile(kWeb);  // the file itself does not exist yet
    view.cmdOK->Click();
    std::vector<std::string> written = WithDefault(lines);
    written.resize(75);
    EXPECT_EQ(platform.files.Content(kListFile), FileLines(written));
    EXPECT_EQ(platform.files.Content(kWeb), FileLines(written));

    Open();
    ThreadState().gsFilterFolder = "C:\\Missing";
    view.cmdOK->Click();
    EXPECT_FALSE(view.window->Loaded());
    EXPECT_EQ(platform.files.writes, (std::vector<std::string>{kListFile, kWeb, "C:\\Missing\\filters.dlk"}));
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
    const std::string locked = "C:\\Apps\\kvex\\locked.plk";
    platform.files.AddFile(locked, FileLines({"*.w"}));
    platform.files.heldExclusively.insert(locked);
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
    EXPECT_EQ(call.owner, view.window->NativeHandle());

    view.cmdOpen->Click();
    EXPECT_EQ(Items(), WithDefault({"*.w1", "*.w2"}));
    EXPECT_EQ(CountLabel(), "3 filters defined");
    EXPECT_EQ(view.window->Caption(), "Filter Maker - (web.plk)");
}

// Save writes the current file (the host's, or the one Save As chose) with
// every entry, encoded, without asking, and never touches filters.dlk.
TEST_F(ListStore, SaveAsChoosesTheFileAndThenSaveNeedsNoDialog) {
    const std::string hosts = kFilterFolder + "\\host.plk";
    OpenWithList({kDefault, "*.a"});
    frm->SetFilterFile(hosts);
    view.cmdSave->Click();
    EXPECT_EQ(platform.files.Content(hosts), FileLines(WithDefault({"*.a"})));
    platform.dialogs.results = {std::nullopt, kWeb};
    view.cmdSaveAs->Click();  // cancelled
    EXPECT_EQ(platform.files.writes.size(), 1u);
    view.cmdSaveAs->Click();
    const auto& call = platform.dialogs.calls.at(1);
    EXPECT_EQ(call.title + " " + call.defaultExt + " " + call.initDir, "Save As plk " + kFilterFolder);
    EXPECT_EQ(frm->FilterFile(), kWeb);
    EXPECT_EQ(platform.files.Content(kWeb), FileLines(WithDefault({"*.a"})));

    view.lstPat->AddItem("\xD0\x96.x");  // Ж
    view.cmdSave->Click();
    EXPECT_EQ(platform.files.Content(kWeb), "\xEF\xBB\xBF" + FileLines(WithDefault({"*.a", "\xD0\x96.x"})));
    EXPECT_EQ(platform.dialogs.calls.size(), 2u);
    EXPECT_EQ(platform.files.writes, (std::vector<std::string>{hosts, kWeb, kWeb}));
}

TEST_F(ListStore, EachFailedSaveStepIsReportedAndTheFileStillBecomesCurrent) {
    platform.files.AddFile(kWeb, "old\r\n");
    platform.files.writeFailures[kWeb] = {{29, "Write fault."}, {31, "General failure."}};
    OpenWithList({kDefault});
    platform.dialogs.results.push_back(kWeb);
    view.cmdSaveAs->Click();
    EXPECT_EQ(Boxes(), (std::vector<FakeMessages::Box>{
                           {"Error: 29\r\nWrite fault.\r\nSub frmFM SaveCustomFilters", "kvexfilt", kOk | kIconExclamation},
                           {"Error: 31\r\nGeneral failure.\r\nSub frmFM SaveCustomFilters", "kvexfilt", kOk | kIconExclamation}}));
    EXPECT_EQ(platform.files.Content(kWeb), "old\r\n");
    EXPECT_EQ(view.window->Caption(), "Filter Maker - (web.plk)");
}

// The fake file system as the contract asks for it.
class FakeFilesRig {
public:
    FakeFilesRig() { files_.AddFolder(Folder()); }
    ui::IFileSystem& Files() { return files_; }
    std::string Folder() { return "C:\\\xD0\xAE\xD1\x80\xD0\xB8\xD0\xB9 \xE6\xBC\xA2\xE5\xAD\x97"; }  // Юрий 漢字
    void Put(const std::string& path, const std::string& bytes) { files_.files[path] = bytes; }
    void MakeReadOnly(const std::string& path) { files_.readOnly.insert(path); }
    std::shared_ptr<void> HoldOpen(const std::string& path, bool shareReadWrite) {
        std::set<std::string>& held = shareReadWrite ? files_.heldShared : files_.heldExclusively;
        held.insert(path);
        return std::shared_ptr<void>(nullptr, [&held, path](void*) { held.erase(path); });
    }
    Names Listed() {
        Names names;
        for (const auto& [path, content] : files_.files)
            if (ParentFolder(path) == Folder()) names.push_back(path.substr(Folder().size() + 1));
        for (const std::string& path : files_.folders)
            if (ParentFolder(path) == Folder()) names.push_back(path.substr(Folder().size() + 1));
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    FakeFileSystem files_;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fakes, FileSystemContract, FakeFilesRig);

}  // namespace kvex::testing
