#pragma once
// Helpers of the platform tests: a scratch folder, message pumping, and form
// logic stand-ins that record which events the windows raised.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/views.h"

namespace kvex::test {

HINSTANCE TestModule();

// A fresh folder under the temp folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // Names of the entries in the folder, "." and ".." left out.
    std::vector<std::string> Entries() const;

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// Dispatches this thread's messages for about the given time.
void PumpFor(DWORD milliseconds);
// Dispatches messages until done() holds or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);

// Runs action from this thread's message loop after the delay; the modal
// tests use it to act while ShowModal runs.
void After(DWORD milliseconds, std::function<void()> action);
// Drops the actions that have not run yet.
void CancelPending();

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);
std::string TextOf(HWND window);

// Records every event as its handler's name, with the index or button in
// brackets: "cmdTools_Click(1)", "lstPat_MouseUp(2)".
class EventLog {
public:
    void Note(const std::string& event);
    int Count(const std::string& event) const;
    const std::vector<std::string>& All() const { return events_; }
    void Clear() { events_.clear(); }
    // Runs the action each time the event is noted.
    std::map<std::string, std::function<void()>> on;

private:
    std::vector<std::string> events_;
};

// Notes the window events every form has; the forms add their controls' events.
template <class Handlers>
class RecordingForm : public Handlers {
public:
    EventLog log;
    void Form_Load() override { log.Note("Form_Load"); }
    void Form_QueryUnload() override { log.Note("Form_QueryUnload"); }
    void Form_Resize() override { log.Note("Form_Resize"); }
    void Form_Unload() override { log.Note("Form_Unload"); }
};

class RecordingFilterMaker : public RecordingForm<ui::IFilterMakerHandlers> {
public:
    void cmdOK_Click() override { log.Note("cmdOK_Click"); }
    void cmdCancel_Click() override { log.Note("cmdCancel_Click"); }
    void cmdNew_Click() override { log.Note("cmdNew_Click"); }
    void cmdOpen_Click() override { log.Note("cmdOpen_Click"); }
    void cmdSave_Click() override { log.Note("cmdSave_Click"); }
    void cmdSaveAs_Click() override { log.Note("cmdSaveAs_Click"); }
    void cmdPatU_Click() override { log.Note("cmdPatU_Click"); }
    void cmdPatD_Click() override { log.Note("cmdPatD_Click"); }
    void cmdTools_Click(int index) override { log.Note("cmdTools_Click(" + std::to_string(index) + ")"); }
    void lstPat_Click() override { log.Note("lstPat_Click"); }
    void lstPat_MouseUp(int button, int, int, int) override {
        log.Note("lstPat_MouseUp(" + std::to_string(button) + ")");
    }
    void mnuOutLike_Click(int index) override { log.Note("mnuOutLike_Click(" + std::to_string(index) + ")"); }
    void Image1_Click(int index) override { log.Note("Image1_Click(" + std::to_string(index) + ")"); }
    void lblF_Click() override { log.Note("lblF_Click"); }
    void txtEF_Change() override { log.Note("txtEF_Change"); }
    void txtFE_Change() override { log.Note("txtFE_Change"); }
};

class RecordingEditFilter : public RecordingForm<ui::IEditFilterHandlers> {
public:
    void cmdOK_Click() override { log.Note("cmdOK_Click"); }
    void cmdCancel_Click() override { log.Note("cmdCancel_Click"); }
    void cmdE_Click(int index) override { log.Note("cmdE_Click(" + std::to_string(index) + ")"); }
    void txtEF_Change() override { log.Note("txtEF_Change"); }
};

// A user's click: button down and up posted at the middle of the control.
void PostClick(HWND control);

}  // namespace kvex::test
