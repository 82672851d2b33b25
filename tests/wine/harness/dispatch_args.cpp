#include "dispatch_args.h"

#include <cstdio>
#include <iterator>

#include "handles.h"

namespace kvex::testing {

ArgList::~ArgList() {
    for (VARIANT& v : args_) VariantClear(&v);
}

ArgList& ArgList::Add(const VARIANT& value) {
    args_.push_back(value);
    return *this;
}

ArgList& ArgList::Str(const std::wstring& text) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return Add(v);
}

ArgList& ArgList::I4(LONG value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return Add(v);
}

ArgList& ArgList::R8(double value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_R8;
    V_R8(&v) = value;
    return Add(v);
}

ArgList& ArgList::Bool(bool value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return Add(v);
}

ArgList& ArgList::Null() {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_NULL;
    return Add(v);
}

ArgList& ArgList::Empty() {
    VARIANT v;
    VariantInit(&v);
    return Add(v);
}

ArgList& ArgList::Missing() {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ERROR;
    V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
    return Add(v);
}

ArgList& ArgList::Object(IDispatch* object) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = object;
    if (object) object->AddRef();
    return Add(v);
}

ArgList& ArgList::StringArray(int count) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ARRAY | VT_BSTR;
    V_ARRAY(&v) = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(count));
    return Add(v);
}

ArgList& ArgList::ByRef(VARTYPE type, void* target) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = static_cast<VARTYPE>(VT_BYREF | type);
    V_BYREF(&v) = target;
    return Add(v);
}

ArgList& ArgList::Raw(const VARIANT& value) { return Add(value); }

DISPPARAMS ArgList::Params() {
    reversed_.assign(args_.rbegin(), args_.rend());
    return DISPPARAMS{reversed_.empty() ? nullptr : reversed_.data(), nullptr, size(), 0};
}

InvokeOutcome InvokeRaw(IDispatch* object, DISPID member, WORD flags, DISPPARAMS* params) {
    InvokeOutcome out;
    unique_variant result;
    EXCEPINFO error{};
    out.hr = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, params, result.get(), &error,
                            &out.argErr);
    out.resultType = V_VT(result.get());
    if (out.resultType == VT_BOOL) out.boolResult = V_BOOL(result.get());
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);
    return out;
}

DISPID MemberId(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

std::string HresultName(HRESULT hr) {
    struct Known {
        HRESULT hr;
        const char* name;
    };
    static const Known known[] = {
        {S_OK, "S_OK"},
        {S_FALSE, "S_FALSE"},
        {E_INVALIDARG, "E_INVALIDARG"},
        {E_POINTER, "E_POINTER"},
        {E_NOTIMPL, "E_NOTIMPL"},
        {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
        {E_UNEXPECTED, "E_UNEXPECTED"},
        {E_FAIL, "E_FAIL"},
        {DISP_E_UNKNOWNINTERFACE, "DISP_E_UNKNOWNINTERFACE"},
        {DISP_E_MEMBERNOTFOUND, "DISP_E_MEMBERNOTFOUND"},
        {DISP_E_PARAMNOTFOUND, "DISP_E_PARAMNOTFOUND"},
        {DISP_E_TYPEMISMATCH, "DISP_E_TYPEMISMATCH"},
        {DISP_E_UNKNOWNNAME, "DISP_E_UNKNOWNNAME"},
        {DISP_E_NONAMEDARGS, "DISP_E_NONAMEDARGS"},
        {DISP_E_BADVARTYPE, "DISP_E_BADVARTYPE"},
        {DISP_E_EXCEPTION, "DISP_E_EXCEPTION"},
        {DISP_E_OVERFLOW, "DISP_E_OVERFLOW"},
        {DISP_E_BADINDEX, "DISP_E_BADINDEX"},
        {DISP_E_BADPARAMCOUNT, "DISP_E_BADPARAMCOUNT"},
        {DISP_E_PARAMNOTOPTIONAL, "DISP_E_PARAMNOTOPTIONAL"},
        {DISP_E_BADCALLEE, "DISP_E_BADCALLEE"},
        {DISP_E_NOTACOLLECTION, "DISP_E_NOTACOLLECTION"},
        {TYPE_E_TYPEMISMATCH, "TYPE_E_TYPEMISMATCH"},
    };
    for (const Known& k : known) {
        if (k.hr == hr) return k.name;
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", static_cast<unsigned long>(hr));
    return text;
}

}  // namespace kvex::testing
