#include "dispatch.h"

#include <vector>

namespace kvex::plugin {
namespace {

class ScopedTypeAttr {
public:
    explicit ScopedTypeAttr(ITypeInfo* info) noexcept : info_(info) {}
    ScopedTypeAttr(const ScopedTypeAttr&) = delete;
    ScopedTypeAttr& operator=(const ScopedTypeAttr&) = delete;
    ~ScopedTypeAttr() {
        if (attr_) info_->ReleaseTypeAttr(attr_);
    }
    HRESULT Load() noexcept { return info_->GetTypeAttr(&attr_); }
    const TYPEATTR& operator*() const noexcept { return *attr_; }

private:
    ITypeInfo* info_;
    TYPEATTR* attr_ = nullptr;
};

class ScopedFuncDesc {
public:
    explicit ScopedFuncDesc(ITypeInfo* info) noexcept : info_(info) {}
    ScopedFuncDesc(const ScopedFuncDesc&) = delete;
    ScopedFuncDesc& operator=(const ScopedFuncDesc&) = delete;
    ~ScopedFuncDesc() { Reset(); }
    void Reset() noexcept {
        if (desc_) info_->ReleaseFuncDesc(desc_);
        desc_ = nullptr;
    }
    HRESULT Load(UINT index) noexcept {
        Reset();
        return info_->GetFuncDesc(index, &desc_);
    }
    const FUNCDESC& operator*() const noexcept { return *desc_; }

private:
    ITypeInfo* info_;
    FUNCDESC* desc_ = nullptr;
};

HRESULT FindMember(ITypeInfo* info, DISPID member, WORD flags, ScopedFuncDesc& found) noexcept {
    ScopedTypeAttr attr(info);
    HRESULT hr = attr.Load();
    if (FAILED(hr)) return hr;
    for (UINT i = 0; i < (*attr).cFuncs; ++i) {
        hr = found.Load(i);
        if (FAILED(hr)) return hr;
        if ((*found).memid == member && ((*found).invkind & flags) != 0) return S_OK;
    }
    found.Reset();
    return DISP_E_MEMBERNOTFOUND;
}

bool IsVariableReference(const VARIANT& arg) noexcept { return V_VT(&arg) == (VT_BYREF | VT_VARIANT); }

bool HasVariableReference(const DISPPARAMS& params) noexcept {
    for (UINT k = 0; k < params.cArgs; ++k) {
        if (IsVariableReference(params.rgvarg[k])) return true;
    }
    return false;
}

// Script engines may pass on a reference they were given, so a short chain
// is accepted; a longer one is taken for a cycle.
constexpr int kMaxReferenceChain = 8;

// The variable behind a by-reference variant, past a chain of references;
// nullptr when a link is null or the chain does not end.
VARIANT* ReferencedVariable(VARIANT& arg) noexcept {
    VARIANT* variable = &arg;
    for (int link = 0; link <= kMaxReferenceChain; ++link) {
        if (!IsVariableReference(*variable)) return variable;
        variable = V_VARIANTREF(variable);
        if (!variable) return nullptr;
    }
    return nullptr;
}

// Neither the type library nor the members can cope with a reference to
// nothing, and a reference cycle would never end: such calls stop here.
HRESULT CheckArguments(const DISPPARAMS* params) noexcept {
    if (!params) return E_INVALIDARG;
    if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
    if (params->cNamedArgs > params->cArgs) return E_INVALIDARG;
    if (params->cNamedArgs > 0 && !params->rgdispidNamedArgs) return E_INVALIDARG;
    for (UINT k = 0; k < params->cArgs; ++k) {
        VARIANT& arg = params->rgvarg[k];
        if ((V_VT(&arg) & VT_BYREF) && !V_BYREF(&arg)) return E_INVALIDARG;
        if (IsVariableReference(arg) && !ReferencedVariable(arg)) return E_INVALIDARG;
    }
    return S_OK;
}

// Declared parameter that rgvarg[k] fills, or -1. Positional arguments come
// last-first, after the named ones.
int ParameterIndex(const DISPPARAMS& params, UINT k, const FUNCDESC& desc) noexcept {
    const int index = k < params.cNamedArgs ? static_cast<int>(params.rgdispidNamedArgs[k])
                                            : static_cast<int>(params.cArgs - 1 - k);
    return index >= 0 && index < desc.cParams ? index : -1;
}

constexpr VARTYPE kNoTarget = VT_EMPTY;

// The type a by-reference parameter points at, when a plain value of that
// type can stand in for the caller's variable; kNoTarget otherwise.
VARTYPE ByReferenceTarget(const ELEMDESC& param) noexcept {
    if (param.tdesc.vt != VT_PTR || !param.tdesc.lptdesc) return kNoTarget;
    const VARTYPE target = param.tdesc.lptdesc->vt;
    switch (target) {
    case VT_BSTR: case VT_BOOL: case VT_I1: case VT_UI1: case VT_I2: case VT_UI2:
    case VT_I4: case VT_UI4: case VT_I8: case VT_UI8: case VT_INT: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DATE:
        return target;
    default:
        return kNoTarget;
    }
}

// Whether the callee wrote the argument. A string member frees the old string
// and stores a new one, so the pointer tells it, even for the same text (OK
// pressed without edits still hands the caller the dialog's text).
bool Written(const VARIANT& before, BSTR originalString, VARIANT& after) noexcept {
    if (V_VT(&after) == VT_BSTR) return V_BSTR(&after) != originalString;
    VARIANT copy = before;  // VarCmp takes non-const pointers; it reads only.
    return VarCmp(&copy, &after, LOCALE_INVARIANT, 0) != static_cast<HRESULT>(VARCMP_EQ);
}

// The caller's variable takes what the callee wrote into the argument, as a
// variant of its own (the script then owns the new string). An argument the
// callee did not write leaves the variable as it was, its type included.
void WriteBack(VARIANT& variable, const VARIANT& before, BSTR originalString,
               win32::unique_variant& after) noexcept {
    if (!Written(before, originalString, *after.get())) return;
    VariantClear(&variable);
    variable = after.release();
}

// Second attempt for a script caller: each variable passed by reference to a
// by-reference parameter is coerced into a temporary of the declared type,
// every other variable is passed by value, and after the call the
// temporaries go back into the caller's variables.
HRESULT InvokeWithVariablesUnwrapped(ITypeInfo* info, void* instance, DISPID member, WORD flags,
                                     const DISPPARAMS& params, VARIANT* result, EXCEPINFO* excepInfo,
                                     UINT* argErr) {
    ScopedFuncDesc desc(info);
    if (FAILED(FindMember(info, member, flags, desc))) return DISP_E_TYPEMISMATCH;

    const UINT count = params.cArgs;
    // Shallow copies: the caller keeps owning what its variants hold.
    std::vector<VARIANT> args(params.rgvarg, params.rgvarg + count);
    std::vector<win32::unique_variant> temporaries(count);
    std::vector<win32::unique_variant> before(count);
    std::vector<BSTR> originalStrings(count, nullptr);
    std::vector<VARIANT*> variables(count, nullptr);

    for (UINT k = 0; k < count; ++k) {
        if (!IsVariableReference(args[k])) continue;
        VARIANT* variable = ReferencedVariable(args[k]);
        if (!variable) return E_INVALIDARG;
        const int param = ParameterIndex(params, k, *desc);
        const VARTYPE target = param >= 0 ? ByReferenceTarget((*desc).lprgelemdescParam[param]) : kNoTarget;
        if (target == kNoTarget) {
            args[k] = *variable;
            continue;
        }
        if (FAILED(VariantChangeType(temporaries[k].get(), variable, 0, target))) {
            if (argErr) *argErr = k;
            return DISP_E_TYPEMISMATCH;
        }
        const HRESULT copied = VariantCopy(before[k].get(), temporaries[k].get());
        if (FAILED(copied)) return copied;
        if (target == VT_BSTR) originalStrings[k] = V_BSTR(temporaries[k].get());
        V_VT(&args[k]) = VT_BYREF | target;
        // Every member of the type list above sits at the start of the union.
        V_BYREF(&args[k]) = &V_UI1(temporaries[k].get());
        variables[k] = variable;
    }

    DISPPARAMS unwrapped{args.data(), params.rgdispidNamedArgs, count, params.cNamedArgs};
    const HRESULT hr = info->Invoke(instance, member, flags, &unwrapped, result, excepInfo, argErr);
    if (FAILED(hr)) return hr;
    for (UINT k = 0; k < count; ++k) {
        if (variables[k]) WriteBack(*variables[k], *before[k].get(), originalStrings[k], temporaries[k]);
    }
    return hr;
}

}  // namespace

HRESULT InvokeThroughTypeInfo(ITypeInfo* typeInfo, void* instance, DISPID member, WORD flags,
                              DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                              UINT* argErr) noexcept {
    HRESULT hr = CheckArguments(params);
    if (FAILED(hr)) return hr;
    hr = typeInfo->Invoke(instance, member, flags, params, result, excepInfo, argErr);
    if (hr != DISP_E_TYPEMISMATCH || !HasVariableReference(*params)) return hr;
    return com::GuardedCall([&] {
        return InvokeWithVariablesUnwrapped(typeInfo, instance, member, flags, *params, result,
                                            excepInfo, argErr);
    });
}

}  // namespace kvex::plugin
