#include "window_closer.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ui_driver.h"

namespace kvex::testing {
namespace {

DWORD WINAPI CloserThread(void* param) {
    auto& state = *static_cast<WindowCloser::State*>(param);
    std::vector<HWND> before;
    while (!state.stop) {
        std::vector<HWND> now = CloseWindowsOfThread(state.target);
        for (HWND w : now) {
            if (std::find(before.begin(), before.end(), w) == before.end()) ++state.opened;
        }
        before = std::move(now);
        Sleep(10);
    }
    return 0;
}

}  // namespace

WindowCloser::WindowCloser(DWORD threadId) : state_(std::make_unique<State>()) {
    state_->target = threadId;
    thread_.reset(CreateThread(nullptr, 0, CloserThread, state_.get(), 0, nullptr));
    if (!thread_) {
        std::fprintf(stderr, "WindowCloser: no thread (%lu)\n", GetLastError());
        TerminateProcess(GetCurrentProcess(), 3);
    }
}

WindowCloser::~WindowCloser() {
    state_->stop = true;
    // The thread only posts, so it always comes back within a round.
    WaitForSingleObject(thread_.get(), INFINITE);
}

long WindowCloser::opened() const { return state_->opened; }

}  // namespace kvex::testing
