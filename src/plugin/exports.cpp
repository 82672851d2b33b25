// The DLL's entry points. Each catches everything and answers an HRESULT.
#include <windows.h>
#include <olectl.h>

#include "classes.h"
#include "com_util.h"
#include "module.h"
#include "registration.h"
#include "type_library.h"

// Thread notifications stay on: the per-thread platform state of the forms
// relies on thread-exit cleanup.
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) kvex::plugin::SetModuleHandle(module);
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    const kvex::plugin::PublicClass* entry = kvex::plugin::FindPublicClass(clsid);
    if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
    return kvex::plugin::CreateClassFactory(entry->create, riid, object);
}

STDAPI DllCanUnloadNow() {
    if (!kvex::plugin::CanUnload()) return S_FALSE;
    // The library is about to go: drop the type infos it holds of itself.
    kvex::plugin::ReleaseTypeInfoCache();
    return S_OK;
}

STDAPI DllRegisterServer() { return kvex::plugin::RegisterServer(kvex::plugin::RegistrationScope::Machine); }

STDAPI DllUnregisterServer() { return kvex::plugin::UnregisterServer(kvex::plugin::RegistrationScope::Machine); }

// regsvr32 /i:user [/n] registers for the current user only; no command line
// means the machine, as DllRegisterServer.
STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {
    using kvex::plugin::RegistrationScope;
    RegistrationScope scope = RegistrationScope::Machine;
    if (commandLine && *commandLine) {
        if (lstrcmpiW(commandLine, L"user") != 0) return E_INVALIDARG;
        scope = RegistrationScope::User;
    }
    return install ? kvex::plugin::RegisterServer(scope) : kvex::plugin::UnregisterServer(scope);
}
