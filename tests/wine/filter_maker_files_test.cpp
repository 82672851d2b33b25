// Pattern-list files through the real common dialogs: New, Open, Save and
// Save As, with the caption and the Save button following the current file.
#include <gtest/gtest.h>

#include "fixtures.h"
#include "handles.h"

namespace kvex::testing {
namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::wstring>;

constexpr int kFileNameBox = 0x47C;  // the name box of the common file dialogs
constexpr int kFileTypeBox = 0x470;  // their file type list
constexpr wchar_t kSaveErrorTail[] = L"\r\nSub frmFM SaveCustomFilters";

// File dialogs read folders as they open; give them longer than a plain window.
constexpr Millis kFileDialogTimeout{20000};

class FilterMakerFiles : public FilterMakerUi {
protected:
    // The open common dialog with this title, or nullptr.
    HWND FileDialog(const std::wstring& title) {
        return WaitForTopWindow({thread(), 0, L"#32770", title}, kFileDialogTimeout);
    }

    // Types the path into the dialog's name box and presses its OK button.
    ::testing::AssertionResult Choose(const std::wstring& title, const fs::path& path, HWND* dialogOut = nullptr) {
        HWND dialog = FileDialog(title);
        if (!dialog) return ::testing::AssertionFailure() << "no file dialog \"" << Narrow(title) << "\"";
        HWND name = FindChildById(dialog, kFileNameBox);
        if (!name) return ::testing::AssertionFailure() << "the file dialog has no name box 0x47C";
        if (TextOf(FindChildById(dialog, kFileTypeBox)) != L"Pattern like Files (*.plk)") {
            return ::testing::AssertionFailure() << "file type \"" << Narrow(TextOf(FindChildById(dialog, kFileTypeBox)))
                                                 << "\"";
        }
        SetEditText(name, path.wstring());
        PressDialogButton(dialog, IDOK);
        if (dialogOut) *dialogOut = dialog;
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult Cancel(const std::wstring& title) {
        HWND dialog = FileDialog(title);
        if (!dialog) return ::testing::AssertionFailure() << "no file dialog \"" << Narrow(title) << "\"";
        PressDialogButton(dialog, IDCANCEL);
        if (!WaitUntilGone(dialog)) return ::testing::AssertionFailure() << "the file dialog stayed open";
        session_->Settle();
        return ::testing::AssertionSuccess();
    }

    // The file dialog's own question before it replaces a file: answered Yes.
    ::testing::AssertionResult ConfirmReplace(HWND fileDialog) {
        HWND prompt = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : TopWindowsOfThread(thread())) {
                    if (w != fileDialog && ClassOf(w) == L"#32770" && GetDlgItem(w, IDYES)) prompt = w;
                }
                return prompt != nullptr;
            },
            kUiTimeout);
        if (!prompt) return ::testing::AssertionFailure() << "the dialog did not ask before replacing the file";
        PressDialogButton(prompt, IDYES);
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult Closed(HWND dialog) {
        if (!WaitUntilGone(dialog, kFileDialogTimeout)) return ::testing::AssertionFailure() << "dialog stayed open";
        session_->Settle();
        return ::testing::AssertionSuccess();
    }

    fs::path WriteList(const std::wstring& name, const std::vector<std::string>& lines) {
        const fs::path file = folder_ / name;
        WriteBytes(file, CrLfLines(lines));
        return file;
    }
};

std::vector<std::string> NumberedFilters(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("*.e" + std::to_string(i));
    return lines;
}

