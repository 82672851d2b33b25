#pragma once
// What the forms rely on from the file system, in a folder named in Cyrillic
// and CJK: run natively over the fake and under Wine over the Win32 one, so
// the fake fails where Windows fails. (A folder the user may not write to has
// no place here: Wine keeps no access lists.)
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
    ui::IFileSystem& files = rig.Files();
};
TYPED_TEST_SUITE_P(FileSystemContract);

using Names = std::vector<std::string>;
inline const std::string kCyrillicName = "\xD0\xAE\xD1\x80\xD0\xB8\xD0\xB9.plk";  // Юрий.plk

// Each step's failure with the system's number and a text without a line end;
// a failed open (first number given) leaves the write nothing to write to.
inline void ExpectFailed(const std::vector<ui::FileError>& errors, std::size_t steps, unsigned long openError = 0) {
    ASSERT_EQ(errors.size(), steps);
    if (openError) {
        EXPECT_EQ(errors[0].number, openError);
        EXPECT_EQ(errors[1].number, 6u);  // the handle is invalid
    }
    for (const ui::FileError& e : errors)
        EXPECT_TRUE(e.number && !e.description.empty() && e.description.find_last_of("\r\n") == std::string::npos)
            << e.number << " " << e.description;
}

TYPED_TEST_P(FileSystemContract, FoldersOneLevelAtATimeAndReadsOfAtMostTheAskedBytes) {
    EXPECT_TRUE(this->files.PathExists(this->rig.Folder()) && !this->files.PathExists(this->Path("missing.txt")));
    EXPECT_TRUE(this->files.CreateFolder(this->Path("Filters")));
    EXPECT_FALSE(this->files.CreateFolder(this->Path("Filters")) || this->files.CreateFolder(this->Path("a\\b")));
    this->rig.Put(this->Path(kCyrillicName), "*.htm\r\n*.txt\r\n");
    EXPECT_EQ(this->files.ReadFile(this->Path(kCyrillicName), 1000), "*.htm\r\n*.txt\r\n");
    EXPECT_EQ(this->files.ReadFile(this->Path(kCyrillicName), 5), "*.htm");
    EXPECT_FALSE(this->files.ReadFile(this->Path("none.dlk"), 10) || this->files.ReadFile(this->Path("Filters"), 10));
    // The probe for a writable folder leaves nothing behind; a missing one is no place for files.
    EXPECT_TRUE(this->files.CanCreateFileIn(this->rig.Folder()));
    EXPECT_FALSE(this->files.CanCreateFileIn(this->Path("a")));
    EXPECT_EQ(this->rig.Listed(), (Names{"Filters", kCyrillicName}));
}

// A new file gets the bytes; an old one is replaced whole; no helper file stays.
TYPED_TEST_P(FileSystemContract, WritesNewFilesAndReplacesOldOnesWhole) {
    EXPECT_TRUE(this->files.WriteFile(this->Path(kCyrillicName), "*.htm\r\n").empty());
    EXPECT_EQ(this->files.ReadFile(this->Path(kCyrillicName), 1 << 20), "*.htm\r\n");
    this->rig.Put(this->Path("old.plk"), std::string(5000, 'x'));
    EXPECT_TRUE(this->files.WriteFile(this->Path("old.plk"), "short\r\n").empty());
    EXPECT_EQ(this->files.ReadFile(this->Path("old.plk"), 1 << 20), "short\r\n");
    EXPECT_EQ(this->rig.Listed(), (Names{"old.plk", kCyrillicName}));
}

// A read-only file, one another program holds, a missing folder and a name
// too long fail the write; the target keeps its content, nothing else stays.
TYPED_TEST_P(FileSystemContract, AFailedWriteLeavesTheTargetAsItWas) {
    const std::string readOnly = this->Path("read-only.plk"), shared = this->Path("shared.plk"),
                      exclusive = this->Path(kCyrillicName), tooLong = this->Path(std::string(300, 'n') + ".plk");
    for (const std::string& path : {readOnly, shared, exclusive}) this->rig.Put(path, "old\r\n");
    this->rig.MakeReadOnly(readOnly);
    ExpectFailed(this->files.WriteFile(readOnly, "new"), 2, 5);
    {
        // Sharing reading and writing, not deleting: written, but not put in place.
        const auto held = this->rig.HoldOpen(shared, true);
        EXPECT_EQ(this->files.ReadFile(shared, 100), "old\r\n");
        ExpectFailed(this->files.WriteFile(shared, std::string(100000, 'n')), 1);
    }
    {
        const auto held = this->rig.HoldOpen(exclusive, false);
        EXPECT_EQ(this->files.ReadFile(exclusive, 100), std::nullopt);
        ExpectFailed(this->files.WriteFile(exclusive, "new"), 2, 32);
    }
    for (const std::string& path : {readOnly, shared, exclusive})
        EXPECT_EQ(this->files.ReadFile(path, 100), "old\r\n") << path;
    ExpectFailed(this->files.WriteFile(this->Path("gone\\list.plk"), "x"), 2, 3);
    ExpectFailed(this->files.WriteFile(tooLong, "x"), 2);
    EXPECT_EQ(this->rig.Listed(), (Names{"read-only.plk", "shared.plk", kCyrillicName}));
}

REGISTER_TYPED_TEST_SUITE_P(FileSystemContract, FoldersOneLevelAtATimeAndReadsOfAtMostTheAskedBytes,
                            WritesNewFilesAndReplacesOldOnesWhole, AFailedWriteLeavesTheTargetAsItWas);

}  // namespace kvex::testing
