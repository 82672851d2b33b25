// The two public classes: what ShowFilterMakerDialog and ShowEditFilterDialog
// set up, hand over and give back.
#include "editfilter/cls_ef_filter.h"
#include "filtermaker/cls_fm_filter.h"
#include "form_fixtures.h"

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
using ShowFilterMaker = PublicClasses;
using ShowEditFilter = PublicClasses;

// The component's folder loses one trailing backslash; the filter folder
// beside it is created when missing. A folder that takes no new file (Program
// Files for a user) leaves position.ini and the filters to the user's folder.
TEST_F(ShowFilterMaker, EmptyArgumentsUseTheDefaultsAndCreateTheFolder) {
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
        if (readOnly) platform.files.readOnlyFolders.insert(FolderWithoutTrailingBackslash(component));
        platform.layout.placements.clear();
        platform.files.createdFolders.clear();
        EXPECT_TRUE(Show());
        EXPECT_EQ(ThreadState().gsAppPath, appPath);
        EXPECT_EQ(ThreadState().gsDefaultFilter, kDefault);
        EXPECT_EQ(ThreadState().gsFilterFolder, appPath + std::string("\\Filters"));
        EXPECT_EQ(platform.files.createdFolders, std::vector<std::string>{ThreadState().gsFilterFolder});
        EXPECT_EQ(platform.files.Content(ThreadState().gsFilterFolder + "\\filters.dlk"), FileLines({kDefault}));
        ASSERT_FALSE(platform.layout.placements.empty());
        EXPECT_EQ(platform.layout.placements[0], "Restore Filter Maker " + appPath + "\\position.ini");
    }
}

// A host folder is used as given and never created; the incoming filter is
// in place before writing the filter file loads the form.
TEST_F(ShowFilterMaker, HostArgumentsReachTheFormInOrder) {
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

TEST_F(ShowFilterMaker, ANestedCallLeavesTheOuterDialogItsOwnFolderAndDefault) {
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
TEST_F(ShowEditFilter, OnlyOkHandsBackTheTextExactlyAsTyped) {
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
TEST_F(ShowEditFilter, AppPathAndTextKeepWhatTheSystemCannotTell) {
    platform.editFilterSession = [](FakeEditFilterView& v) { v.cmdCancel->Click(); };
    std::string text = "*.x";
    ThreadState().gsAppPath = "C:\\Before";
    platform.componentFolder.clear();
    ShowEdit(text, 0);
    EXPECT_EQ(ThreadState().gsAppPath, "C:\\Before");

    platform.componentFolder = "C:\\Program Files\\kvexfilt";
    platform.files.AddFolder(platform.componentFolder);
    platform.files.readOnlyFolders.insert(platform.componentFolder);
    platform.perUserFolder.clear();
    platform.viewsUnavailable = true;
    platform.editFilterSession = [&](FakeEditFilterView&) { text = "shown"; };
    EXPECT_FALSE(ShowEdit(text, -1));
    EXPECT_EQ(text, "*.x");
    EXPECT_EQ(ThreadState().gsAppPath, platform.componentFolder);
}

}  // namespace
}  // namespace kvex::testing
