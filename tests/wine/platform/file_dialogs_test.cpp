// The Open and Save As dialog records and what comes back from them. The
// real dialogs are driven through the component by the window suites.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/file_dialogs.h"

namespace kvex::win32 {
namespace {

const std::string kPlkFilter = std::string("Pattern like Files (*.plk)") + '\0' + "*.plk" + '\0';
const std::wstring kWidePlkFilter = std::wstring(L"Pattern like Files (*.plk)") + L'\0' + L"*.plk" + L'\0';

TEST(FileDialogRecord, RecordsCarryTheCallersTextsInTheShapesTheDialogReads) {
    FileDialogRecord record;
    HWND owner = reinterpret_cast<HWND>(0x1234);
    FillFileDialogRecord(record, FileDialogKind::Open, owner, kPlkFilter, 1, "ignored", "start.plk",
                         "C:\\\xD0\xA4\xD0\xB8\xD0\xBB\xD1\x8C\xD1\x82\xD1\x80\xD1\x8B", "Open As");  // C:\Фильтры
    const OPENFILENAMEW& ofn = record.ofn;
#if !defined(_WIN64)
    EXPECT_EQ(ofn.lStructSize, 76u);
#endif
    EXPECT_EQ(ofn.lStructSize, static_cast<DWORD>(OPENFILENAME_SIZE_VERSION_400W));
    EXPECT_EQ(ofn.hwndOwner, owner);
    EXPECT_EQ(ofn.Flags, 0x81004u);
    EXPECT_EQ(ofn.nFilterIndex, 1u);
    // The pairs, then the two closing NULs: the dialog stops at an empty description.
    EXPECT_EQ(std::wstring(ofn.lpstrFilter, kPlkFilter.size() + 2), kWidePlkFilter + std::wstring(2, L'\0'));
    EXPECT_EQ(ofn.nMaxFile, 260u);
    EXPECT_EQ(std::wstring(ofn.lpstrFile, 260), L"start.plk" + std::wstring(260 - 9, L'\0'));
    EXPECT_STREQ(ofn.lpstrInitialDir, L"C:\\\u0424\u0438\u043B\u044C\u0442\u0440\u044B");
    EXPECT_STREQ(ofn.lpstrTitle, L"Open As");
    EXPECT_EQ(ofn.lpstrDefExt, nullptr);

    // Save asks before overwriting and adds the default extension.
    FillFileDialogRecord(record, FileDialogKind::Save, nullptr, kPlkFilter, 3, "plk", "", "C:\\Lists", "Save As");
    EXPECT_EQ(record.ofn.Flags, 0x80006u);
    EXPECT_STREQ(record.ofn.lpstrDefExt, L"plk");
    EXPECT_EQ(record.ofn.nFilterIndex, 3u);
    EXPECT_EQ(std::wstring(record.ofn.lpstrFile, 260), std::wstring(260, L'\0'));
}

// Accepted: the name from its offset, the whole path and the filter index
// come back; cancelled: only the chosen path is emptied.
TEST(FileDialogRecord, WhatComesBackFromAnAcceptedOrCancelledDialog) {
    FileDialogRecord record;
    FillFileDialogRecord(record, FileDialogKind::Open, nullptr, kPlkFilter, 1, "", "", "", "Open As");
    const std::wstring chosen = L"C:\\My Lists\\\u0421\u043F\u0438\u0441\u043A\u0438.plk";  // Списки.plk
    std::copy(chosen.begin(), chosen.end(), record.fileBuffer.begin());
    record.ofn.nFileOffset = 12;
    record.ofn.nFilterIndex = 2;
    short filterIndex = 1;
    std::string fileName = "before";
    std::string chosenPath;
    EXPECT_TRUE(ReadFileDialogRecord(record, true, filterIndex, fileName, chosenPath));
    EXPECT_EQ(fileName, "\xD0\xA1\xD0\xBF\xD0\xB8\xD1\x81\xD0\xBA\xD0\xB8.plk");
    EXPECT_EQ(chosenPath, "C:\\My Lists\\" + fileName);
    EXPECT_EQ(filterIndex, 2);

    record.ofn.nFilterIndex = 5;
    EXPECT_FALSE(ReadFileDialogRecord(record, false, filterIndex, fileName, chosenPath));
    EXPECT_EQ(chosenPath, "");
    EXPECT_EQ(fileName, "\xD0\xA1\xD0\xBF\xD0\xB8\xD1\x81\xD0\xBA\xD0\xB8.plk");
    EXPECT_EQ(filterIndex, 2);
}

TEST(TrimAtNull, CutsAtTheFirstNulOnly) {
    EXPECT_EQ(TrimAtNull(L"C:\\a.plk"), L"C:\\a.plk");
    EXPECT_EQ(TrimAtNull(std::wstring_view(L"C:\\a.plk\0\0rest", 15)), L"C:\\a.plk");
    EXPECT_EQ(TrimAtNull(std::wstring_view(L"\0abc", 4)), L"");
}

}  // namespace
}  // namespace kvex::win32
