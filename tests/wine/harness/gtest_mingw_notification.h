#pragma once
// mingw-w64's win32 thread model has no std::mutex or std::condition_variable,
// which GoogleTest's Notification is built on; this stand-in takes its place.
// Only GoogleTest's own thread helpers use it, never these tests.
#ifdef __cplusplus
#include <atomic>

extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long milliseconds);

namespace testing {
namespace internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) Sleep(1);
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing

#define GTEST_HAS_NOTIFICATION_ 1
#endif
