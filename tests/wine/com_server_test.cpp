// The COM server around the dialogs: when it may be unloaded, what its
// objects answer to QueryInterface and GetTypeInfo, and that registration
// writes and removes the same keys. Misuse of IDispatch: com_misuse_test.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "com_client.h"
#include "component_env.h"
#include "handles.h"
#include "plugin/com_util.h"

namespace kvex::testing {
namespace {

using com::com_ptr;
using com::unique_hkey;

using DllGetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using DllNoArgsFn = HRESULT(STDAPICALLTYPE*)();
using DllInstallFn = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);

template <class Fn>
Fn Export(const char* name) {
    HMODULE module = PinnedComponent();
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

CLSID ClassId(const wchar_t* progId) {
    CLSID clsid = CLSID_NULL;
    CLSIDFromProgID(progId, &clsid);
    return clsid;
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

bool KeyExists(HKEY root, const std::wstring& path) {
    unique_hkey key;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

// The string value, or "<missing>".
std::wstring ReadString(HKEY root, const std::wstring& path, const wchar_t* name = nullptr) {
    wchar_t data[1024] = {};
    DWORD bytes = sizeof(data) - sizeof(wchar_t);
    if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &bytes) != ERROR_SUCCESS)
        return L"<missing>";
    return data;
}

class ComServer : public ::testing::Test {
protected:
    void SetUp() override {
        getClassObject = Export<DllGetClassObjectFn>("DllGetClassObject");
        canUnloadNow = Export<DllNoArgsFn>("DllCanUnloadNow");
        ASSERT_NE(getClassObject, nullptr) << "the component is not registered or does not load";
        ASSERT_NE(canUnloadNow, nullptr);
        fm = ClassId(kFilterMakerProgId);
        ef = ClassId(kEditFilterProgId);
        ASSERT_NE(fm, CLSID_NULL);
        ASSERT_NE(ef, CLSID_NULL);
    }

    com_ptr<IClassFactory> Factory(REFCLSID clsid) {
        com_ptr<IClassFactory> factory;
        EXPECT_EQ(getClassObject(clsid, IID_IClassFactory, factory.put_void()), S_OK);
        return factory;
    }

    com_ptr<IDispatch> Create(REFCLSID clsid) {
        com_ptr<IDispatch> object;
        com_ptr<IClassFactory> factory = Factory(clsid);
        if (factory) {
            EXPECT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.put_void()), S_OK);
        }
        return object;
    }

    DllGetClassObjectFn getClassObject = nullptr;
    DllNoArgsFn canUnloadNow = nullptr;
    CLSID fm = CLSID_NULL;
    CLSID ef = CLSID_NULL;
};

TEST_F(ComServer, StaysLoadedWhileAnyObjectFactoryOrLockIsAlive) {
    ASSERT_EQ(canUnloadNow(), S_OK) << "an earlier test left an object of the component alive";

    com_ptr<IClassFactory> factory = Factory(fm);
    ASSERT_TRUE(factory);
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a class object alone keeps the server";
    com_ptr<IDispatch> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.put_void()), S_OK);
    factory.reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "an object alone keeps the server";
    com_ptr<IDispatch> second = com_ptr<IDispatch>::copy_from(object.get());
    object.reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "released while another reference remained";
    second.reset();
    EXPECT_EQ(canUnloadNow(), S_OK);

    factory = Factory(ef);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a lock alone keeps the server";
    factory = Factory(ef);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    factory.reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ComServer, AThousandObjectsOfEachClassAndAsManyLocksLeaveNoCountBehind) {
    ASSERT_EQ(canUnloadNow(), S_OK) << "an earlier test left an object of the component alive";
    constexpr int kObjects = 1000;
    for (const CLSID& clsid : {fm, ef}) {
        SCOPED_TRACE(GuidText(clsid));
        std::vector<com_ptr<IUnknown>> held;
        com_ptr<IClassFactory> factory = Factory(clsid);
        ASSERT_TRUE(factory);
        for (int i = 0; i < kObjects; ++i) {
            com_ptr<IDispatch> viaCom, viaFactory;
            ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, viaCom.put_void()),
                      S_OK);
            ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, viaFactory.put_void()), S_OK);
            // Each object also answers for its other interfaces, which must
            // hand back what they take.
            com_ptr<IUnknown> identity;
            ASSERT_EQ(viaFactory->QueryInterface(IID_IUnknown, identity.put_void()), S_OK);
            held.push_back(com_ptr<IUnknown>::copy_from(viaCom.get()));
            held.push_back(std::move(identity));
            ASSERT_EQ(factory->LockServer(TRUE), S_OK);
        }
        factory.reset();
        // Let go in an order unlike the one of creation, asking after each step.
        std::shuffle(held.begin(), held.end(), std::mt19937(7));
        for (com_ptr<IUnknown>& object : held) {
            object.reset();
            ASSERT_EQ(canUnloadNow(), S_FALSE) << "the locks are still held";
        }
        factory = Factory(clsid);
        ASSERT_TRUE(factory);
        for (int i = 0; i < kObjects; ++i) {
            ASSERT_EQ(factory->LockServer(FALSE), S_OK);
            ASSERT_EQ(canUnloadNow(), S_FALSE) << "the class object is still held";
        }
        factory.reset();
        EXPECT_EQ(canUnloadNow(), S_OK) << "every object and lock is gone";
    }
}

