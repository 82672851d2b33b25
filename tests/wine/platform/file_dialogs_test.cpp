// The Open and Save As dialog records and what comes back from them. The
// real dialogs are driven through the component by the window suites.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/file_dialogs.h"

namespace kvex::win32 {
namespace {

const std::string kPlkFilter = std::string("Pattern like Files (*.plk)") + '\0' + "*.plk" + '\0';

TEST(FileDialogRecord, RecordsCarryTheCallersTextsInTheShapesTheDialogReads) {
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

    // Save asks before overwriting and adds the default extension.
    FillFileDialogRecord(record, FileDialogKind::Save, nullptr, kPlkFilter, 3, "plk", "", "C:\\Lists", "Save As");
    EXPECT_EQ(record.ofn.Flags, 0x80006u);
    EXPECT_STREQ(record.ofn.lpstrDefExt, "plk");
    EXPECT_EQ(record.ofn.nFilterIndex, 3u);
    EXPECT_EQ(std::string(record.ofn.lpstrFile, 260), std::string(260, '\0'));
}

// Accepted: the name from its offset, the whole path and the filter index
// come back; cancelled: only the chosen path is emptied.
TEST(FileDialogRecord, WhatComesBackFromAnAcceptedOrCancelledDialog) {
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

    record.ofn.nFilterIndex = 5;
    EXPECT_FALSE(ReadFileDialogRecord(record, false, filterIndex, fileName, chosenPath));
    EXPECT_EQ(chosenPath, "");
    EXPECT_EQ(fileName, "web.plk");
    EXPECT_EQ(filterIndex, 2);
}

TEST(TrimAtNull, CutsAtTheFirstNulOnly) {
    EXPECT_EQ(TrimAtNull("C:\\a.plk"), "C:\\a.plk");
    EXPECT_EQ(TrimAtNull(std::string("C:\\a.plk\0\0rest", 15)), "C:\\a.plk");
    EXPECT_EQ(TrimAtNull(std::string("\0abc", 4)), "");
}

}  // namespace
}  // namespace kvex::win32