TEST_F(FilterMakerFiles, NewAnsweredNoKeepsEverythingAndYesStartsOverWithTheDefaultFilter) {
    const fs::path list = WriteList(L"web.plk", {"*.htm;*.html", "*.css"});
    ASSERT_TRUE(OpenSession(FilterMakerArgs{L"", folder_.path().wstring(), {}, list.wstring()},
                            FilterMakerCaption(L"web.plk")));

    PostClick(fm().cmdNew);
    EXPECT_TRUE(ShowsMessageBox(thread(), L"Clear list?", L"Create a new list?", {IDYES, IDNO}, BoxIcon::Exclamation,
                                IDNO));
    ASSERT_TRUE(Answer(thread(), L"Clear list?", IDNO));
    session_->Settle();
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.css"}));
    EXPECT_EQ(TextOf(fm().window), FilterMakerCaption(L"web.plk"));

    PostClick(fm().cmdNew);
    ASSERT_TRUE(Answer(thread(), L"Clear list?", IDYES));
    session_->Settle();
    EXPECT_EQ(fm().Items(), Items{kDefaultFilter});
    EXPECT_EQ(TextOf(fm().window), FilterMakerCaption());
    EXPECT_FALSE(IsEnabled(fm().cmdSave));
}

TEST_F(FilterMakerFiles, OpenKeeps75RecordsSaveAsAppendsTheExtensionAndSaveNeedsNoDialog) {
    const fs::path hundred = WriteList(L"hundred.plk", NumberedFilters(100));
    ASSERT_TRUE(OpenOn({"*.a"}));

    PostClick(fm().cmdOpen);
    ASSERT_TRUE(Cancel(L"Open As"));
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.a"}));
    EXPECT_EQ(TextOf(fm().window), FilterMakerCaption());
    EXPECT_FALSE(IsEnabled(fm().cmdSave));

    PostClick(fm().cmdOpen);
    HWND dialog = nullptr;
    ASSERT_TRUE(Choose(L"Open As", hundred, &dialog));
    ASSERT_TRUE(Closed(dialog));
    ASSERT_EQ(ListCount(fm().lstPat), 76) << "the default filter before the first 75 records";
    EXPECT_EQ(ListText(fm().lstPat, 75), L"*.e75");
    EXPECT_EQ(fm().CountText(), CountLabelFor(76));
    EXPECT_EQ(TextOf(fm().window), FilterMakerCaption(L"hundred.plk"));
    EXPECT_TRUE(IsEnabled(fm().cmdSave));

    // A name typed without extension gets ".plk"; every entry is written.
    PostClick(fm().cmdSaveAs);
    ASSERT_TRUE(Choose(L"Save As", folder_ / L"copy", &dialog));
    ASSERT_TRUE(Closed(dialog));
    std::vector<std::string> all{"*.htm;*.html"};
    for (const auto& line : NumberedFilters(75)) all.push_back(line);
    EXPECT_EQ(ReadBytes(folder_ / L"copy.plk"), CrLfLines(all));
    EXPECT_EQ(TextOf(fm().window), FilterMakerCaption(L"copy.plk"));

    Select({2});
    Press(fm().up);
    Press(fm().cmdSave);
    EXPECT_FALSE(FindTopWindow({thread(), 0, L"#32770", std::nullopt})) << "Save opened a dialog";
    std::swap(all[1], all[2]);
    EXPECT_EQ(ReadBytes(folder_ / L"copy.plk"), CrLfLines(all));
    ASSERT_TRUE(session_->CloseWith(fm().cmdCancel));
}

