// Files as the forms use them, in a folder named in Cyrillic and CJK:
// existence, one folder level, reading a prefix, code pages, and writing
// that never leaves a target half written.
#include <gtest/gtest.h>

#include <fstream>

#include "common/temp_folder.h"
#include "unique_any.h"
#include "platform/win32/services.h"
#include "support.h"

namespace kvex::testing {
namespace {

using Entries = std::vector<std::filesystem::path>;

class FileSystem : public ::testing::Test {
protected:
    std::string Path(const wchar_t* name) { return Utf8Path(folder / name); }
    Entries Listed() {
        Entries names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    TempFolder root;
    const std::filesystem::path folder = root / L"\u042E\u0440\u0438\u0439 \u6F22\u5B57";  // Юрий 漢字
    win32::Win32FileSystem files;
    void SetUp() override { std::filesystem::create_directory(folder); }
};

TEST_F(FileSystem, ExistsCreatesOneFolderLevelAndReadsAtMostTheAskedBytes) {
    EXPECT_TRUE(files.PathExists(Utf8Path(folder)));
    EXPECT_FALSE(files.PathExists(Path(L"missing.txt")));
    EXPECT_TRUE(files.CreateFolder(Path(L"Filters")));
    EXPECT_TRUE(files.PathExists(Path(L"Filters")));
    EXPECT_FALSE(files.CreateFolder(Path(L"a\\b")));
    EXPECT_FALSE(files.PathExists(Path(L"a")));
    std::ofstream(folder / L"list.dlk", std::ios::binary) << "*.htm\r\n*.txt\r\n";
    EXPECT_EQ(files.ReadFile(Path(L"list.dlk"), 1000), std::optional<std::string>("*.htm\r\n*.txt\r\n"));
    EXPECT_EQ(files.ReadFile(Path(L"list.dlk"), 5), std::optional<std::string>("*.htm"));
    EXPECT_EQ(files.ReadFile(Path(L"none.dlk"), 10), std::nullopt);
    // The probe for a writable folder leaves nothing behind.
    EXPECT_TRUE(files.CanCreateFileIn(Utf8Path(folder)));
    EXPECT_EQ(Listed(), (Entries{L"Filters", L"list.dlk"}));
    EXPECT_FALSE(files.CanCreateFileIn(Path(L"a")));
}

// A new file gets the bytes; an existing one is replaced whole and keeps its
// attributes; no helper file stays behind.
TEST_F(FileSystem, WritesNewFilesAndReplacesOldOnesWhole) {
    EXPECT_TRUE(files.WriteFile(Path(L"new.plk"), "*.htm\r\n").empty());
    EXPECT_EQ(files.ReadFile(Path(L"new.plk"), 1 << 20), "*.htm\r\n");
    std::ofstream(folder / L"old.plk", std::ios::binary) << std::string(5000, 'x');
    ::SetFileAttributesW((folder / L"old.plk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(files.WriteFile(Path(L"old.plk"), "short\r\n").empty());
    EXPECT_EQ(files.ReadFile(Path(L"old.plk"), 1 << 20), "short\r\n");
    EXPECT_TRUE(::GetFileAttributesW((folder / L"old.plk").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Listed(), (Entries{L"new.plk", L"old.plk"}));
}

// List files stay ANSI only when the code page holds every character exactly:
// no best-fit look-alike (a for U+0101), no default character for Ж.
TEST_F(FileSystem, AnsiCodePageConvertsExactlyOrNotAtAll) {
    EXPECT_EQ(files.Utf8ToAnsi("*.htm"), std::optional<std::string>("*.htm"));
    EXPECT_EQ(files.Utf8ToAnsi("\xD0\x96.x"), std::nullopt);
    EXPECT_EQ(files.Utf8ToAnsi("\xC4\x81.x"), std::nullopt);
    ASSERT_EQ(::GetACP(), 1252u);
    EXPECT_EQ(files.Utf8ToAnsi("\xC3\xA9\xE2\x82\xAC"), std::optional<std::string>("\xE9\x80"));  // é€
    EXPECT_EQ(files.AnsiToUtf8("\xE9\x80") + files.AnsiToUtf8("*"), "\xC3\xA9\xE2\x82\xAC*");
    // The component's folder: a root keeps its backslash.
    EXPECT_EQ(win32::FolderOfModulePath("D:\\Tools\\kvexfilt.dll"), "D:\\Tools");
    EXPECT_EQ(win32::FolderOfModulePath("C:\\kvexfilt.dll"), "C:\\");
}

// A read-only target fails at open (and the write, with nothing open); one
// that another program holds open without sharing deletion can be written but
// not replaced by renaming, so it fails only once the new bytes are complete.
// Each failure comes with the system's text without its line end; the target
// keeps its content and nothing else is left in the folder.
TEST_F(FileSystem, AFailedWriteLeavesTheTargetAsItWas) {
    for (const bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only" : "held open");
        const auto target = folder / (readOnly ? L"locked.plk" : L"held.plk");
        std::ofstream(target, std::ios::binary) << "old content\r\n";
        if (readOnly) ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
        const DWORD sharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
        win32::unique_hfile holder(
            readOnly ? INVALID_HANDLE_VALUE
                     : ::CreateFileW(target.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
        const std::vector<ui::FileError> errors = files.WriteFile(Utf8Path(target), std::string(100000, 'n'));
        holder.reset();
        ASSERT_EQ(errors.size(), readOnly ? 2u : 1u);
        if (readOnly) {
            EXPECT_EQ(errors[0].number, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
            EXPECT_NE(errors[1].number, errors[0].number);
        }
        for (const ui::FileError& error : errors) {
            EXPECT_NE(error.number, 0u);
            EXPECT_FALSE(error.description.empty());
            EXPECT_EQ(error.description.find_last_of("\r\n"), std::string::npos) << error.description;
        }
        EXPECT_EQ(files.ReadFile(Utf8Path(target), 1 << 20), "old content\r\n");
    }
    EXPECT_EQ(Listed(), (Entries{L"held.plk", L"locked.plk"}));
    const std::vector<ui::FileError> errors = files.WriteFile(Path(L"gone\\list.plk"), "x");
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0].number, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
}

}  // namespace
}  // namespace kvex::testing
