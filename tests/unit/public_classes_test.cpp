// The two public classes: what ShowFilterMakerDialog and ShowEditFilterDialog
// set up, hand over and give back.
#include "editfilter/cls_ef_filter.h"
#include "filtermaker/cls_fm_filter.h"
#include "form_fixtures.h"

namespace kvex::testing {
namespace {

using fakes::FakeEditFilterView;
using fakes::FakeFilterMakerView;

class ShowFilterMaker : public ::testing::Test {
protected:
    void SetUp() override {
        ThreadState() = SharedState{};
        platform.files.AddFolder(kAppFolder);
    }
    bool Show(const std::string& defaultFilter = "", const std::string& folder = "",
              const std::string& filterInLike = "", const std::string& openFile = "") {
        ClsFMfilter cls(platform);
        return cls.ShowFilterMakerDialog(defaultFilter, folder, filterInLike, openFile);
    }
    fakes::FakePlatform platform;
};

TEST_F(ShowFilterMaker, EmptyArgumentsUseTheDefaultsAndCreateTheFolder) {
    platform.filterMakerSession = [](FakeFilterMakerView& v) { v.cmdOK.Click(); };
    EXPECT_TRUE(Show());
    EXPECT_EQ(ThreadState().gsAppPath, kAppFolder);
    EXPECT_EQ(ThreadState().gsDefaultFilter, kDefault);
    EXPECT_EQ(ThreadState().gsFilterFolder, kFilterFolder);
    EXPECT_EQ(platform.files.createdFolders, std::vector<std::string>{kFilterFolder});
    EXPECT_EQ(platform.files.Content(kListFile), FileLines({kDefault}));
}

TEST_F(ShowFilterMaker, ComponentInADriveRootDropsOnlyTheBackslash) {
    platform.componentFolder = "C:\\";
    platform.files.AddFolder("C:");
    Show();
    EXPECT_EQ(ThreadState().gsAppPath, "C:");
    EXPECT_EQ(ThreadState().gsFilterFolder, "C:\\Filters");
    EXPECT_EQ(platform.layout.calls[4], "Restore Filter Maker C:\\position.ini");
}

TEST_F(ShowFilterMaker, HostFolderIsUsedAsGivenAndNeverCreated) {
    std::vector<std::string> items;
    platform.filterMakerSession = [&](FakeFilterMakerView& v) {
        items = v.lstPat.Items();
        v.cmdOK.Click();
    };
    EXPECT_TRUE(Show("*.txt", "D:\\Missing\\"));
    EXPECT_EQ(ThreadState().gsFilterFolder, "D:\\Missing\\");
    EXPECT_TRUE(platform.files.createdFolders.empty());
    EXPECT_EQ(items, std::vector<std::string>{"*.txt"});
    EXPECT_TRUE(platform.messages.boxes.empty());
}

TEST_F(ShowFilterMaker, FormLoadsWhileTheFileIsWrittenAndAlreadySeesTheIncomingFilter) {
    platform.files.AddFile("C:\\Lists\\web.plk", FileLines({"*.w"}));
    std::vector<std::string> windowEvents;
    std::vector<std::string> items;
    std::string name, extension, caption;
    platform.filterMakerSession = [&](FakeFilterMakerView& v) {
        windowEvents = v.window.events_log;
        items = v.lstPat.Items();
        name = v.txtEF.Text();
        extension = v.txtFE.Text();
        caption = v.window.Caption();
        v.cmdCancel.Click();
    };
    EXPECT_TRUE(Show("", "", "*.txt", "C:\\Lists\\web.plk"));
    EXPECT_EQ(windowEvents, (std::vector<std::string>{"Load", "ShowModal", "Resize"}));
    EXPECT_EQ(items, WithDefault({"*.w"}));
    EXPECT_EQ(name, "*");
    EXPECT_EQ(extension, "txt");
    EXPECT_EQ(caption, "Filter Maker - (web.plk)");
}

TEST_F(ShowFilterMaker, EveryCallStartsFromAFreshForm) {
    std::vector<std::string> secondBoxes;
    int call = 0;
    platform.filterMakerSession = [&](FakeFilterMakerView& v) {
        if (++call == 1) {
            v.txtEF.SetText("typed");
            v.cmdTools[0].Click();
            v.cmdCancel.Click();
        } else {
            secondBoxes = {v.txtEF.Text(), v.txtFE.Text()};
            v.window.CloseBox();
        }
    };
    EXPECT_TRUE(Show());
    EXPECT_TRUE(Show());
    EXPECT_EQ(platform.filterMakerViews, 2);
    EXPECT_EQ(secondBoxes, (std::vector<std::string>{"*", "htm"}));
    EXPECT_FALSE(platform.files.HasFile(kListFile));
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
            v.cmdNew.Click();
            outerItems = v.lstPat.Items();
        }
        v.cmdOK.Click();
    };
    platform.messages.answers.push_back(ui::mb::kIdYes);  // New: clear the list
    EXPECT_TRUE(Show("*.outer", "D:\\Outer"));
    EXPECT_EQ(outerItems, std::vector<std::string>{"*.outer"});
    EXPECT_EQ(platform.files.Content("D:\\Outer\\filters.dlk"), FileLines({"*.outer"}));
    EXPECT_EQ(platform.files.Content("D:\\Inner\\filters.dlk"), FileLines({"*.inner"}));
    EXPECT_EQ(ThreadState().gsFilterFolder, "D:\\Outer");
}

