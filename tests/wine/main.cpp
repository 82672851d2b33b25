// Entry of the Windows-side suite: one STA for the test thread, the component
// pinned for the whole run, and watchdogs so that a dialog that never closes
// fails the run instead of hanging it.
#include <gtest/gtest.h>

#include <cstdio>

#include "child_process.h"
#include "component_env.h"
#include "handles.h"
#include "watchdog.h"

int main(int argc, char** argv) {
    // A child run plays a host: no GoogleTest, no pinned component.
    int childExit = 0;
    if (kvex::testing::RunChildScenarioIfAsked(argc, argv, &childExit)) return childExit;

    ::testing::InitGoogleTest(&argc, argv);
    kvex::testing::StartRunWatchdog(std::chrono::seconds(840));  // inside the runner's 900 s
    ::testing::UnitTest::GetInstance()->listeners().Append(new kvex::testing::TestTimeLimit(std::chrono::seconds(60)));

    kvex::testing::com_apartment apartment;
    if (FAILED(apartment.status())) {
        std::fprintf(stderr, "CoInitializeEx failed: 0x%08lx\n", static_cast<unsigned long>(apartment.status()));
        return 2;
    }
    if (!kvex::testing::PinnedComponent()) {
        std::fprintf(stderr, "note: kvexfilt.clsFMfilter is not registered or its DLL does not load\n");
    }
    return RUN_ALL_TESTS();
}
