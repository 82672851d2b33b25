// The Open and Save As dialog records, what comes back from them, and one
// real Save As dialog driven to the end.
#include <gtest/gtest.h>

#include "platform/win32/file_dialogs.h"
#include "support.h"

namespace kvex::win32 {
namespace {

const std::string kPlkFilter = std::string("Pattern like Files (*.plk)") + '\0' + "*.plk" + '\0';

TEST(FileDialogRecord, OpenRecordCarriesTheCallersTextsInTheShapesTheDialogReads) {
    FileDialogRecord record;
    HWND owner = reinterpret_cast<HWND>(0x1234);
    FillFileDialogRecord(record, FileDialogKind::Open, owner, kPlkFilter, 1, "ignored", "start.plk", "C:\\Lists",
                         "Open As");
    const OPENFILENAMEA& ofn = record.ofn;
#if !defined(_WIN64)
    EXPECT_EQ(ofn.lStructSize, 76u);
#endif
    EXPECT_EQ(ofn.lStructSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400A));
    EXPECT_EQ(ofn.hwndOwner, owner);
    EXPECT_EQ(ofn.Flags, 0x81004u);
    EXPECT_EQ(ofn.nFilterIndex, 1u);
    // The pairs, then the two closing NULs: the dialog stops at an empty description.
    EXPECT_EQ(std::string(ofn.lpstrFilter, kPlkFilter.size() + 2), kPlkFilter + std::string(2, '\0'));
    EXPECT_EQ(ofn.nMaxFile, 260u);
    EXPECT_EQ(std::string(ofn.lpstrFile, 260), "start.plk" + std::string(260 - 9, '\0'));
    EXPECT_STREQ(ofn.lpstrInitialDir, "C:\\Lists");
    EXPECT_STREQ(ofn.lpstrTitle, "Open As");
    EXPECT_EQ(ofn.lpstrDefExt, nullptr);
    EXPECT_EQ(ofn.lpstrCustomFilter, nullptr);
    EXPECT_EQ(ofn.lpstrFileTitle, nullptr);
    EXPECT_EQ(ofn.hInstance, nullptr);
}

TEST(FileDialogRecord, SaveRecordAsksBeforeOverwritingAndAddsTheDefaultExtension) {
    FileDialogRecord record;
    FillFileDialogRecord(record, FileDialogKind::Save, nullptr, kPlkFilter, 3, "plk", "", "C:\\Lists", "Save As");
    EXPECT_EQ(record.ofn.Flags, 0x80006u);
    EXPECT_STREQ(record.ofn.lpstrDefExt, "plk");
    EXPECT_EQ(record.ofn.nFilterIndex, 3u);
    EXPECT_EQ(std::string(record.ofn.lpstrFile, 260), std::string(260, '\0'));
}

TEST(FileDialogRecord, AcceptedDialogGivesTheNameFromItsOffsetAndTheWholePath) {
    FileDialogRecord record;
    FillFileDialogRecord(record, FileDialogKind::Open, nullptr, kPlkFilter, 1, "", "", "", "Open As");
    const std::string chosen = "C:\\My Lists\\web.plk";
    std::copy(chosen.begin(), chosen.end(), record.fileBuffer.begin());
    record.ofn.nFileOffset = 12;
    record.ofn.nFilterIndex = 2;

    short filterIndex = 1;
    std::string fileName = "before";
    std::string chosenPath;
    EXPECT_TRUE(ReadFileDialogRecord(record, true, filterIndex, fileName, chosenPath));
    EXPECT_EQ(fileName, "web.plk");
    EXPECT_EQ(chosenPath, chosen);
    EXPECT_EQ(filterIndex, 2);
}

TEST(FileDialogRecord, CancelledDialogEmptiesOnlyTheChosenPath) {
    FileDialogRecord record;
    FillFileDialogRecord(record, FileDialogKind::Save, nullptr, kPlkFilter, 1, "plk", "", "", "Save As");
    record.ofn.nFilterIndex = 5;
    short filterIndex = 1;
    std::string fileName = "kept.plk";
    std::string chosenPath = "C:\\old.plk";
    EXPECT_FALSE(ReadFileDialogRecord(record, false, filterIndex, fileName, chosenPath));
    EXPECT_EQ(chosenPath, "");
    EXPECT_EQ(fileName, "kept.plk");
    EXPECT_EQ(filterIndex, 1);
}

TEST(TrimAtNull, CutsAtTheFirstNulOnly) {
    EXPECT_EQ(TrimAtNull("C:\\a.plk"), "C:\\a.plk");
    EXPECT_EQ(TrimAtNull(std::string("C:\\a.plk\0\0rest", 15)), "C:\\a.plk");
    EXPECT_EQ(TrimAtNull(std::string("\0abc", 4)), "");
    EXPECT_EQ(TrimAtNull(""), "");
}

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
    char cls[32] = {};
    ::GetClassNameA(window, cls, sizeof(cls));
    if (std::string(cls) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Types a name into the dialog's file name box and presses its OK button.
void AnswerFileDialog(const std::string& name, int attemptsLeft = 50) {
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) {
        if (attemptsLeft > 0) test::After(100, [name, attemptsLeft] { AnswerFileDialog(name, attemptsLeft - 1); });
        return;
    }
    HWND nameBox = ::GetDlgItem(dialog, 0x47C);
    if (!nameBox) nameBox = ::GetDlgItem(dialog, 0x480);
    ::SetWindowTextA(nameBox, name.c_str());
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}

TEST(FileDialogs, SaveAsAcceptsOurRecordAndAppendsTheDefaultExtension) {
    test::TempFolder folder;
    Win32FileDialogs dialogs;
    short filterIndex = 1;
    std::string fileName;
    std::string chosenPath;
    test::After(300, [] { AnswerFileDialog("mylist"); });
    ASSERT_TRUE(dialogs.ShowSaveFileDialog(0, kPlkFilter, filterIndex, "plk", fileName, folder.Path(), "Save As",
                                           chosenPath));
    EXPECT_EQ(fileName, "mylist.plk");
    EXPECT_EQ(chosenPath.size() > fileName.size() ? chosenPath.substr(chosenPath.size() - 11) : chosenPath,
              "\\mylist.plk");
    EXPECT_EQ(filterIndex, 1);
}

}  // namespace
}  // namespace kvex::win32
