#include "shared/app_state.h"

#include <gtest/gtest.h>

#include <thread>

#include "shared/app_info.h"

namespace kvex {
namespace {

TEST(AppState, EachThreadHasItsOwnState) {
    ThreadState().gsDefaultFilter = "*.txt";
    std::string seenByOther = "unset";
    std::thread other([&] {
        seenByOther = ThreadState().gsDefaultFilter;
        ThreadState().gsDefaultFilter = "*.c";
    });
    other.join();
    EXPECT_EQ(seenByOther, "");
    EXPECT_EQ(ThreadState().gsDefaultFilter, "*.txt");
    EXPECT_EQ(&ThreadState(), &ThreadState());
    ThreadState() = SharedState{};
}

TEST(AppState, FoldersLoseExactlyOneTrailingBackslash) {
    EXPECT_EQ(FolderWithoutTrailingBackslash("C:\\"), "C:");
    EXPECT_EQ(FolderWithoutTrailingBackslash("D:\\Tools\\"), "D:\\Tools");
    EXPECT_EQ(FolderWithoutTrailingBackslash("D:\\Tools"), "D:\\Tools");
    EXPECT_EQ(FolderWithoutTrailingBackslash("D:\\Tools\\\\"), "D:\\Tools\\");
    EXPECT_EQ(FolderWithoutTrailingBackslash(""), "");
}

TEST(AppState, PathsAreFolderBackslashName) {
    EXPECT_EQ(JoinPath("C:", kPositionFileName), "C:\\position.ini");
    EXPECT_EQ(JoinPath(FolderWithoutTrailingBackslash("C:\\"), kFilterFolderName), "C:\\Filters");
    EXPECT_EQ(JoinPath("D:\\Tools\\Filters", kFilterListFileName), "D:\\Tools\\Filters\\filters.dlk");
}

TEST(AppState, LastPartIsTheTextAfterTheLastSeparator) {
    EXPECT_EQ(GetLastPart("C:\\Lists\\web.plk", "\\"), "web.plk");
    EXPECT_EQ(GetLastPart("web.plk", "\\"), "web.plk");
    EXPECT_EQ(GetLastPart("C:\\Lists\\", "\\"), "");
    EXPECT_EQ(GetLastPart("a::b::c", "::"), "c");
    EXPECT_EQ(GetLastPart("abc", ""), "abc");
}

TEST(AppInfo, PlugNameVersionIsTitleTabVersion) {
    EXPECT_EQ(PlugNameVersion(), "kvexfilt\t1.0.0");
}

}  // namespace
}  // namespace kvex
