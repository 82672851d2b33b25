#pragma once
// Guards against a hung run: a window that never closes must end the process
// with a failure, never stall CI.
#include <gtest/gtest.h>

#include <chrono>

namespace kvex::testing {

// Ends the process (exit code 3) when the whole run takes longer than limit.
void StartRunWatchdog(std::chrono::seconds limit);

// Ends the process when a single test runs longer than limit, naming it.
class TestTimeLimit : public ::testing::EmptyTestEventListener {
public:
    explicit TestTimeLimit(std::chrono::seconds limit);
    void OnTestStart(const ::testing::TestInfo& test) override;
    void OnTestEnd(const ::testing::TestInfo& test) override;

private:
    std::chrono::seconds limit_;
};

}  // namespace kvex::testing
