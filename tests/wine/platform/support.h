#pragma once
// Helpers of the platform tests: acting from inside a modal loop, and form
// handlers that record which events the windows raised.
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

// Actions by timer id; the modal tests act through them while ShowModal runs.
inline std::map<UINT_PTR, std::function<void()>> pendingActions;

inline void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    if (auto node = pendingActions.extract(id)) node.mapped()();
}

inline void After(DWORD milliseconds, std::function<void()> action) {
    pendingActions[::SetTimer(nullptr, 0, milliseconds, &RunPending)] = std::move(action);
}

inline void CancelPending() {
    while (!pendingActions.empty()) ::KillTimer(nullptr, pendingActions.extract(pendingActions.begin()).key());
}

// The lines written to the debugger's channel while it lives: OutputDebugString
// raises an exception that a debugger, or this handler first, sees.
class DebugChannel {
public:
    DebugChannel() : handler_(::AddVectoredExceptionHandler(1, &Take)) { tLines = &lines; }
    ~DebugChannel() {
        ::RemoveVectoredExceptionHandler(handler_);
        tLines = nullptr;
    }
    std::vector<std::string> lines;

private:
    static LONG CALLBACK Take(EXCEPTION_POINTERS* e) {
        const EXCEPTION_RECORD& r = *e->ExceptionRecord;
        if (tLines && r.ExceptionCode == 0x40010006 /* DBG_PRINTEXCEPTION_C */ && r.NumberParameters >= 2)
            tLines->emplace_back(reinterpret_cast<const char*>(r.ExceptionInformation[1]));
        return EXCEPTION_CONTINUE_SEARCH;
    }
    static inline thread_local std::vector<std::string>* tLines = nullptr;
    void* handler_;
};

// Notes every event as its handler's name, the index in brackets
// ("cmdTools_Click(1)"), and runs the action set for it.
template <class Handlers>
class RecordingForm : public Handlers {
public:
    std::vector<std::string> events;
    std::map<std::string, std::function<void()>> on;
    void Note(const std::string& event) {
        events.push_back(event);
        if (auto action = on.find(event); action != on.end()) action->second();
    }
    int Count(const std::string& event) const {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }
    void Form_Load() override { Note("Form_Load"); }
    void Form_QueryUnload() override { Note("Form_QueryUnload"); }
    void Form_Resize() override { Note("Form_Resize"); }
    void Form_Unload() override { Note("Form_Unload"); }
    void cmdOK_Click() override { Note("cmdOK_Click"); }
    void cmdCancel_Click() override { Note("cmdCancel_Click"); }
    void txtEF_Change() override { Note("txtEF_Change"); }
};

class RecordingFilterMaker : public RecordingForm<ui::IFilterMakerHandlers> {
public:
    void cmdNew_Click() override { Note("cmdNew_Click"); }
    void cmdOpen_Click() override { Note("cmdOpen_Click"); }
    void cmdSave_Click() override { Note("cmdSave_Click"); }
    void cmdSaveAs_Click() override { Note("cmdSaveAs_Click"); }
    void cmdPatU_Click() override { Note("cmdPatU_Click"); }
    void cmdPatD_Click() override { Note("cmdPatD_Click"); }
    void cmdTools_Click(int index) override { Note("cmdTools_Click(" + std::to_string(index) + ")"); }
    void lstPat_Click() override { Note("lstPat_Click"); }
    void lstPat_MouseUp(int button, int, int, int) override { Note("lstPat_MouseUp(" + std::to_string(button) + ")"); }
    void mnuOutLike_Click(int index) override { Note("mnuOutLike_Click(" + std::to_string(index) + ")"); }
    void Image1_Click(int index) override { Note("Image1_Click(" + std::to_string(index) + ")"); }
    void lblF_Click() override { Note("lblF_Click"); }
    void txtFE_Change() override { Note("txtFE_Change"); }
};

class RecordingEditFilter : public RecordingForm<ui::IEditFilterHandlers> {
public:
    void cmdE_Click(int index) override { Note("cmdE_Click(" + std::to_string(index) + ")"); }
};

}  // namespace kvex::testing
