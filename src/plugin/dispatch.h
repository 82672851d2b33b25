#pragma once
// The one IDispatch of the server: every member call goes through the type
// info of the dual interface, so the vtable is the only member list.
#include <windows.h>
#include <oaidl.h>

#include <new>
#include <utility>

#include "com_util.h"
#include "error_info.h"
#include "module.h"
#include "qi_table.h"
#include "type_library.h"

namespace kvex::plugin {

// ITypeInfo::Invoke that also takes script callers' by-reference variables.
// The members it calls never answer DISP_E_TYPEMISMATCH themselves, so a
// retry after that answer cannot run a dialog twice. Malformed DISPPARAMS
// (null arrays, null references, reference cycles) get E_INVALIDARG.
HRESULT InvokeThroughTypeInfo(ITypeInfo* typeInfo, void* instance, DISPID member, WORD flags,
                              DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                              UINT* argErr) noexcept;

// IUnknown, IDispatch and ISupportErrorInfo for a dual interface; the
// derived class implements the interface's own members through Guarded, so
// that each failure also carries its text.
template <class Interface>
class DispatchObject : public Interface, public ISupportErrorInfo {
public:
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        static const win32::QiEntry table[] = {
            win32::QiEntryOf<DispatchObject, Interface>(__uuidof(Interface)),
            win32::QiEntryOf<DispatchObject, IDispatch>(IID_IDispatch),
            win32::QiEntryOf<DispatchObject, ISupportErrorInfo>(IID_ISupportErrorInfo),
        };
        return win32::QueryInterfaceTable(this, table, riid, object);
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
        return IsEqualIID(riid, __uuidof(Interface)) ? S_OK : S_FALSE;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return Reported(E_POINTER);
        *count = 1;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) override {
        if (!typeInfo) return Reported(E_POINTER);
        *typeInfo = nullptr;
        if (index != 0) return Reported(DISP_E_BADINDEX);
        win32::com_ptr<ITypeInfo> info;
        const HRESULT hr = InterfaceTypeInfo(__uuidof(Interface), info);
        if (SUCCEEDED(hr)) *typeInfo = info.detach();
        return Reported(hr);
    }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (!IsEqualIID(riid, IID_NULL)) return Reported(DISP_E_UNKNOWNINTERFACE);
        // The type info reads both arrays without asking.
        if (!names || !ids) return Reported(E_INVALIDARG);
        for (UINT k = 0; k < count; ++k) {
            if (!names[k]) return Reported(E_INVALIDARG);
        }
        win32::com_ptr<ITypeInfo> info;
        const HRESULT hr = InterfaceTypeInfo(__uuidof(Interface), info);
        if (FAILED(hr)) return Reported(hr);
        return Reported(info->GetIDsOfNames(names, count, ids));
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override {
        if (!IsEqualIID(riid, IID_NULL)) return Reported(DISP_E_UNKNOWNINTERFACE);
        win32::com_ptr<ITypeInfo> info;
        HRESULT hr = InterfaceTypeInfo(__uuidof(Interface), info);
        if (FAILED(hr)) return Reported(hr);
        hr = InvokeThroughTypeInfo(info.get(), static_cast<Interface*>(this), member, flags, params, result,
                                   excepInfo, argErr);
        // The member that failed has already said why, in the exception record too.
        return hr == DISP_E_EXCEPTION ? hr : Reported(hr);
    }

protected:
    DispatchObject() noexcept { ObjectCreated(); }
    virtual ~DispatchObject() { ObjectDestroyed(); }

    static HRESULT Reported(HRESULT hr) noexcept { return ReportError(hr, __uuidof(Interface)); }

    // A member's body, whose result is the HRESULT: no exception gets out,
    // and a failure carries its text.
    template <class Body>
    static HRESULT Guarded(Body&& body) noexcept {
        return Reported(com::GuardedCall(std::forward<Body>(body)));
    }

    // Held by a member that runs a dialog: the host's own code runs in the
    // modal loop (a timer, a window of its own) and may release its last
    // reference before the call returns.
    win32::com_ptr<Interface> KeepAlive() noexcept {
        AddRef();
        return win32::com_ptr<Interface>(this);
    }

private:
    LONG refs_ = 1;
};

// Creates a T and hands out the interface asked for; that is its only reference.
template <class T>
HRESULT CreateInstance(REFIID riid, void** object) noexcept {
    if (!object) return E_POINTER;
    *object = nullptr;
    win32::com_ptr<T> instance(new (std::nothrow) T());
    if (!instance) return E_OUTOFMEMORY;
    return instance->QueryInterface(riid, object);
}

}  // namespace kvex::plugin
