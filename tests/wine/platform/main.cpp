// Entry of the platform tests. A watchdog ends the run with a failure when a
// window's modal loop never returns, so a hang cannot stall the build.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "support.h"

namespace {

constexpr DWORD kRunLimitMs = 300000;

DWORD WINAPI Watch(void*) {
    ::Sleep(kRunLimitMs);
    std::fprintf(stderr, "kvex_platform_tests: still running after %lu s, giving up\n", kRunLimitMs / 1000);
    std::fflush(stderr);
    ::ExitProcess(3);
}

// Actions a test scheduled and did not live to see must not run in the next.
class DropPendingActions : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { kvex::test::CancelPending(); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new DropPendingActions);
    HANDLE watchdog = ::CreateThread(nullptr, 0, &Watch, nullptr, 0, nullptr);
    if (watchdog) ::CloseHandle(watchdog);
    return RUN_ALL_TESTS();
}
