#pragma once
// Scenarios that must run in a process of their own (one where the test
// suite has not pinned the component): the suite starts itself again with
// --kvex-child=<name>, and main() runs the named scenario instead of the tests.
#include <windows.h>

#include <functional>
#include <string>

#include "ui_driver.h"

namespace kvex::testing {

struct ChildOutcome {
    DWORD exitCode = 0;
    bool timedOut = false;
};

// Registers a scenario at start-up; its result becomes the child's exit code.
bool RegisterChildScenario(const std::string& name, std::function<int()> scenario);
#define KVEX_CHILD_SCENARIO_CAT2(a, b) a##b
#define KVEX_CHILD_SCENARIO_CAT(a, b) KVEX_CHILD_SCENARIO_CAT2(a, b)
#define KVEX_CHILD_SCENARIO(name, fn) \
    static const bool KVEX_CHILD_SCENARIO_CAT(kvexChildScenario, __LINE__) = RegisterChildScenario(name, fn)

// When the command line asks for a scenario, runs it and returns true with
// its exit code; otherwise returns false.
bool RunChildScenarioIfAsked(int argc, char** argv, int* exitCode);

// Starts this executable on the scenario and waits; a child that outlives the
// timeout is ended and reported as timed out.
ChildOutcome RunChild(const std::string& scenario, Millis timeout);

}  // namespace kvex::testing
