#include "error_info.h"

#include <oleauto.h>


#include "com_util.h"

namespace kvex::plugin {
namespace {

struct ErrorEntry {
    HRESULT hr;
    const wchar_t* text;
};

const ErrorEntry kErrorTexts[] = {
    {E_POINTER, L"kvexfilt: a required pointer was null (the result, or the by-reference filter text)."},
    {E_OUTOFMEMORY, L"kvexfilt: not enough memory to run the dialog or to hand back its text."},
    {E_UNEXPECTED, L"kvexfilt: an internal error ended the call."},
    {E_INVALIDARG,
     L"kvexfilt: malformed call: no DISPPARAMS, arguments without their array, named arguments without "
     L"their ids or more of them than arguments, a null by-reference pointer, or a variable that refers "
     L"to itself."},
    {DISP_E_UNKNOWNINTERFACE, L"kvexfilt: IDispatch calls take IID_NULL as their interface id."},
    {DISP_E_UNKNOWNNAME, L"kvexfilt: no member of that name (PlugNameVersion, ShowFilterMakerDialog, "
                         L"ShowEditFilterDialog)."},
    {DISP_E_MEMBERNOTFOUND, L"kvexfilt: no such member: the members are methods with DISPIDs 1 and 2."},
    {DISP_E_BADINDEX, L"kvexfilt: the object has one type info, index 0."},
    {DISP_E_BADPARAMCOUNT, L"kvexfilt: wrong number of arguments."},
    {DISP_E_PARAMNOTOPTIONAL, L"kvexfilt: a required argument is missing."},
    {DISP_E_TYPEMISMATCH, L"kvexfilt: an argument does not convert to its declared type (text or Boolean)."},
    {DISP_E_BADVARTYPE, L"kvexfilt: an argument has a type Automation does not know."},
};

constexpr wchar_t kOtherError[] = L"kvexfilt: the call failed; the HRESULT says why.";

}  // namespace

const wchar_t* ErrorText(HRESULT hr) noexcept {
    for (const ErrorEntry& entry : kErrorTexts) {
        if (entry.hr == hr) return entry.text;
    }
    return kOtherError;
}

HRESULT ReportError(HRESULT hr, REFIID iid) noexcept {
    if (SUCCEEDED(hr)) return hr;
    win32::com_ptr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.put()))) return hr;
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(L"kvexfilt"));
    create->SetDescription(const_cast<LPOLESTR>(ErrorText(hr)));
    win32::com_ptr<IErrorInfo> info;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, info.put_void()))) SetErrorInfo(0, info.get());
    return hr;
}

}  // namespace kvex::plugin
