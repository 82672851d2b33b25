#pragma once
// A COM client of the component as the host and scripts use it: objects made
// by ProgID, members called through IDispatch or the early-bound vtable, and
// the modal calls run on a watched STA thread of their own so that the test's
// thread stays free to drive the dialog.
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui_driver.h"

namespace kvex::testing {

inline constexpr wchar_t kFilterMakerProgId[] = L"kvexfilt.clsFMfilter";
inline constexpr wchar_t kEditFilterProgId[] = L"kvexfilt.clsEFfilter";

// The dual interfaces exactly as the type library lays them out.
extern const IID IID_clsFMfilterDual;
extern const IID IID_clsEFfilterDual;

struct IclsFMfilterDual : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE PlugNameVersion(BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE ShowFilterMakerDialog(BSTR sDefaultFilter, BSTR sFilterFolder,
                                                            BSTR sFilterInLike, BSTR sOpenThisFilterFile,
                                                            VARIANT_BOOL* result) = 0;
};

struct IclsEFfilterDual : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE PlugNameVersion(BSTR* result) = 0;
    virtual HRESULT STDMETHODCALLTYPE ShowEditFilterDialog(BSTR* sFilterInAndOut, VARIANT_BOOL bEditPrefix,
                                                           VARIANT_BOOL* result) = 0;
};

enum class Binding {
    Early,   // the vtable, as a C++ host calls
    Late,    // IDispatch with typed arguments (VT_BSTR, VT_BYREF|VT_BSTR), as a compiled host calls
    Script,  // IDispatch with VT_BYREF|VT_VARIANT for by-reference arguments, as VBScript calls
};

struct CallResult {
    HRESULT hr = E_PENDING;
    VARIANT_BOOL value = 0;  // the Boolean result of a Show call
    std::wstring text;       // PlugNameVersion's result, or the by-reference text after the call
};

struct FilterMakerArgs {
    std::wstring defaultFilter;
    std::wstring filterFolder;
    std::optional<std::wstring> filterInLike;        // omitted when empty
    std::optional<std::wstring> openThisFilterFile;  // omitted when empty
};

// These run on the calling thread, which must be in an STA.
CallResult CallPlugNameVersion(const wchar_t* progId, Binding binding);
CallResult CallShowFilterMakerDialog(const FilterMakerArgs& args, Binding binding);
CallResult CallShowEditFilterDialog(const std::wstring& text, VARIANT_BOOL editPrefix, Binding binding);

// A modal call on a fresh STA thread. The destructor closes whatever the call
// left open; if the call still does not return, the process ends (a hung
// dialog must fail the run, not stall it).
class DialogCall {
public:
    explicit DialogCall(std::function<CallResult()> call);
    DialogCall(const DialogCall&) = delete;
    DialogCall& operator=(const DialogCall&) = delete;
    ~DialogCall();

    DWORD threadId() const;
    // False while the thread is still inside the call after the timeout.
    bool Join(Millis timeout = kUiTimeout);
    bool finished() const;
    // Valid after a successful Join.
    const CallResult& result() const;
    // Returns once the call's thread has handled everything posted to its
    // windows so far (the thread owns a probe window that the modal loops pump).
    bool Settle(Millis timeout = kUiTimeout);
    // A visible top-level window of the call's thread with the exact caption.
    HWND WaitForWindow(const std::wstring& caption, Millis timeout = kUiTimeout) const;

    struct State;

private:
    void CloseLeftovers();
    std::shared_ptr<State> state_;
};

}  // namespace kvex::testing
