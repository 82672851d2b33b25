// Files as the forms use them, in a folder named in Cyrillic and CJK:
// existence, one folder level, reading a prefix, and writing that never
// leaves a target half written.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "common/temp_folder.h"
#include "platform/win32/services.h"
#include "support.h"

namespace kvex::testing {
namespace {

using Entries = std::vector<std::filesystem::path>;

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<missing>";
}

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
    EXPECT_FALSE(files.PathExists(""));
    EXPECT_TRUE(files.CreateFolder(Path(L"Filters")));
    EXPECT_TRUE(files.PathExists(Path(L"Filters")));
    EXPECT_FALSE(files.CreateFolder(Path(L"a\\b")));
    EXPECT_FALSE(files.PathExists(Path(L"a")));
    WriteBytes(folder / L"list.dlk", "*.htm\r\n*.txt\r\n");
    EXPECT_EQ(files.ReadFile(Path(L"list.dlk"), 1000), std::optional<std::string>("*.htm\r\n*.txt\r\n"));
    EXPECT_EQ(files.ReadFile(Path(L"list.dlk"), 5), std::optional<std::string>("*.htm"));
    EXPECT_EQ(files.ReadFile(Path(L"none.dlk"), 10), std::nullopt);
    // The probe for a writable folder leaves nothing behind.
    // In a plain folder for now: the probe still opens its file by the ANSI name.
    EXPECT_TRUE(files.CanCreateFileIn(Utf8Path(root.path())));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root.path()), {}), 1);
    EXPECT_FALSE(files.CanCreateFileIn(Path(L"a")));
}

// A new file gets the bytes; an existing one is replaced whole and keeps its
// attributes; no helper file stays behind.
TEST_F(FileSystem, WritesNewFilesAndReplacesOldOnesWhole) {
    EXPECT_TRUE(files.WriteFile(Path(L"new.plk"), "*.htm\r\n").empty());
    EXPECT_EQ(ReadBytes(folder / L"new.plk"), "*.htm\r\n");
    WriteBytes(folder / L"old.plk", std::string(5000, 'x'));
    ::SetFileAttributesW((folder / L"old.plk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(files.WriteFile(Path(L"old.plk"), "short\r\n").empty());
    EXPECT_EQ(ReadBytes(folder / L"old.plk"), "short\r\n");
    EXPECT_TRUE(::GetFileAttributesW((folder / L"old.plk").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(Listed(), (Entries{L"new.plk", L"old.plk"}));
}

// Each failed step is reported with the system's text, without its line end;
// the target keeps its content and nothing else is left in the folder.
TEST_F(FileSystem, ReadOnlyTargetOrMissingFolderFailsAtOpen) {
    WriteBytes(folder / L"locked.plk", "old content\r\n");
    ::SetFileAttributesW((folder / L"locked.plk").c_str(), FILE_ATTRIBUTE_READONLY);
    std::vector<ui::FileError> errors = files.WriteFile(Path(L"locked.plk"), "new\r\n");
    ASSERT_EQ(errors.size(), 2u);  // open, then write with nothing open
    EXPECT_EQ(errors[0].number, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    EXPECT_NE(errors[1].number, 0u);
    EXPECT_NE(errors[1].number, errors[0].number);
    for (const ui::FileError& error : errors) {
        EXPECT_FALSE(error.description.empty());
        EXPECT_EQ(error.description.find_last_of("\r\n"), std::string::npos) << error.description;
    }
    EXPECT_EQ(ReadBytes(folder / L"locked.plk"), "old content\r\n");
    errors = files.WriteFile(Path(L"gone\\list.plk"), "x");
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0].number, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(Listed(), (Entries{L"locked.plk"}));
}

// Another program has the target open, sharing reading and writing but not
// deletion: it may be written in place but not replaced by renaming, so the
// failure comes only after the new bytes are complete.
TEST_F(FileSystem, ATargetThatCannotBeReplacedKeepsItsContent) {
    WriteBytes(folder / L"filters.dlk", "old content\r\n");
    HANDLE holder = ::CreateFileW((folder / L"filters.dlk").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::vector<ui::FileError> errors = files.WriteFile(Path(L"filters.dlk"), std::string(100000, 'n'));
    ::CloseHandle(holder);
    ASSERT_EQ(errors.size(), 1u) << "only putting the new file in place failed";
    EXPECT_NE(errors[0].number, 0u);
    EXPECT_EQ(ReadBytes(folder / L"filters.dlk"), "old content\r\n");
    EXPECT_EQ(Listed(), (Entries{L"filters.dlk"})) << "the new file is removed again";
}

}  // namespace
}  // namespace kvex::testing
