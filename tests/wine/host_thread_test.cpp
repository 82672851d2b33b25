// A host thread that uses the component, leaves its apartment and ends lets
// COM unload the DLL first; the thread's end must still be clean. The test
// suite keeps the DLL loaded for its own sake, so the host's side runs in a
// child process of this executable.
#include <gtest/gtest.h>

#include <string>

#include "child_process.h"
#include "com_client.h"
#include "fixtures.h"
#include "handles.h"

namespace kvex::testing {
namespace {

// Runs one STA thread that does what a host does and then ends.
int RunHostThread(bool showDialog) {
    DialogCall call([showDialog] {
        return showDialog ? CallShowFilterMakerDialog(FilterMakerArgs{}, Binding::Early)
                          : CallPlugNameVersion(kFilterMakerProgId, Binding::Early);
    });
    if (showDialog) {
        HWND window = call.WaitForWindow(FilterMakerCaption());
        if (!window) return 10;
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    if (!call.Join()) return 11;
    if (FAILED(call.result().hr)) return 12;
    // The thread has ended; anything the DLL left behind for it has run by now.
    Sleep(300);
    return 0;
}

KVEX_CHILD_SCENARIO("host-thread-name", [] { return RunHostThread(false); });
KVEX_CHILD_SCENARIO("host-thread-dialog", [] { return RunHostThread(true); });

TEST(HostThread, EndsCleanlyAfterCoUninitializeUnloadsTheComponent) {
    for (const char* scenario : {"host-thread-name", "host-thread-dialog"}) {
        SCOPED_TRACE(scenario);
        const ChildOutcome outcome = RunChild(scenario, Millis(30000));
        EXPECT_FALSE(outcome.timedOut) << "the host process hung (a crash handler waiting?)";
        EXPECT_EQ(outcome.exitCode, 0u) << "exit code 0x" << std::hex << outcome.exitCode;
    }
}

}  // namespace
}  // namespace kvex::testing
