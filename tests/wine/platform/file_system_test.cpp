// Files as the forms use them: existence, one folder level, reading a prefix,
// and writing that never leaves a target half written.
#include <gtest/gtest.h>

#include <filesystem>

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
    for (DWORD attributes : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_READONLY}) {
        const std::string file = folder.File(std::to_string(attributes));
        test::WriteBytes(file, "x");
        ::SetFileAttributesA(file.c_str(), attributes);
        EXPECT_TRUE(files.PathExists(file)) << attributes;
    }
    EXPECT_TRUE(files.PathExists(folder.Path()));
    EXPECT_FALSE(files.PathExists(folder.File("missing.txt")));
    EXPECT_FALSE(files.PathExists(""));
}

TEST(CreateFolderAndReadFile, OneFolderLevelAndAtMostTheAskedBytes) {
    test::TempFolder folder;
    Win32FileSystem files;
    EXPECT_TRUE(files.CreateFolder(folder.File("Filters")));
    EXPECT_TRUE(files.PathExists(folder.File("Filters")));
    EXPECT_FALSE(files.CreateFolder(folder.File("a\\b")));
    EXPECT_FALSE(files.PathExists(folder.File("a")));
    // The probe for a writable folder leaves nothing behind.
    EXPECT_TRUE(files.CanCreateFileIn(folder.File("Filters")));
    EXPECT_TRUE(std::filesystem::is_empty(folder.File("Filters")));
    EXPECT_FALSE(files.CanCreateFileIn(folder.File("a")));

    test::WriteBytes(folder.File("list.dlk"), "*.htm\r\n*.txt\r\n");
    EXPECT_EQ(files.ReadFile(folder.File("list.dlk"), 1000), std::optional<std::string>("*.htm\r\n*.txt\r\n"));
    EXPECT_EQ(files.ReadFile(folder.File("list.dlk"), 5), std::optional<std::string>("*.htm"));
    EXPECT_EQ(files.ReadFile(folder.File("none.dlk"), 10), std::nullopt);
}

// A new file gets the bytes; an existing one is replaced whole and keeps its
// attributes; no helper file stays behind.
TEST(WriteFile, WritesNewFilesAndReplacesOldOnesWhole) {
    test::TempFolder folder;
    Win32FileSystem files;
    EXPECT_TRUE(files.WriteFile(folder.File("new.plk"), "*.htm\r\n").empty());
    EXPECT_EQ(test::ReadBytes(folder.File("new.plk")), "*.htm\r\n");
    test::WriteBytes(folder.File("old.plk"), std::string(5000, 'x'));
    ::SetFileAttributesA(folder.File("old.plk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(files.WriteFile(folder.File("old.plk"), "short\r\n").empty());
    EXPECT_EQ(test::ReadBytes(folder.File("old.plk")), "short\r\n");
    EXPECT_TRUE(::GetFileAttributesA(folder.File("old.plk").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(folder.Entries(), (Entries{"new.plk", "old.plk"}));
}

// Each failed step is reported with the system's text, without its line end;
// the target keeps its content and nothing else is left in the folder.
TEST(WriteFile, ReadOnlyTargetOrMissingFolderFailsAtOpen) {
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

    errors = files.WriteFile(folder.File("gone\\list.plk"), "x");
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0].number, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
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

}  // namespace
}  // namespace kvex::win32
