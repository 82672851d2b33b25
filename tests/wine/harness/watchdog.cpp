#include "watchdog.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>

namespace kvex::testing {
namespace {

[[noreturn]] void EndProcess(const std::string& why) {
    std::fprintf(stderr, "\nWATCHDOG: %s; ending the test process.\n", why.c_str());
    std::fflush(stdout);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;) Sleep(1000);
}

struct RunGuard {
    DWORD limitMs;
};

DWORD WINAPI RunGuardThread(void* param) {
    const DWORD limit = static_cast<RunGuard*>(param)->limitMs;
    delete static_cast<RunGuard*>(param);
    Sleep(limit);
    EndProcess("the whole run exceeded " + std::to_string(limit / 1000) + " s");
}

// One timer thread serves every test: it is re-armed at each test start.
// The toolchain's win32 thread model has no std::mutex.
class Guard {
public:
    explicit Guard(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
    ~Guard() { ReleaseSRWLockExclusive(&lock_); }

private:
    SRWLOCK& lock_;
};

struct TestTimer {
    SRWLOCK lock = SRWLOCK_INIT;
    std::string test;
    ULONGLONG deadline = 0;  // GetTickCount64 value; 0 when no test runs
    HANDLE thread = nullptr;
};

TestTimer& Timer() {
    static TestTimer timer;
    return timer;
}

DWORD WINAPI TestTimerThread(void*) {
    for (;;) {
        Sleep(200);
        Guard hold(Timer().lock);
        if (Timer().deadline && GetTickCount64() > Timer().deadline) {
            EndProcess("test " + Timer().test + " exceeded its time limit");
        }
    }
}

}  // namespace

void StartRunWatchdog(std::chrono::seconds limit) {
    HANDLE thread = CreateThread(nullptr, 0, RunGuardThread,
                                 new RunGuard{static_cast<DWORD>(limit.count() * 1000)}, 0, nullptr);
    if (thread) CloseHandle(thread);
}

TestTimeLimit::TestTimeLimit(std::chrono::seconds limit) : limit_(limit) {
    Guard hold(Timer().lock);
    if (!Timer().thread) Timer().thread = CreateThread(nullptr, 0, TestTimerThread, nullptr, 0, nullptr);
}

void TestTimeLimit::OnTestStart(const ::testing::TestInfo& test) {
    Guard hold(Timer().lock);
    Timer().test = std::string(test.test_suite_name()) + "." + test.name();
    Timer().deadline = GetTickCount64() + static_cast<ULONGLONG>(limit_.count()) * 1000;
}

void TestTimeLimit::OnTestEnd(const ::testing::TestInfo&) {
    Guard hold(Timer().lock);
    Timer().deadline = 0;
}

}  // namespace kvex::testing
