#include "com_client.h"

#include <atomic>
#include <cstdio>
#include <vector>

#include "handles.h"

namespace kvex::testing {

// {29250478-A8A5-4F60-A206-2C3C14AD20B7}
const IID IID_clsFMfilterDual = {0x29250478, 0xa8a5, 0x4f60, {0xa2, 0x06, 0x2c, 0x3c, 0x14, 0xad, 0x20, 0xb7}};
// {1A947D82-9A0A-40EE-A9CC-5404DFDADB7F}
const IID IID_clsEFfilterDual = {0x1a947d82, 0x9a0a, 0x40ee, {0xa9, 0xcc, 0x54, 0x04, 0xdf, 0xda, 0xdb, 0x7f}};

namespace {

HRESULT Create(const wchar_t* progId, REFIID iid, void** out) {
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr)) return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, out);
}

// Invokes a member by name; args are in the caller's order (reversed here).
HRESULT InvokeByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT>& args, VARIANT* result) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO error{};
    UINT badArg = 0;
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params, result,
                        &error, &badArg);
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);
    return hr;
}

VARIANT BstrArg(const unique_bstr& s) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = s.get();  // borrowed: the caller's unique_bstr frees it
    return v;
}

void ReadBoolResult(const VARIANT& v, CallResult& out) {
    if (v.vt == VT_BOOL) {
        out.value = v.boolVal;
    } else {
        out.hr = DISP_E_TYPEMISMATCH;  // the member must answer a Boolean
    }
}

// ---- the call's thread -----------------------------------------------------

