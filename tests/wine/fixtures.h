#pragma once
// What the window tests share: a Filter Maker or Edit Filter call running on
// its own thread with its window found, a filter folder of its own, and
// checks of how a call ended.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "com_client.h"
#include "component_env.h"
#include "forms.h"
#include "ui_driver.h"

namespace kvex::testing {

inline std::wstring FilterMakerCaption(const std::wstring& fileName = L"") {
    return L"Filter Maker - (" + fileName + L")";
}

// A running ShowFilterMakerDialog call and its window.
class FilterMakerSession {
public:
    FilterMakerSession(const FilterMakerArgs& args, const std::wstring& caption, Binding binding = Binding::Late);

    // Whether the window came up with all its controls; says what went wrong.
    ::testing::AssertionResult Opened() const;
    FilterMakerWindow& fm() { return fm_; }
    DialogCall& call() { return call_; }
    DWORD thread() const { return call_.threadId(); }
    void Settle() { call_.Settle(); }

    // Presses the button (or the close box) and checks that the call returned True.
    ::testing::AssertionResult CloseWith(HWND button);
    ::testing::AssertionResult CloseWithCloseBox();

private:
    DialogCall call_;
    FilterMakerWindow fm_;
    std::wstring problem_;
};

// A running ShowEditFilterDialog call and its window.
class EditFilterSession {
public:
    EditFilterSession(const std::wstring& text, VARIANT_BOOL editPrefix, Binding binding = Binding::Late);

    ::testing::AssertionResult Opened() const;
    EditFilterWindow& ef() { return ef_; }
    DialogCall& call() { return call_; }
    void Settle() { call_.Settle(); }

    // Ends the dialog and checks the call's HRESULT; the result is in call().result().
    ::testing::AssertionResult CloseWith(HWND button);
    ::testing::AssertionResult CloseWithCloseBox();

private:
    DialogCall call_;
    EditFilterWindow ef_;
    std::wstring problem_;
};

// The message box of the call's thread with this title, its text, buttons and icon.
::testing::AssertionResult ShowsMessageBox(DWORD thread, const std::wstring& title, const std::wstring& text,
                                           std::vector<int> buttons, BoxIcon icon, int defaultButton = 0);
// Answers the box with the title by pressing the button; fails when it is not there.
::testing::AssertionResult Answer(DWORD thread, const std::wstring& title, int button);
// No message box is open on the thread.
::testing::AssertionResult NoMessageBox(DWORD thread);

// The pixels of the component's 32x32 icon resource with this id.
std::vector<DWORD> ResourceIconPixels(int id);

// Base for Filter Maker tests: a fresh filter folder that the test owns.
class FilterMakerTest : public ::testing::Test {
protected:
    std::filesystem::path Dlk() const { return folder_ / L"filters.dlk"; }
    void WriteDlk(const std::vector<std::string>& lines) const { WriteBytes(Dlk(), CrLfLines(lines)); }
    FilterMakerArgs InFolder() const { return FilterMakerArgs{L"", folder_.path().wstring(), {}, {}}; }
    std::unique_ptr<FilterMakerSession> Open(const FilterMakerArgs& args,
                                             const std::wstring& caption = FilterMakerCaption()) {
        return std::make_unique<FilterMakerSession>(args, caption);
    }
    // Opens on a filters.dlk holding these lines.
    std::unique_ptr<FilterMakerSession> OpenWithList(const std::vector<std::string>& lines) {
        WriteDlk(lines);
        return Open(InFolder());
    }

    TempFolder folder_;
};

// Base for tests that work in an open Filter Maker as a user does.
class FilterMakerUi : public FilterMakerTest {
protected:
    // Opens on a filters.dlk holding the default filter and these entries.
    ::testing::AssertionResult OpenOn(const std::vector<std::string>& entries);
    ::testing::AssertionResult OpenSession(const FilterMakerArgs& args, const std::wstring& caption);

    FilterMakerWindow& fm() { return session_->fm(); }
    DWORD thread() const { return session_->thread(); }

    // A plain click on the first entry, Ctrl+clicks on the others.
    void Select(std::initializer_list<int> entries);
    void Press(HWND button);
    void Type(HWND edit, const std::wstring& text);
    // Opens the list's pop-up menu over an entry.
    std::optional<PopupMenu> RightClick(int entry);

    std::unique_ptr<FilterMakerSession> session_;
};

}  // namespace kvex::testing
