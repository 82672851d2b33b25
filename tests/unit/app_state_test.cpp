#include "core/app_state.h"

#include <gtest/gtest.h>

#include <thread>

namespace kvex::testing {
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
    ThreadState() = SharedState{};
}

TEST(AppState, PathRules) {
    // Exactly one trailing backslash goes.
    for (const auto& [folder, stored] : {std::pair{"C:\\", "C:"}, {"D:\\Tools\\", "D:\\Tools"},
                                         {"D:\\Tools", "D:\\Tools"}, {"D:\\Tools\\\\", "D:\\Tools\\"}, {"", ""}}) {
        EXPECT_EQ(FolderWithoutTrailingBackslash(folder), stored) << folder;
    }
    EXPECT_EQ(GetLastPart("web.plk", "\\"), "web.plk");
    EXPECT_EQ(GetLastPart("a::b::c", "::"), "c");
}

}  // namespace
}  // namespace kvex::testing
