#pragma once
// Raw IDispatch calls as a careless host makes them: arguments of any type,
// in any number, by value or by reference, and the answers by name.
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

namespace kvex::testing {

// Arguments in the caller's order; owns what it holds (strings, arrays,
// object references), never what a by-reference argument points at.
class ArgList {
public:
    ArgList() = default;
    ArgList(const ArgList&) = delete;
    ArgList& operator=(const ArgList&) = delete;
    ~ArgList();

    ArgList& Str(const std::wstring& text);
    ArgList& I4(LONG value);
    ArgList& R8(double value);
    ArgList& Bool(bool value);
    ArgList& Null();
    ArgList& Empty();
    // The marker of an omitted optional argument.
    ArgList& Missing();
    // Holds a reference of its own.
    ArgList& Object(IDispatch* object);
    ArgList& StringArray(int count);
    ArgList& ByRef(VARTYPE type, void* target);  // VT_BYREF | type
    ArgList& Raw(const VARIANT& value);           // adopted as it is

    UINT size() const { return static_cast<UINT>(args_.size()); }
    // rgvarg order: the last argument first. Valid while the list lives.
    DISPPARAMS Params();

private:
    ArgList& Add(const VARIANT& value);
    std::vector<VARIANT> args_;
    std::vector<VARIANT> reversed_;
};

struct InvokeOutcome {
    HRESULT hr = E_PENDING;
    UINT argErr = ~0u;      // as the callee left it
    VARTYPE resultType = VT_EMPTY;
    VARIANT_BOOL boolResult = 0;
};

// IDispatch::Invoke with IID_NULL and the user's locale; frees what the
// callee put in the result and the exception record.
InvokeOutcome InvokeRaw(IDispatch* object, DISPID member, WORD flags, DISPPARAMS* params);

DISPID MemberId(IDispatch* object, const wchar_t* name);

// "DISP_E_TYPEMISMATCH" and the like, or the number in hex.
std::string HresultName(HRESULT hr);

}  // namespace kvex::testing
