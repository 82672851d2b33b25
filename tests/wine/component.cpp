#include "component.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace kvex::testing {
namespace {

std::wstring RegisteredServer() {
    wchar_t clsid[64] = {}, path[MAX_PATH * 2] = {};
    DWORD size = sizeof clsid;
    if (RegGetValueW(HKEY_CLASSES_ROOT, L"kvexfilt.clsFMfilter\\CLSID", nullptr, RRF_RT_REG_SZ, nullptr, clsid,
                     &size) != ERROR_SUCCESS)
        return {};
    size = sizeof path;
    const std::wstring key = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS)
        return {};
    return path;
}

// Creates the object and invokes a member by name; args in rgvarg order (the
// last argument first).
CallResult InvokeByName(const wchar_t* progId, const wchar_t* name, std::vector<VARIANT> args) {
    CallResult out;
    com_ptr<IDispatch> object;
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    out.hr = Create(progId, IID_IDispatch, object.put_void());
    if (SUCCEEDED(out.hr)) out.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(out.hr)) return out;
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    unique_variant result;
    out.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.get(), nullptr, nullptr);
    if (SUCCEEDED(out.hr) && V_VT(result.get()) != VT_BOOL) out.hr = DISP_E_TYPEMISMATCH;
    out.value = V_BOOL(result.get());
    return out;
}

VARIANT Borrowed(VARTYPE type, void* value) {
    VARIANT v{};
    V_VT(&v) = type;
    V_BYREF(&v) = value;  // the pointer-sized member of the union; the caller owns what it points at
    return v;
}

DWORD WINAPI CallThread(void* param) {
    std::unique_ptr<std::shared_ptr<DialogCall::State>> owned(static_cast<std::shared_ptr<DialogCall::State>*>(param));
    const std::shared_ptr<DialogCall::State> state = *owned;
    win32::com_apartment apartment;
    if (SUCCEEDED(apartment.status())) state->result = state->call();
    return 0;
}

}  // namespace

HMODULE Component() {
    static const HMODULE module = LoadLibraryW(RegisteredServer().c_str());
    return module;
}

HRESULT CanUnloadNow() {
    using Fn = HRESULT(STDAPICALLTYPE*)();
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(Component(), "DllCanUnloadNow")));
    return fn ? fn() : E_NOTIMPL;
}

HRESULT Create(const wchar_t* progId, REFIID iid, void** object) {
    CLSID clsid{};
    const HRESULT hr = CLSIDFromProgID(progId, &clsid);
    return FAILED(hr) ? hr : CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object);
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string CrLfLines(const Lines& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

Lines ListLines(HWND list) {
    Lines lines;
    for (const auto& item : ListItems(list)) lines.push_back(win32::WideToUtf8(item));
    return lines;
}

CallResult ShowFilterMaker(Binding binding, const std::wstring& folderPath, const std::wstring& defaultText,
                           const std::wstring& inLikeText, const std::wstring& listPath) {
    CallResult out;
    unique_bstr defaultFilter = MakeBstr(defaultText), folder = MakeBstr(folderPath), inLike = MakeBstr(inLikeText),
                listFile = MakeBstr(listPath);
    if (binding == Binding::Early) {
        com_ptr<_clsFMfilter> object;
        out.hr = Create(kFilterMakerProgId, IID__clsFMfilter, object.put_void());
        if (SUCCEEDED(out.hr))
            out.hr = object->ShowFilterMakerDialog(defaultFilter.get(), folder.get(), inLike.get(), listFile.get(),
                                                   &out.value);
        return out;
    }
    std::vector<VARIANT> in{Borrowed(VT_BSTR, folder.get()), Borrowed(VT_BSTR, defaultFilter.get())};
    if (!listPath.empty())
        in.insert(in.begin(), {Borrowed(VT_BSTR, listFile.get()), Borrowed(VT_BSTR, inLike.get())});
    return InvokeByName(kFilterMakerProgId, L"ShowFilterMakerDialog", in);
}

CallResult ShowEditFilter(const std::wstring& text, VARIANT_BOOL editPrefix, Binding binding) {
    CallResult out;
    unique_bstr inOut = MakeBstr(text);
    if (binding == Binding::Early) {
        com_ptr<_clsEFfilter> object;
        out.hr = Create(kEditFilterProgId, IID__clsEFfilter, object.put_void());
        if (SUCCEEDED(out.hr)) out.hr = object->ShowEditFilterDialog(inOut.addressof(), editPrefix, &out.value);
    } else {
        VARIANT prefix;
        V_VT(&prefix) = VT_BOOL;
        V_BOOL(&prefix) = editPrefix;
        out = InvokeByName(kEditFilterProgId, L"ShowEditFilterDialog",
                           {prefix, Borrowed(VT_BYREF | VT_BSTR, inOut.addressof())});
    }
    out.text = win32::BstrView(inOut.get());
    return out;
}

DialogCall::DialogCall(std::function<CallResult()> call) : state_(std::make_shared<State>()) {
    state_->call = std::move(call);
    auto* param = new std::shared_ptr<State>(state_);
    thread_.reset(CreateThread(nullptr, 0, CallThread, param, 0, &threadId_));
    if (!thread_) delete param;
}

DialogCall::~DialogCall() {
    // Closing one window may show the next (a question before closing).
    for (int round = 0; round < 40 && !Join(Millis(0)); ++round) {
        CloseWindowsOfThread(threadId_);
        Join(Millis(250));
    }
    if (Join(Millis(15000))) return;
    std::fprintf(stderr, "\nWATCHDOG: a dialog did not close after the test; ending the run.\n");
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
}

bool DialogCall::Join(Millis timeout) {
    return thread_ && WaitForSingleObject(thread_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

}  // namespace kvex::testing