class ShowEditFilter : public ::testing::Test {
protected:
    void SetUp() override {
        ThreadState() = SharedState{};
        ThreadState().gsFilterFolder = "F";
        ThreadState().gsDefaultFilter = "D";
    }
    bool Show(std::string& text, short editPrefix) {
        ClsEFfilter cls(platform);
        return cls.ShowEditFilterDialog(text, editPrefix);
    }
    fakes::FakePlatform platform;
};

TEST_F(ShowEditFilter, OkHandsBackTheTextExactlyAsTyped) {
    platform.editFilterSession = [](FakeEditFilterView& v) {
        v.txtEF.SetSelection(0, 99);
        v.txtEF.Type(" a*");
        v.cmdOK.Click();
    };
    std::string text = "*.htm";
    EXPECT_TRUE(Show(text, -1));
    EXPECT_EQ(text, " a*");
    EXPECT_EQ(ThreadState().gsAppPath, kAppFolder);
    EXPECT_EQ(ThreadState().gsFilterFolder, "F");
    EXPECT_EQ(ThreadState().gsDefaultFilter, "D");
}

TEST_F(ShowEditFilter, CancelAndTheCloseBoxLeaveTheTextAlone) {
    for (bool closeBox : {false, true}) {
        platform.editFilterSession = [closeBox](FakeEditFilterView& v) {
            v.txtEF.SetText("other");
            closeBox ? v.window.CloseBox() : v.cmdCancel.Click();
        };
        std::string text = "*.htm";
        EXPECT_FALSE(Show(text, -1));
        EXPECT_EQ(text, "*.htm");
    }
}

TEST_F(ShowEditFilter, OnlyExactlyTrueMarksTheNamePart) {
    std::vector<int> icons;
    platform.editFilterSession = [&](FakeEditFilterView& v) { icons.push_back(v.window.icon); };
    std::string text = "x";
    for (short editPrefix : {-1, 0, 1}) Show(text, editPrefix);
    EXPECT_EQ(icons, (std::vector<int>{102, 101, 101}));
}

TEST_F(ShowEditFilter, ServesTheFilterMakersPictures) {
    // The Filter Maker's picture opens the real Edit Filter dialog.
    platform.editFilterDialog = [this](std::string& text, bool editPrefix) {
        return Show(text, editPrefix ? -1 : 0);
    };
    platform.editFilterSession = [](FakeEditFilterView& v) {
        v.txtEF.SetSelection(3, 0);
        v.cmdE[0].Click();
        v.cmdOK.Click();
    };
    std::string extension;
    platform.filterMakerSession = [&](FakeFilterMakerView& v) {
        v.Image1[1].Click();
        extension = v.txtFE.Text();
        v.cmdCancel.Click();
    };
    ClsFMfilter(platform).ShowFilterMakerDialog("", "", "", "");
    EXPECT_EQ(extension, "htm*");
}

}  // namespace
}  // namespace kvex::testing