TEST_F(FilterMakerFiles, SaveAsToAFileThatCannotBeWrittenReportsItAndStillMakesItCurrent) {
    const fs::path locked = WriteList(L"locked.plk", {"keep"});
    // Held open without sharing, the file cannot be opened for writing.
    unique_hfile holder(CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    ASSERT_TRUE(OpenOn({"*.x"}));
    PostClick(fm().cmdSaveAs);
    HWND dialog = nullptr;
    ASSERT_TRUE(Choose(L"Save As", locked, &dialog));
    ASSERT_TRUE(ConfirmReplace(dialog));
    ASSERT_TRUE(WaitUntilGone(dialog, kFileDialogTimeout));

    // Each failing step reports itself; answer them all.
    int reports = 0;
    while (auto box = WaitForMessageBox(thread(), L"kvexfilt", Millis(reports ? 1500 : 10000))) {
        ++reports;
        EXPECT_EQ(box->text.rfind(L"Error: ", 0), 0u) << Narrow(box->text);
        const std::wstring tail = kSaveErrorTail;
        EXPECT_TRUE(box->text.size() > tail.size() && box->text.substr(box->text.size() - tail.size()) == tail)
            << Narrow(box->text);
        EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
        EXPECT_EQ(box->icon, BoxIcon::Exclamation);
        PressDialogButton(box->window, IDOK);
        ASSERT_TRUE(WaitUntilGone(box->window));
        ASSERT_LT(reports, 200) << "the reports do not end";
    }
    EXPECT_GE(reports, 1);
    session_->Settle();
    EXPECT_EQ(TextOf(fm().window), FilterMakerCaption(L"locked.plk"));
    holder.reset();
    EXPECT_EQ(ReadBytes(locked), "keep\r\n");
}

// A filter folder and list names the ANSI code page cannot spell, and entries
// it cannot hold: paths stay wide end to end and no character is lost.
TEST_F(FilterMakerFiles, UnicodeFolderNamesAndEntriesSurviveOkSaveAsSaveOpenAndNew) {
    const fs::path folder = folder_ / L"\u0424\u0438\u043B\u044C\u0442\u0440\u044B_\u65E5\u672C";  // Фильтры_日本
    ASSERT_TRUE(fs::create_directory(folder));
    const std::string zhe = "\xD0\x96.txt";                                           // Ж.txt
    const std::string typed = "\xE6\x97\xA5\xE6\x9C\xAC?.[\xD0\xB0-\xD1\x8F]";       // 日本?.[а-я]
    const std::string kUtf8Mark = "\xEF\xBB\xBF";
    WriteBytes(folder / L"filters.dlk", kUtf8Mark + CrLfLines({"*.htm;*.html", zhe}));
    ASSERT_TRUE(OpenSession(FilterMakerArgs{L"", folder.wstring(), {}, {}}, FilterMakerCaption()));
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"\u0416.txt"}));

    // The trial match takes the parts as characters: an upward Cyrillic range passes.
    Type(fm().txtEF, L"\u65E5\u672C?");
    Type(fm().txtFE, L"[\u0430-\u044F]");
    Press(fm().testAdd);
    EXPECT_TRUE(NoMessageBox(thread()));
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"\u0416.txt", L"\u65E5\u672C?.[\u0430-\u044F]"}));

    const std::wstring listName = L"\u0421\u043F\u0438\u0441\u043A\u0438.plk";  // Списки.plk
    PostClick(fm().cmdSaveAs);
    HWND dialog = nullptr;
    ASSERT_TRUE(Choose(L"Save As", folder / listName, &dialog));
    ASSERT_TRUE(Closed(dialog));
    EXPECT_EQ(TextOf(fm().window), FilterMakerCaption(listName));
    EXPECT_TRUE(IsEnabled(fm().cmdSave));
    EXPECT_EQ(ReadBytes(folder / listName), kUtf8Mark + CrLfLines({"*.htm;*.html", zhe, typed}));

    Select({2});
    Press(fm().up);
    Press(fm().cmdSave);
    const std::string saved = kUtf8Mark + CrLfLines({"*.htm;*.html", typed, zhe});
    EXPECT_EQ(ReadBytes(folder / listName), saved);

    PostClick(fm().cmdNew);
    ASSERT_TRUE(Answer(thread(), L"Clear list?", IDYES));
    session_->Settle();
    EXPECT_EQ(fm().Items(), Items{kDefaultFilter});
    EXPECT_EQ(TextOf(fm().window), FilterMakerCaption());

    PostClick(fm().cmdOpen);
    ASSERT_TRUE(Choose(L"Open As", folder / listName, &dialog));
    ASSERT_TRUE(Closed(dialog));
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"\u65E5\u672C?.[\u0430-\u044F]", L"\u0416.txt"}));
    EXPECT_EQ(TextOf(fm().window), FilterMakerCaption(listName));

    ASSERT_TRUE(session_->CloseWith(fm().cmdOK));
    EXPECT_EQ(ReadBytes(folder / L"filters.dlk"), saved);
    EXPECT_EQ(ReadBytes(folder / listName), saved);
}

}  // namespace
}  // namespace kvex::testing
