// kvexfilt from C++ through IDispatch (late binding), as script engines and
// other languages without the type library call it:
//   kvexfilt-late.exe <filter folder>
// Needs no header of the component, only its registration.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sample_support.h"

using sample::Check;
using sample::Ref;
using sample::Text;

// Calls a method by name. IDispatch takes the arguments last one first.
static HRESULT Call(IDispatch* object, const wchar_t* name, std::vector<VARIANT> lastFirst, VARIANT* result) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    DISPPARAMS params{lastFirst.data(), nullptr, static_cast<UINT>(lastFirst.size()), 0};
    EXCEPINFO exception{};
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, &exception, nullptr);
    if (hr == DISP_E_EXCEPTION) {
        // A member that failed says why in the exception record.
        if (exception.bstrDescription) std::printf("%ls\n", exception.bstrDescription);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
    }
    return hr;
}

static VARIANT Borrowed(VARTYPE type, void* value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = type;
    V_BYREF(&v) = value;  // a BSTR or a BSTR*: the caller keeps owning it
    return v;
}

static HRESULT Create(const wchar_t* progId, Ref<IDispatch>& object) {
    CLSID clsid;
    const HRESULT hr = CLSIDFromProgID(progId, &clsid);
    return FAILED(hr) ? hr : CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put());
}

static int Run(const std::wstring& folder) {
    Ref<IDispatch> fm;
    if (!Check(Create(L"kvexfilt.clsFMfilter", fm), "create kvexfilt.clsFMfilter")) return 1;
    VARIANT result;
    VariantInit(&result);
    if (!Check(Call(fm.get(), L"PlugNameVersion", {}, &result), "PlugNameVersion")) return 1;
    std::printf("version: %ls\n", V_BSTR(&result));
    VariantClear(&result);

    // The two optional arguments are left out.
    Text defaultFilter(L"*.txt"), where(folder.c_str());
    if (!Check(Call(fm.get(), L"ShowFilterMakerDialog",
                    {Borrowed(VT_BSTR, where.get()), Borrowed(VT_BSTR, defaultFilter.get())}, &result),
               "ShowFilterMakerDialog"))
        return 1;
    VariantClear(&result);
    sample::PrintFilterList(folder);

    Ref<IDispatch> ef;
    if (!Check(Create(L"kvexfilt.clsEFfilter", ef), "create kvexfilt.clsEFfilter")) return 1;
    Text filter(L"*.htm");
    VARIANT editPrefix;
    VariantInit(&editPrefix);
    V_VT(&editPrefix) = VT_BOOL;
    V_BOOL(&editPrefix) = VARIANT_TRUE;
    // The text goes by reference: after OK the component has replaced it.
    if (!Check(Call(ef.get(), L"ShowEditFilterDialog", {editPrefix, Borrowed(VT_BYREF | VT_BSTR, filter.address())},
                    &result),
               "ShowEditFilterDialog"))
        return 1;
    std::printf("%s: %ls\n", V_BOOL(&result) == VARIANT_TRUE ? "edited" : "cancelled", filter.get());
    VariantClear(&result);
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: kvexfilt-late <filter folder>\n");
        return 2;
    }
    if (!Check(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), "CoInitializeEx")) return 1;
    const int result = Run(argv[1]);
    CoUninitialize();
    return result;
}
