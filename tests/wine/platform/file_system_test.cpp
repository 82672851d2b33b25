// Files as the forms use them: existence, one folder level, reading a prefix,
// and writing that never leaves a target half written.
#include <gtest/gtest.h>

#include "platform/win32/services.h"
#include "support.h"

namespace kvex::win32 {
namespace {

using Entries = std::vector<std::string>;

bool EndsInLineBreak(const std::string& text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

TEST(PathExists, AnyExistingFileOrFolderWhateverItsAttributes) {
    test::TempFolder folder;
    Win32FileSystem files;
    test::WriteBytes(folder.File("hidden.txt"), "h");
    ::SetFileAttributesA(folder.File("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    test::WriteBytes(folder.File("readonly.txt"), "r");
    ::SetFileAttributesA(folder.File("readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_TRUE(files.PathExists(folder.Path()));
    EXPECT_TRUE(files.PathExists(folder.File("hidden.txt")));
    EXPECT_TRUE(files.PathExists(folder.File("readonly.txt")));
    EXPECT_FALSE(files.PathExists(folder.File("missing.txt")));
    EXPECT_FALSE(files.PathExists(""));
}

TEST(CreateFolder, MakesOneLevelOnly) {
    test::TempFolder folder;
    Win32FileSystem files;
    EXPECT_TRUE(files.CreateFolder(folder.File("Filters")));
    EXPECT_TRUE(files.PathExists(folder.File("Filters")));
    EXPECT_FALSE(files.CreateFolder(folder.File("a\\b")));
    EXPECT_FALSE(files.PathExists(folder.File("a")));
}

TEST(ReadFile, GivesAtMostTheAskedBytesAndNothingForAMissingFile) {
    test::TempFolder folder;
    Win32FileSystem files;
    test::WriteBytes(folder.File("list.dlk"), "*.htm\r\n*.txt\r\n");
    EXPECT_EQ(files.ReadFile(folder.File("list.dlk"), 1000), std::optional<std::string>("*.htm\r\n*.txt\r\n"));
    EXPECT_EQ(files.ReadFile(folder.File("list.dlk"), 5), std::optional<std::string>("*.htm"));
    EXPECT_EQ(files.ReadFile(folder.File("none.dlk"), 10), std::nullopt);
}

TEST(WriteFile, NewFileGetsTheBytesAndNoHelperFileStays) {
    test::TempFolder folder;
    Win32FileSystem files;
    EXPECT_TRUE(files.WriteFile(folder.File("new.plk"), "*.htm\r\n").empty());
    EXPECT_EQ(test::ReadBytes(folder.File("new.plk")), "*.htm\r\n");
    EXPECT_EQ(folder.Entries(), (Entries{"new.plk"}));
}

TEST(WriteFile, ExistingFileIsReplacedWhole) {
    test::TempFolder folder;
    Win32FileSystem files;
    test::WriteBytes(folder.File("old.plk"), std::string(5000, 'x'));
    ::SetFileAttributesA(folder.File("old.plk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(files.WriteFile(folder.File("old.plk"), "short\r\n").empty());
    EXPECT_EQ(test::ReadBytes(folder.File("old.plk")), "short\r\n");
    EXPECT_EQ(folder.Entries(), (Entries{"old.plk"}));
    EXPECT_TRUE(::GetFileAttributesA(folder.File("old.plk").c_str()) & FILE_ATTRIBUTE_HIDDEN)
        << "the new file keeps the attributes of the one it replaced";
}

TEST(WriteFile, ReadOnlyTargetKeepsItsContentAndEachFailedStepIsReported) {
    test::TempFolder folder;
    Win32FileSystem files;
    test::WriteBytes(folder.File("locked.plk"), "old content\r\n");
    ::SetFileAttributesA(folder.File("locked.plk").c_str(), FILE_ATTRIBUTE_READONLY);

    std::vector<ui::FileError> errors = files.WriteFile(folder.File("locked.plk"), "new\r\n");

    ASSERT_EQ(errors.size(), 2u);  // open, then write with nothing open
    EXPECT_EQ(errors[0].number, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    EXPECT_NE(errors[1].number, 0u);
    EXPECT_NE(errors[1].number, errors[0].number);
    for (const ui::FileError& error : errors) {
        EXPECT_FALSE(error.description.empty());
        EXPECT_FALSE(EndsInLineBreak(error.description)) << error.description;
    }
    EXPECT_EQ(test::ReadBytes(folder.File("locked.plk")), "old content\r\n");
    EXPECT_EQ(folder.Entries(), (Entries{"locked.plk"}));
}

TEST(WriteFile, ATargetThatCannotBeReplacedAfterTheNewBytesAreWrittenKeepsItsContent) {
    test::TempFolder folder;
    Win32FileSystem files;
    const std::string target = folder.File("filters.dlk");
    test::WriteBytes(target, "old content\r\n");
    // Another program has it open, sharing reading and writing but not
    // deletion: it may be written in place, but not replaced by renaming,
    // so the failure comes only after the new bytes are complete.
    HANDLE holder = ::CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    std::vector<ui::FileError> errors = files.WriteFile(target, std::string(100000, 'n'));
    ::CloseHandle(holder);

    ASSERT_EQ(errors.size(), 1u) << "only putting the new file in place failed";
    EXPECT_NE(errors[0].number, 0u);
    EXPECT_EQ(test::ReadBytes(target), "old content\r\n");
    EXPECT_EQ(folder.Entries(), (Entries{"filters.dlk"})) << "the new file is removed again";
}

TEST(WriteFile, MissingFolderFailsAtOpenAndCreatesNothing) {
    test::TempFolder folder;
    Win32FileSystem files;
    std::vector<ui::FileError> errors = files.WriteFile(folder.File("gone\\list.plk"), "x");
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0].number, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(folder.Entries().empty());
}

TEST(SystemErrorText, IsTheSystemsDescriptionWithoutTheLineEnd) {
    std::string text = SystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(text.empty());
    EXPECT_FALSE(EndsInLineBreak(text));
    EXPECT_NE(text, SystemErrorText(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace kvex::win32
