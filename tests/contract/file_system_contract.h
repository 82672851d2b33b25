#pragma once
// What the forms rely on from the file system, in a folder named in Cyrillic
// and CJK: run natively over the fake and under Wine over the Win32 one, so
// the fake fails where Windows fails.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/services.h"

namespace kvex::testing {

template <class Rig>
class FileSystemContract : public ::testing::Test {
protected:
    std::string Path(const std::string& name) { return rig.Folder() + "\\" + name; }
    Rig rig;
};
TYPED_TEST_SUITE_P(FileSystemContract);

using Names = std::vector<std::string>;
inline const std::string kCyrillicName = "\xD0\xAE\xD1\x80\xD0\xB8\xD0\xB9.plk";  // Юрий.plk

// Each failure comes with the system's number and its text without a line end.
inline void ExpectDescribed(const std::vector<ui::FileError>& errors) {
    for (const ui::FileError& error : errors) {
        EXPECT_NE(error.number, 0u);
        EXPECT_FALSE(error.description.empty());
        EXPECT_EQ(error.description.find_last_of("\r\n"), std::string::npos) << error.description;
    }
}

// A failed open leaves nothing to write to: the write fails as well.
inline void ExpectFailedAtOpen(const std::vector<ui::FileError>& errors, unsigned long number) {
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0].number, number);
    EXPECT_EQ(errors[1].number, 6u);  // the handle is invalid
    ExpectDescribed(errors);
}

TYPED_TEST_P(FileSystemContract, FoldersOneLevelAtATimeAndReadsOfAtMostTheAskedBytes) {
    ui::IFileSystem& files = this->rig.Files();
    EXPECT_TRUE(files.PathExists(this->rig.Folder()));
    EXPECT_FALSE(files.PathExists(this->Path("missing.txt")));
    EXPECT_TRUE(files.CreateFolder(this->Path("Filters")));
    EXPECT_FALSE(files.CreateFolder(this->Path("Filters")));
    EXPECT_FALSE(files.CreateFolder(this->Path("a\\b")) || files.PathExists(this->Path("a")));
    this->rig.Put(this->Path(kCyrillicName), "*.htm\r\n*.txt\r\n");
    EXPECT_EQ(files.ReadFile(this->Path(kCyrillicName), 1000), std::optional<std::string>("*.htm\r\n*.txt\r\n"));
    EXPECT_EQ(files.ReadFile(this->Path(kCyrillicName), 5), std::optional<std::string>("*.htm"));
    EXPECT_EQ(files.ReadFile(this->Path("none.dlk"), 10), std::nullopt);
    EXPECT_EQ(files.ReadFile(this->Path("Filters"), 10), std::nullopt);
    // The probe for a writable folder leaves nothing behind; a missing one is no place for files.
    EXPECT_TRUE(files.CanCreateFileIn(this->rig.Folder()));
    EXPECT_FALSE(files.CanCreateFileIn(this->Path("a")));
    EXPECT_EQ(this->rig.Listed(), (Names{"Filters", kCyrillicName}));
}

// A new file gets the bytes; an old one is replaced whole, whatever its
// length was; no helper file stays behind.
TYPED_TEST_P(FileSystemContract, WritesNewFilesAndReplacesOldOnesWhole) {
    ui::IFileSystem& files = this->rig.Files();
    EXPECT_TRUE(files.WriteFile(this->Path(kCyrillicName), "*.htm\r\n").empty());
    EXPECT_EQ(files.ReadFile(this->Path(kCyrillicName), 1 << 20), "*.htm\r\n");
    this->rig.Put(this->Path("old.plk"), std::string(5000, 'x'));
    EXPECT_TRUE(files.WriteFile(this->Path("old.plk"), "short\r\n").empty());
    EXPECT_EQ(files.ReadFile(this->Path("old.plk"), 1 << 20), "short\r\n");
    EXPECT_EQ(this->rig.Listed(), (Names{"old.plk", kCyrillicName}));
}

// A read-only file, one another program holds, a missing folder and a name
// too long all fail the write; the target keeps its content and nothing
// else is left in the folder.
TYPED_TEST_P(FileSystemContract, AFailedWriteLeavesTheTargetAsItWas) {
    ui::IFileSystem& files = this->rig.Files();
    const std::string readOnly = this->Path("read-only.plk"), shared = this->Path("shared.plk"),
                      exclusive = this->Path(kCyrillicName), tooLong = this->Path(std::string(300, 'n') + ".plk");
    for (const std::string& path : {readOnly, shared, exclusive}) this->rig.Put(path, "old content\r\n");
    this->rig.MakeReadOnly(readOnly);
    ExpectFailedAtOpen(files.WriteFile(readOnly, "new"), 5);
    {
        // Shared for reading and writing but not for deleting: written, but
        // not put in place.
        const auto held = this->rig.HoldOpen(shared, true);
        EXPECT_EQ(files.ReadFile(shared, 100), "old content\r\n");
        const std::vector<ui::FileError> errors = files.WriteFile(shared, std::string(100000, 'n'));
        EXPECT_EQ(errors.size(), 1u);
        ExpectDescribed(errors);
    }
    {
        const auto held = this->rig.HoldOpen(exclusive, false);
        EXPECT_EQ(files.ReadFile(exclusive, 100), std::nullopt);
        ExpectFailedAtOpen(files.WriteFile(exclusive, "new"), 32);
    }
    for (const std::string& path : {readOnly, shared, exclusive})
        EXPECT_EQ(files.ReadFile(path, 100), "old content\r\n") << path;
    ExpectFailedAtOpen(files.WriteFile(this->Path("gone\\list.plk"), "x"), 3);
    const std::vector<ui::FileError> errors = files.WriteFile(tooLong, "x");
    EXPECT_EQ(errors.size(), 2u);
    ExpectDescribed(errors);
    EXPECT_FALSE(files.PathExists(tooLong));
    EXPECT_EQ(this->rig.Listed(), (Names{"read-only.plk", "shared.plk", kCyrillicName}));
}

// A folder this user may not write to takes no file, not even the probe's.
TYPED_TEST_P(FileSystemContract, AFolderThatTakesNoFileRefusesTheProbeAndTheWrite) {
    ui::IFileSystem& files = this->rig.Files();
    if (!this->rig.MakeFolderReadOnly(this->rig.Folder()))
        GTEST_SKIP() << "this file system keeps no folder from taking files (Wine ignores access lists)";
    EXPECT_FALSE(files.CanCreateFileIn(this->rig.Folder()));
    ExpectFailedAtOpen(files.WriteFile(this->Path("list.plk"), "x"), 5);
    EXPECT_EQ(this->rig.Listed(), Names{});
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, FoldersOneLevelAtATimeAndReadsOfAtMostTheAskedBytes,
                            WritesNewFilesAndReplacesOldOnesWhole, AFailedWriteLeavesTheTargetAsItWas,
                            AFolderThatTakesNoFileRefusesTheProbeAndTheWrite);

}  // namespace kvex::testing
