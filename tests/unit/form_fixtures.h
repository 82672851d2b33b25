#pragma once
// Fixtures that open the forms over fake controls and an in-memory disk.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "editfilter/cls_ef_filter.h"
#include "editfilter/frm_ef.h"
#include "fakes/fake_platform.h"
#include "filtermaker/frm_fm.h"

namespace kvex::testing {

using namespace ui::mb;  // message box styles and answers

inline const std::string kAppFolder = "C:\\Apps\\kvex";
inline const std::string kFilterFolder = "C:\\Apps\\kvex\\Filters";
inline const std::string kListFile = "C:\\Apps\\kvex\\Filters\\filters.dlk";
inline const std::string kPositionFile = "C:\\Apps\\kvex\\position.ini";
inline const std::string kDefault = "*.htm;*.html";

inline std::string FileLines(const std::vector<std::string>& lines) {  // each ends in CR LF
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

inline std::vector<std::string> NumberedFilters(int n) {
    std::vector<std::string> filters;
    for (int i = 1; i <= n; ++i) filters.push_back("*.e" + std::to_string(i));
    return filters;
}

inline std::vector<std::string> WithDefault(std::vector<std::string> entries) {
    entries.insert(entries.begin(), kDefault);
    return entries;
}

// Fresh shared state of a host thread that has opened the Filter Maker.
inline void ResetSharedState() {
    ThreadState() = SharedState{};
    ThreadState().gsAppPath = kAppFolder;
    ThreadState().gsFilterFolder = kFilterFolder;
    ThreadState().gsDefaultFilter = kDefault;
}

class FilterMakerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        platform.files.AddFolder(kAppFolder);
        platform.files.AddFolder(kFilterFolder);
    }
    // A handler that hands the list a bad index works under the fake only by
    // luck: the real list box refuses it, so every test fails on one.
    void TearDown() override {
        EXPECT_TRUE(view.lstPat->violations.empty()) << view.lstPat->violations[0];
        EXPECT_EQ(platform.dialogsLeftOpen, 0);
    }

    void OpenWithList(const std::vector<std::string>& lines) {
        platform.files.AddFile(kListFile, FileLines(lines));
        Open();
    }

    // A new form over the view (its pictures open the real Edit Filter form
    // over the fakes, as in the DLL); a form still open is closed first.
    void Open() {
        view.window->Unload();
        frm = std::make_unique<FrmFM>(view, platform, ClsEFfilter::Launcher(platform));
        view.SetHandlers(frm.get());
        view.window->EnsureLoaded();
    }

    std::vector<std::string> Items() const { return view.lstPat->Items(); }
    std::vector<int> Selection() const { return view.lstPat->SelectedIndexes(); }
    std::string CountLabel() const { return view.lblDum[3]->Caption(); }
    std::string LengthLabel() const { return view.lblDum[5]->Caption(); }
    const std::vector<FakeMessages::Box>& Boxes() const { return platform.messages.boxes; }
    int Beeps() const { return platform.messages.beeps; }

    std::string Parts() const { return view.txtEF->Text() + "|" + view.txtFE->Text(); }
    void TypeParts(const std::string& name, const std::string& extension) {
        view.txtEF->SetText(name);
        view.txtFE->SetText(extension);
    }
    void ClickTestAdd() { view.cmdTools[0]->Click(); }
    void ClickRemove() { view.cmdTools[1]->Click(); }
    void ClickCombine() { view.cmdTools[2]->Click(); }
    void CtrlClick(std::initializer_list<int> indexes) {
        for (int i : indexes) view.lstPat->UserClick(i, kCtrl);
    }
    void ExpectOnlyBox(const std::string& text, const std::string& title, unsigned style) {
        EXPECT_EQ(Boxes(), (std::vector<FakeMessages::Box>{{text, title, style}})) << Boxes().size() << " boxes";
    }
    // The list's pop-up menu, picking one item.
    void PickFromMenu(int item) {
        view.window->popupChoices.push_back(item);
        view.lstPat->UserMouseUp(ui::kRightButton);
    }

    FakePlatform platform;
    FakeFilterMakerView view;
    std::unique_ptr<FrmFM> frm;
};

}  // namespace kvex::testing
