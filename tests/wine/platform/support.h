#pragma once
// Helpers of the platform tests: message pumping, acting from inside a modal
// loop, and form handlers that record which events the windows raised.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/views.h"
#include "wide_text.h"

namespace kvex::testing {

inline HINSTANCE TestModule() { return ::GetModuleHandleW(nullptr); }

// Paths go to the platform as UTF-8.
inline std::string Utf8Path(const std::filesystem::path& path) { return win32::WideToUtf8(path.wstring()); }

// Dispatches this thread's messages for about the given time.
inline void PumpFor(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    MSG message;
    while (::GetTickCount() - start < milliseconds) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Actions by timer id; the modal tests act through them while ShowModal runs.
inline std::map<UINT_PTR, std::function<void()>> pendingActions;

inline void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    auto found = pendingActions.find(id);
    if (found == pendingActions.end()) return;
    std::function<void()> action = std::move(found->second);
    pendingActions.erase(found);
    action();
}

inline void After(DWORD milliseconds, std::function<void()> action) {
    pendingActions[::SetTimer(nullptr, 0, milliseconds, &RunPending)] = std::move(action);
}

inline void CancelPending() {
    for (auto& pending : pendingActions) ::KillTimer(nullptr, pending.first);
    pendingActions.clear();
}

// Every event as its handler's name, the index in brackets: "cmdTools_Click(1)".
class EventLog {
public:
    void Note(const std::string& event) {
        all.push_back(event);
        if (auto action = on.find(event); action != on.end()) action->second();
    }
    int Count(const std::string& event) const { return static_cast<int>(std::count(all.begin(), all.end(), event)); }
    std::vector<std::string> all;
    // Runs the action each time the event is noted.
    std::map<std::string, std::function<void()>> on;
};

template <class Handlers>
class RecordingForm : public Handlers {
public:
    EventLog log;
    void Form_Load() override { log.Note("Form_Load"); }
    void Form_QueryUnload() override { log.Note("Form_QueryUnload"); }
    void Form_Resize() override { log.Note("Form_Resize"); }
    void Form_Unload() override { log.Note("Form_Unload"); }
    void cmdOK_Click() override { log.Note("cmdOK_Click"); }
    void cmdCancel_Click() override { log.Note("cmdCancel_Click"); }
    void txtEF_Change() override { log.Note("txtEF_Change"); }
};

class RecordingFilterMaker : public RecordingForm<ui::IFilterMakerHandlers> {
public:
    void cmdNew_Click() override { log.Note("cmdNew_Click"); }
    void cmdOpen_Click() override { log.Note("cmdOpen_Click"); }
    void cmdSave_Click() override { log.Note("cmdSave_Click"); }
    void cmdSaveAs_Click() override { log.Note("cmdSaveAs_Click"); }
    void cmdPatU_Click() override { log.Note("cmdPatU_Click"); }
    void cmdPatD_Click() override { log.Note("cmdPatD_Click"); }
    void cmdTools_Click(int index) override { log.Note("cmdTools_Click(" + std::to_string(index) + ")"); }
    void lstPat_Click() override { log.Note("lstPat_Click"); }
    void lstPat_MouseUp(int button, int, int, int) override { log.Note("lstPat_MouseUp(" + std::to_string(button) + ")"); }
    void mnuOutLike_Click(int index) override { log.Note("mnuOutLike_Click(" + std::to_string(index) + ")"); }
    void Image1_Click(int index) override { log.Note("Image1_Click(" + std::to_string(index) + ")"); }
    void lblF_Click() override { log.Note("lblF_Click"); }
    void txtFE_Change() override { log.Note("txtFE_Change"); }
};

class RecordingEditFilter : public RecordingForm<ui::IEditFilterHandlers> {
public:
    void cmdE_Click(int index) override { log.Note("cmdE_Click(" + std::to_string(index) + ")"); }
};

}  // namespace kvex::testing
