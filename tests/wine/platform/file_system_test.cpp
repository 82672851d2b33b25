// Files as the forms use them: the file-system contract the fake shares, then
// what only the Win32 one has (attributes, the ANSI code page).
#include <gtest/gtest.h>

#include <fstream>

#include "common/temp_folder.h"
#include "platform/win32/services.h"
#include "support.h"
#include "unique_any.h"

#include "contract/file_system_contract.h"

namespace kvex::testing {
namespace {

using win32::Utf8ToWide;

class Win32FilesRig {
public:
    Win32FilesRig() { std::filesystem::create_directory(folder_); }
    ui::IFileSystem& Files() { return files_; }
    std::string Folder() { return Utf8Path(folder_); }
    void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(std::filesystem::path(Utf8ToWide(path)), std::ios::binary) << bytes;
    }
    void MakeReadOnly(const std::string& path) { ::SetFileAttributesW(Utf8ToWide(path).c_str(), FILE_ATTRIBUTE_READONLY); }
    // Open in another program for reading, sharing reading and writing or nothing.
    win32::unique_hfile HoldOpen(const std::string& path, bool shareReadWrite) {
        const DWORD sharing = shareReadWrite ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
        return win32::unique_hfile(
            ::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
    }
    Names Listed() {
        Names names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.push_back(Utf8Path(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    TempFolder root_;
    const std::filesystem::path folder_ = root_ / L"\u042E\u0440\u0438\u0439 \u6F22\u5B57";  // Юрий 漢字
    win32::Win32FileSystem files_;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FileSystemContract, Win32FilesRig);

namespace {

// A replaced file keeps its attributes. List files stay ANSI only when the
// code page holds every character exactly: no best-fit look-alike (a for
// U+0101), no default character for Ж.
TEST(Win32FileSystem, AReplacedFileKeepsItsAttributesAndTheCodePageConvertsExactlyOrNotAtAll) {
    Win32FilesRig rig;
    win32::Win32FileSystem& files = static_cast<win32::Win32FileSystem&>(rig.Files());
    const std::string hidden = rig.Folder() + "\\hidden.plk";
    rig.Put(hidden, "old");
    ::SetFileAttributesW(Utf8ToWide(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(files.WriteFile(hidden, "new").empty());
    EXPECT_TRUE(::GetFileAttributesW(Utf8ToWide(hidden).c_str()) & FILE_ATTRIBUTE_HIDDEN);

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

}  // namespace
}  // namespace kvex::testing
