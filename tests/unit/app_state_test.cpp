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

}  // namespace
}  // namespace kvex::testing
