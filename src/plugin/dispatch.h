#pragma once
// The one IDispatch of the server: every member call goes through the type
// info of the dual interface, so the vtable is the only member list.
#include <windows.h>
#include <oaidl.h>

#include <new>

#include "com_util.h"
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

// IUnknown and IDispatch for a dual interface; the derived class implements
// the interface's own members.
template <class Interface>
class DispatchObject : public Interface {
public:
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        static const win32::QiEntry table[] = {
            win32::QiEntryOf<DispatchObject, Interface>(__uuidof(Interface)),
            win32::QiEntryOf<DispatchObject, IDispatch>(IID_IDispatch),
        };
        return win32::QueryInterfaceTable(this, table, riid, object);
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) override {
        if (!typeInfo) return E_POINTER;
        *typeInfo = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        win32::com_ptr<ITypeInfo> info;
        const HRESULT hr = InterfaceTypeInfo(__uuidof(Interface), info);
        if (SUCCEEDED(hr)) *typeInfo = info.detach();
        return hr;
    }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        // The type info reads both arrays without asking.
        if (!names || !ids) return E_INVALIDARG;
        for (UINT k = 0; k < count; ++k) {
            if (!names[k]) return E_INVALIDARG;
        }
        win32::com_ptr<ITypeInfo> info;
        const HRESULT hr = InterfaceTypeInfo(__uuidof(Interface), info);
        if (FAILED(hr)) return hr;
        return info->GetIDsOfNames(names, count, ids);
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override {
        if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
        win32::com_ptr<ITypeInfo> info;
        const HRESULT hr = InterfaceTypeInfo(__uuidof(Interface), info);
        if (FAILED(hr)) return hr;
        return InvokeThroughTypeInfo(info.get(), static_cast<Interface*>(this), member, flags, params,
                                     result, excepInfo, argErr);
    }

protected:
    DispatchObject() noexcept { ObjectCreated(); }
    virtual ~DispatchObject() { ObjectDestroyed(); }

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