constexpr UINT kProbeMessage = WM_APP + 17;
constexpr wchar_t kProbeClass[] = L"KvexHarnessProbe";

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbeMessage) {
        auto* handled = reinterpret_cast<std::atomic<long>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (handled) handled->store(static_cast<long>(lParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterProbeClass() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kProbeClass;
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
}

[[noreturn]] void EndProcessHung(const char* what) {
    std::fprintf(stderr, "\nWATCHDOG: %s; ending the test process.\n", what);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    for (;;) Sleep(1000);
}

}  // namespace

// ---- calls -----------------------------------------------------------------

CallResult CallPlugNameVersion(const wchar_t* progId, Binding binding) {
    CallResult out;
    const bool fm = std::wstring(progId) == kFilterMakerProgId;
    if (binding == Binding::Early) {
        unique_bstr text;
        if (fm) {
            com_ptr<IclsFMfilterDual> object;
            out.hr = Create(progId, IID_clsFMfilterDual, object.put_void());
            if (SUCCEEDED(out.hr)) out.hr = object->PlugNameVersion(text.put());
        } else {
            com_ptr<IclsEFfilterDual> object;
            out.hr = Create(progId, IID_clsEFfilterDual, object.put_void());
            if (SUCCEEDED(out.hr)) out.hr = object->PlugNameVersion(text.put());
        }
        out.text = win32::BstrView(text.get());
        return out;
    }
    com_ptr<IDispatch> object;
    out.hr = Create(progId, IID_IDispatch, object.put_void());
    if (FAILED(out.hr)) return out;
    std::vector<VARIANT> none;
    unique_variant result;
    out.hr = InvokeByName(object.get(), L"PlugNameVersion", none, result.get());
    if (SUCCEEDED(out.hr)) {
        if (result.get()->vt == VT_BSTR) {
            out.text.assign(win32::BstrView(result.get()->bstrVal));
        } else {
            out.hr = DISP_E_TYPEMISMATCH;
        }
    }
    return out;
}

CallResult CallShowFilterMakerDialog(const FilterMakerArgs& args, Binding binding) {
    CallResult out;
    const unique_bstr defaultFilter = MakeBstr(args.defaultFilter), folder = MakeBstr(args.filterFolder),
                      inLike = MakeBstr(args.filterInLike.value_or(L"")),
                      file = MakeBstr(args.openThisFilterFile.value_or(L""));
    if (binding == Binding::Early) {
        com_ptr<IclsFMfilterDual> object;
        out.hr = Create(kFilterMakerProgId, IID_clsFMfilterDual, object.put_void());
        if (SUCCEEDED(out.hr)) {
            out.hr = object->ShowFilterMakerDialog(defaultFilter.get(), folder.get(), inLike.get(), file.get(),
                                                   &out.value);
        }
        return out;
    }
    com_ptr<IDispatch> object;
    out.hr = Create(kFilterMakerProgId, IID_IDispatch, object.put_void());
    if (FAILED(out.hr)) return out;
    std::vector<VARIANT> in{BstrArg(defaultFilter), BstrArg(folder)};
    // Optional arguments are left out unless given, as a script leaves them out.
    if (args.filterInLike || args.openThisFilterFile) in.push_back(BstrArg(inLike));
    if (args.openThisFilterFile) in.push_back(BstrArg(file));
    unique_variant result;
    out.hr = InvokeByName(object.get(), L"ShowFilterMakerDialog", in, result.get());
    if (SUCCEEDED(out.hr)) ReadBoolResult(*result.get(), out);
    return out;
}

CallResult CallShowEditFilterDialog(const std::wstring& text, VARIANT_BOOL editPrefix, Binding binding) {
    CallResult out;
    unique_bstr inOut = MakeBstr(text);
    if (binding == Binding::Early) {
        com_ptr<IclsEFfilterDual> object;
        out.hr = Create(kEditFilterProgId, IID_clsEFfilterDual, object.put_void());
        if (SUCCEEDED(out.hr)) out.hr = object->ShowEditFilterDialog(inOut.addressof(), editPrefix, &out.value);
        out.text = win32::BstrView(inOut.get());
        return out;
    }
    com_ptr<IDispatch> object;
    out.hr = Create(kEditFilterProgId, IID_IDispatch, object.put_void());
    if (FAILED(out.hr)) return out;

    VARIANT byRef;
    VariantInit(&byRef);
    VARIANT scriptVariable;  // the script's own variable that the reference points at
    VariantInit(&scriptVariable);
    if (binding == Binding::Script) {
        scriptVariable.vt = VT_BSTR;
        scriptVariable.bstrVal = *inOut.addressof();
        byRef.vt = VT_BYREF | VT_VARIANT;
        byRef.pvarVal = &scriptVariable;
    } else {
        byRef.vt = VT_BYREF | VT_BSTR;
        byRef.pbstrVal = inOut.addressof();
    }
    VARIANT prefix;
    VariantInit(&prefix);
    prefix.vt = VT_BOOL;
    prefix.boolVal = editPrefix;
    std::vector<VARIANT> in{byRef, prefix};
    unique_variant result;
    out.hr = InvokeByName(object.get(), L"ShowEditFilterDialog", in, result.get());
    if (SUCCEEDED(out.hr)) ReadBoolResult(*result.get(), out);
    if (binding == Binding::Script) {
        // The callee may have replaced the string in the variant; it owns it now.
        inOut.release();
        if (scriptVariable.vt == VT_BSTR) {
            out.text.assign(scriptVariable.bstrVal, SysStringLen(scriptVariable.bstrVal));
        } else if (SUCCEEDED(out.hr)) {
            out.hr = DISP_E_TYPEMISMATCH;
        }
        VariantClear(&scriptVariable);
    } else {
        out.text = win32::BstrView(inOut.get());
    }
    return out;
}

// ---- DialogCall ------------------------------------------------------------

struct DialogCall::State {
    std::function<CallResult()> call;
    CallResult result;
    unique_handle thread;
    DWORD threadId = 0;
    HANDLE probeReady = nullptr;
    HWND probe = nullptr;
    std::atomic<long> posted{0};
    std::atomic<long> handled{0};
    std::atomic<bool> done{false};
};

namespace {

DWORD WINAPI DialogThread(void* param) {
    // Keeps the state alive even if the owner gave up on the thread.
    auto state = *static_cast<std::shared_ptr<DialogCall::State>*>(param);
    delete static_cast<std::shared_ptr<DialogCall::State>*>(param);
    {
        com_apartment apartment;
        RegisterProbeClass();
        state->probe = CreateWindowExW(0, kProbeClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(state->probe, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state->handled));
        SetEvent(state->probeReady);
        if (FAILED(apartment.status())) {
            state->result.hr = apartment.status();
        } else {
            state->result = state->call();
        }
        DestroyWindow(state->probe);
    }
    state->done = true;
    return 0;
}

}  // namespace

DialogCall::DialogCall(std::function<CallResult()> call) : state_(std::make_shared<State>()) {
    state_->call = std::move(call);
    unique_handle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    state_->probeReady = ready.get();
    auto* param = new std::shared_ptr<State>(state_);
    state_->thread.reset(CreateThread(nullptr, 0, DialogThread, param, 0, &state_->threadId));
    if (!state_->thread) {
        delete param;
        EndProcessHung("could not start the dialog thread");
    }
    if (WaitForSingleObject(ready.get(), 10000) != WAIT_OBJECT_0) EndProcessHung("the dialog thread never started");
    state_->probeReady = nullptr;
}

DialogCall::~DialogCall() {
    if (Join(Millis(0))) return;
    CloseLeftovers();
    if (!Join(Millis(15000))) EndProcessHung("a dialog did not close after the test");
}

void DialogCall::CloseLeftovers() {
    // Repeated while the call is still running: closing one window may show the next.
    for (int round = 0; round < 40 && !Join(Millis(0)); ++round) {
        CloseWindowsOfThread(state_->threadId);
        Join(Millis(250));
    }
}

DWORD DialogCall::threadId() const { return state_->threadId; }

bool DialogCall::Join(Millis timeout) {
    return WaitForSingleObject(state_->thread.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool DialogCall::finished() const { return state_->done; }

const CallResult& DialogCall::result() const { return state_->result; }

bool DialogCall::Settle(Millis timeout) {
    const long ticket = ++state_->posted;
    if (!PostMessageW(state_->probe, kProbeMessage, 0, ticket)) return finished();
    return WaitUntil([&] { return state_->handled.load() >= ticket || finished(); }, timeout);
}

HWND DialogCall::WaitForWindow(const std::wstring& caption, Millis timeout) const {
    return WaitForTopWindow({state_->threadId, 0, {}, caption}, timeout);
}

}  // namespace kvex::testing
