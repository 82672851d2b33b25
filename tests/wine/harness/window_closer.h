#pragma once
// Closes, from a thread of its own, whatever another thread shows, for as
// long as it lives: a call that may legitimately open a dialog (a number
// coerced to the text it wanted) then returns instead of waiting for a user.
#include <windows.h>

#include <atomic>
#include <memory>

#include "handles.h"

namespace kvex::testing {

class WindowCloser {
public:
    // Watches the calling thread unless told otherwise.
    explicit WindowCloser(DWORD threadId = GetCurrentThreadId());
    WindowCloser(const WindowCloser&) = delete;
    WindowCloser& operator=(const WindowCloser&) = delete;
    ~WindowCloser();

    // Top-level windows seen to appear so far (dialogs and their message boxes).
    long opened() const;

    struct State {
        DWORD target = 0;
        std::atomic<bool> stop{false};
        std::atomic<long> opened{0};
    };

private:
    std::unique_ptr<State> state_;
    unique_handle thread_;
};

}  // namespace kvex::testing
