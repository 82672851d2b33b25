#pragma once
// The component as the suite's hosts meet it: objects made by ProgID, the
// members called early- or late-bound, and each modal call on an STA thread
// of its own so that the test's thread stays free to drive the dialog.
#include <windows.h>
#include <oaidl.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kvexfilt_h.h"
#include "ui.h"
#include "unique_any.h"
#include "wide_text.h"

namespace kvex::testing {

using win32::com_ptr;
using win32::MakeBstr;
using win32::unique_bstr;
using win32::unique_variant;
using Lines = std::vector<std::string>;

inline constexpr wchar_t kFilterMakerProgId[] = L"kvexfilt.clsFMfilter";
inline constexpr wchar_t kEditFilterProgId[] = L"kvexfilt.clsEFfilter";

// The registered DLL, loaded once and kept for the run; nullptr when missing.
HMODULE Component();
HRESULT CanUnloadNow();
HRESULT Create(const wchar_t* progId, REFIID iid, void** object);

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::string CrLfLines(const Lines& lines);  // as the component writes list files
Lines ListLines(HWND list);                 // a list box's items as UTF-8

enum class Binding { Early, Late };  // the vtable, or IDispatch by name with typed arguments

struct CallResult {
    HRESULT hr = E_PENDING;
    VARIANT_BOOL value = 0x2A;  // no Boolean: the callee must set its [out] value
    std::wstring text;  // the by-reference text after the call
};

// Late-bound calls leave the optional arguments out when listFile is empty.
CallResult ShowFilterMaker(Binding binding, const std::wstring& folder, const std::wstring& defaultFilter = L"",
                           const std::wstring& inLike = L"", const std::wstring& listFile = L"");
CallResult ShowEditFilter(const std::wstring& text, VARIANT_BOOL editPrefix, Binding binding);

// The child process of the host-thread test.
int RunHostThread();

// A call on a fresh STA thread. The destructor closes whatever it left open;
// a call that still does not return ends the process, so a hung dialog fails
// the run instead of stalling it.
class DialogCall {
public:
    explicit DialogCall(std::function<CallResult()> call);
    DialogCall(const DialogCall&) = delete;
    DialogCall& operator=(const DialogCall&) = delete;
    ~DialogCall();

    DWORD thread() const { return threadId_; }
    bool Join(Millis timeout = kUiTimeout);
    const CallResult& result() const { return state_->result; }
    HWND WaitForWindow(const std::wstring& caption) const { return testing::WaitForWindow(threadId_, caption); }

    struct State {
        std::function<CallResult()> call;
        CallResult result;
    };

private:
    std::shared_ptr<State> state_;
    win32::unique_handle thread_;
    DWORD threadId_ = 0;
};

}  // namespace kvex::testing