TEST_F(ComServer, ClassObjectsServeOnlyTheirClassesAndRefuseAggregation) {
    com_ptr<IUnknown> unknown;
    EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, unknown.put_void()), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(unknown);

    com_ptr<IClassFactory> factory = Factory(fm);
    ASSERT_TRUE(factory);
    com_ptr<IUnknown> outer;
    ASSERT_EQ(factory->QueryInterface(IID_IUnknown, outer.put_void()), S_OK);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(outer.get(), IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(ComServer, ObjectsAnswerTheirDualInterfaceAndItsBasesOnly) {
    struct Case {
        CLSID clsid;
        IID dual;
        IID otherDual;
    };
    for (const Case& c : {Case{fm, IID_clsFMfilterDual, IID_clsEFfilterDual},
                          Case{ef, IID_clsEFfilterDual, IID_clsFMfilterDual}}) {
        SCOPED_TRACE(GuidText(c.clsid));
        com_ptr<IDispatch> object = Create(c.clsid);
        ASSERT_TRUE(object);
        com_ptr<IUnknown> identity, again, dual, other;
        EXPECT_EQ(object->QueryInterface(IID_IUnknown, identity.put_void()), S_OK);
        EXPECT_EQ(object->QueryInterface(c.dual, dual.put_void()), S_OK);
        ASSERT_TRUE(dual);
        EXPECT_EQ(dual->QueryInterface(IID_IUnknown, again.put_void()), S_OK);
        EXPECT_EQ(identity.get(), again.get()) << "one object, one identity";
        EXPECT_EQ(object->QueryInterface(c.otherDual, other.put_void()), E_NOINTERFACE);
        EXPECT_EQ(object->QueryInterface(IID_IClassFactory, other.put_void()), E_NOINTERFACE);
        EXPECT_FALSE(other);
    }
}

TEST_F(ComServer, TypeInfoDescribesTheDualInterfaceBeforeAnyCall) {
    for (const auto& [clsid, dual] : {std::pair{fm, IID_clsFMfilterDual}, std::pair{ef, IID_clsEFfilterDual}}) {
        com_ptr<IDispatch> object = Create(clsid);
        ASSERT_TRUE(object);
        UINT count = 0;
        EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, 1u);
        com_ptr<ITypeInfo> info;
        ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()), S_OK);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->guid, dual);
        info->ReleaseTypeAttr(attr);
        EXPECT_EQ(object->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.put()), DISP_E_BADINDEX);
    }
}

// Registration keys of one class, as HKCR or HKCU\Software\Classes hold them.
struct ClassKeys {
    std::wstring clsidKey;
    std::wstring progIdKey;
};

