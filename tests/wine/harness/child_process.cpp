#include "child_process.h"

#include <cstring>
#include <map>

#include "handles.h"
#include "module_path.h"

namespace kvex::testing {
namespace {

constexpr char kFlag[] = "--kvex-child=";

std::map<std::string, std::function<int()>>& Scenarios() {
    static std::map<std::string, std::function<int()>> scenarios;
    return scenarios;
}

}  // namespace

bool RegisterChildScenario(const std::string& name, std::function<int()> scenario) {
    Scenarios()[name] = std::move(scenario);
    return true;
}

bool RunChildScenarioIfAsked(int argc, char** argv, int* exitCode) {
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kFlag, sizeof kFlag - 1) != 0) continue;
        auto found = Scenarios().find(argv[i] + sizeof kFlag - 1);
        *exitCode = found == Scenarios().end() ? 100 : found->second();
        return true;
    }
    return false;
}

ChildOutcome RunChild(const std::string& scenario, Millis timeout) {
    ChildOutcome outcome;
    const std::wstring self = win32::ModulePath(nullptr);
    std::wstring commandLine = L"\"" + self + L"\" --kvex-child=" +
                               std::wstring(scenario.begin(), scenario.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        outcome.exitCode = GetLastError();
        return outcome;
    }
    unique_handle process(info.hProcess), thread(info.hThread);
    if (WaitForSingleObject(process.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        outcome.timedOut = true;
        TerminateProcess(process.get(), 99);
        WaitForSingleObject(process.get(), 5000);
    }
    GetExitCodeProcess(process.get(), &outcome.exitCode);
    return outcome;
}

}  // namespace kvex::testing
