// kvexhost: a small host of the kvexfilt classes. It reaches them the way a
// script does, by ProgID and late-bound IDispatch calls, and prints what
// came back.
//
//   kvexhost version
//   kvexhost fm [sDefaultFilter [sFilterFolder [sFilterInLike [sOpenThisFilterFile]]]]
//   kvexhost ef [sFilterInAndOut [bEditPrefix]]     bEditPrefix: -1 (True) or 0
//
// Exit code: 0 when every call succeeded, 1 for a usage error, 2 when COM failed.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "unique_any.h"
#include "wide_text.h"

namespace {

using kvex::win32::BstrToUtf8;
using kvex::win32::com_apartment;
using kvex::win32::com_ptr;
using kvex::win32::unique_bstr;
using kvex::win32::unique_variant;
using kvex::win32::Utf8ToBstr;

constexpr int kUsageError = 1;
constexpr int kComError = 2;

// A failed step: what was tried and what COM answered.
struct Failure {
    std::string step;
    HRESULT hr;
};

void Check(HRESULT hr, const std::string& step) {
    if (FAILED(hr)) throw Failure{step, hr};
}

com_ptr<IDispatch> CreateByProgId(const wchar_t* progId, const std::string& name) {
    CLSID clsid;
    Check(CLSIDFromProgID(progId, &clsid), "CLSIDFromProgID(" + name + ")");
    com_ptr<IDispatch> object;
    Check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void()),
          "CoCreateInstance(" + name + ")");
    return object;
}

// Calls a method by name. args are in the caller's order; they are handed
// to Invoke last-first, as IDispatch wants them.
void CallMethod(IDispatch* object, const wchar_t* method, std::vector<VARIANT> args, VARIANT* result,
                const std::string& name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(method)};
    Check(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), "GetIDsOfNames(" + name + ")");
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    EXCEPINFO exception{};
    UINT argError = 0;
    Check(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                         result, &exception, &argError),
          name);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

VARIANT BstrArg(BSTR text) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = text;
    return v;
}

// Plain text of a result, whatever type it came back as; Booleans print as
// their value, -1 or 0.
std::string ResultText(VARIANT* result) {
    unique_variant text;
    Check(VariantChangeType(text.get(), result, 0, VT_BSTR), "result as text");
    return BstrToUtf8(V_BSTR(text.get()));
}

std::string PlugNameVersion(IDispatch* object, const std::string& className) {
    unique_variant result;
    CallMethod(object, L"PlugNameVersion", {}, result.get(), className + ".PlugNameVersion");
    return ResultText(result.get());
}

int RunVersion() {
    const struct {
        const wchar_t* progId;
        const char* name;
    } classes[] = {{L"kvexfilt.clsFMfilter", "clsFMfilter"}, {L"kvexfilt.clsEFfilter", "clsEFfilter"}};
    for (const auto& entry : classes) {
        com_ptr<IDispatch> object = CreateByProgId(entry.progId, entry.name);
        std::printf("%s.PlugNameVersion=%s\n", entry.name, PlugNameVersion(object.get(), entry.name).c_str());
    }
    return 0;
}

int RunFilterMaker(const std::vector<std::string>& args) {
    if (args.size() > 4) return kUsageError;
    com_ptr<IDispatch> object = CreateByProgId(L"kvexfilt.clsFMfilter", "clsFMfilter");
    std::printf("PlugNameVersion=%s\n", PlugNameVersion(object.get(), "clsFMfilter").c_str());

    // The two leading arguments are required; the optional ones go only when given.
    std::vector<unique_bstr> texts;
    for (size_t i = 0; i < args.size() || i < 2; ++i) texts.push_back(Utf8ToBstr(i < args.size() ? args[i] : ""));
    std::vector<VARIANT> params;
    for (const unique_bstr& text : texts) params.push_back(BstrArg(text.get()));
    unique_variant result;
    CallMethod(object.get(), L"ShowFilterMakerDialog", params, result.get(), "ShowFilterMakerDialog");
    std::printf("ShowFilterMakerDialog=%s\n", ResultText(result.get()).c_str());
    return 0;
}

int RunEditFilter(const std::vector<std::string>& args) {
    if (args.size() > 2) return kUsageError;
    const short editPrefix = args.size() > 1 ? static_cast<short>(std::atoi(args[1].c_str())) : VARIANT_FALSE;
    com_ptr<IDispatch> object = CreateByProgId(L"kvexfilt.clsEFfilter", "clsEFfilter");
    std::printf("PlugNameVersion=%s\n", PlugNameVersion(object.get(), "clsEFfilter").c_str());

    // The text goes as a script passes a variable: a reference to a variant.
    unique_variant text;
    V_VT(text.get()) = VT_BSTR;
    V_BSTR(text.get()) = Utf8ToBstr(args.empty() ? "" : args[0]).release();
    VARIANT byRef;
    V_VT(&byRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byRef) = text.get();
    VARIANT prefix;
    V_VT(&prefix) = VT_BOOL;
    V_BOOL(&prefix) = editPrefix;
    unique_variant result;
    CallMethod(object.get(), L"ShowEditFilterDialog", {byRef, prefix}, result.get(), "ShowEditFilterDialog");
    std::printf("ShowEditFilterDialog=%s\n", ResultText(result.get()).c_str());
    std::printf("sFilterInAndOut=%s\n", ResultText(text.get()).c_str());
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: kvexhost version\n"
                 "       kvexhost fm [sDefaultFilter [sFilterFolder [sFilterInLike [sOpenThisFilterFile]]]]\n"
                 "       kvexhost ef [sFilterInAndOut [bEditPrefix]]\n");
    return kUsageError;
}

// The arguments as UTF-8, read wide so that a folder the ANSI code page
// cannot name reaches the component intact.
std::vector<std::string> Utf8Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide) return arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(kvex::win32::WideToUtf8(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

int Run() {
    const std::vector<std::string> argv = Utf8Arguments();
    if (argv.size() < 2) return Usage();
    const std::string command = argv[1];
    const std::vector<std::string> args(argv.begin() + 2, argv.end());
    int code = kUsageError;
    if (command == "version" && args.empty())
        code = RunVersion();
    else if (command == "fm")
        code = RunFilterMaker(args);
    else if (command == "ef")
        code = RunEditFilter(args);
    return code == kUsageError ? Usage() : code;
}

}  // namespace

int main() {
    // Results go out line by line, so a test reading the pipe sees them at once.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    com_apartment apartment;
    if (FAILED(apartment.status())) {
        std::fprintf(stderr, "error: CoInitializeEx failed: 0x%08lX\n", static_cast<unsigned long>(apartment.status()));
        return kComError;
    }
    try {
        return Run();
    } catch (const Failure& failure) {
        std::fprintf(stderr, "error: %s failed: 0x%08lX\n", failure.step.c_str(), static_cast<unsigned long>(failure.hr));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
    }
    return kComError;
}