class Registration : public ComServer {
protected:
    void SetUp() override {
        ComServer::SetUp();
        registerServer = Export<DllNoArgsFn>("DllRegisterServer");
        unregisterServer = Export<DllNoArgsFn>("DllUnregisterServer");
        install = Export<DllInstallFn>("DllInstall");
        ASSERT_NE(registerServer, nullptr);
        ASSERT_NE(unregisterServer, nullptr);
        ASSERT_NE(install, nullptr);
        libId = ReadString(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(fm) + L"\\TypeLib");
        ASSERT_NE(libId, L"<missing>");
    }
    // Whatever a test did, the run goes on with the machine-wide registration.
    void TearDown() override {
        if (registerServer) {
            EXPECT_EQ(registerServer(), S_OK);
        }
    }

    std::vector<ClassKeys> Classes() const {
        return {{L"CLSID\\" + GuidText(fm), kFilterMakerProgId}, {L"CLSID\\" + GuidText(ef), kEditFilterProgId}};
    }

    DllNoArgsFn registerServer = nullptr;
    DllNoArgsFn unregisterServer = nullptr;
    DllInstallFn install = nullptr;
    std::wstring libId;
};

TEST_F(Registration, MachineRegistrationIsRepeatableAndItsRemovalComplete) {
    const std::wstring serverPath = ReadString(HKEY_CLASSES_ROOT, Classes()[0].clsidKey + L"\\InprocServer32");
    ASSERT_EQ(registerServer(), S_OK);
    ASSERT_EQ(registerServer(), S_OK) << "a second registration is harmless";
    for (const ClassKeys& c : Classes()) {
        SCOPED_TRACE(c.progIdKey);
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, c.clsidKey + L"\\InprocServer32"), serverPath);
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, c.clsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, c.clsidKey + L"\\ProgID"), c.progIdKey);
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, c.clsidKey + L"\\TypeLib"), libId);
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, c.clsidKey + L"\\VERSION"), L"3.1");
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, c.progIdKey + L"\\CLSID"), c.clsidKey.substr(6));
    }
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + libId + L"\\3.1"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"Interface\\" + GuidText(IID_clsFMfilterDual)));

    ASSERT_EQ(unregisterServer(), S_OK);
    for (const ClassKeys& c : Classes()) {
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, c.clsidKey)) << c.progIdKey;
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, c.progIdKey));
    }
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + libId));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Interface\\" + GuidText(IID_clsFMfilterDual)));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"Interface\\" + GuidText(IID_clsEFfilterDual)));
    EXPECT_EQ(unregisterServer(), S_OK) << "removing what is gone is no error";
}

TEST_F(Registration, PerUserInstallWritesUnderTheUsersClassesAndRemovesIt) {
    unique_hkey userClasses;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_READ, nullptr,
                              userClasses.put(), nullptr),
              ERROR_SUCCESS);
    const std::wstring serverPath = ReadString(HKEY_CLASSES_ROOT, Classes()[0].clsidKey + L"\\InprocServer32");

    ASSERT_EQ(install(TRUE, L"user"), S_OK);
    for (const ClassKeys& c : Classes()) {
        SCOPED_TRACE(c.progIdKey);
        EXPECT_EQ(ReadString(userClasses.get(), c.clsidKey + L"\\InprocServer32"), serverPath);
        EXPECT_EQ(ReadString(userClasses.get(), c.clsidKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_EQ(ReadString(userClasses.get(), c.progIdKey + L"\\CLSID"), c.clsidKey.substr(6));
    }
    EXPECT_EQ(install(TRUE, L"USER"), S_OK) << "the word is not case-sensitive, and twice is harmless";

    ASSERT_EQ(install(FALSE, L"user"), S_OK);
    for (const ClassKeys& c : Classes()) {
        EXPECT_FALSE(KeyExists(userClasses.get(), c.clsidKey)) << c.progIdKey;
        EXPECT_FALSE(KeyExists(userClasses.get(), c.progIdKey));
    }
    EXPECT_EQ(install(FALSE, L"user"), S_OK) << "removing what is gone is no error";
    EXPECT_EQ(install(TRUE, L"everyone"), E_INVALIDARG);
}

}  // namespace
}  // namespace kvex::testing
