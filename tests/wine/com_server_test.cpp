// The COM server around the dialogs: when it may be unloaded, what its
// objects answer to QueryInterface and GetTypeInfo, and the registration
// details the runner's regsvr32 checks leave out. Misuse of IDispatch:
// com_misuse_test.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "com_client.h"
#include "component_env.h"
#include "dispatch_args.h"
#include "handles.h"

namespace kvex::testing {
namespace {


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

TEST_F(ComServer, ClassObjectsLocksAndAThousandObjectsOfEachClassKeepTheServerAndLeaveNoCountBehind) {
    ASSERT_EQ(canUnloadNow(), S_OK) << "an earlier test left an object of the component alive";
    constexpr int kObjects = 1000;
    for (const CLSID& clsid : {fm, ef}) {
        SCOPED_TRACE(GuidText(clsid));
        com_ptr<IClassFactory> factory = Factory(clsid);
        ASSERT_TRUE(factory);
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "a class object alone keeps the server";
        ASSERT_EQ(factory->LockServer(TRUE), S_OK);
        factory.reset();
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "a lock alone keeps the server";

        std::vector<com_ptr<IUnknown>> held;
        factory = Factory(clsid);
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
        for (size_t k = 0; k + 1 < held.size(); ++k) {
            held[k].reset();
            ASSERT_EQ(canUnloadNow(), S_FALSE);
        }
        com_ptr<IDispatch> last;  // a second reference, which outlives the first
        ASSERT_EQ(held.back()->QueryInterface(IID_IDispatch, last.put_void()), S_OK);
        held.back().reset();
        factory = Factory(clsid);
        ASSERT_TRUE(factory);
        for (int i = 0; i <= kObjects; ++i) {
            ASSERT_EQ(factory->LockServer(FALSE), S_OK);
            ASSERT_EQ(canUnloadNow(), S_FALSE);
        }
        factory.reset();
        EXPECT_EQ(canUnloadNow(), S_FALSE) << "an object alone keeps the server";
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        const InvokeOutcome got = InvokeRaw(last.get(), 1, DISPATCH_METHOD, &none);  // PlugNameVersion
        EXPECT_EQ(HresultName(got.hr), "S_OK");
        EXPECT_EQ(got.resultType, VT_BSTR);
        last.reset();
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

TEST_F(ComServer, ObjectsAnswerTheirDualInterfaceOnlyDescribeItAndTellTheirNameThroughEither) {
    struct Case {
        CLSID clsid;
        IID dual;
        IID otherDual;
        const wchar_t* progId;
    };
    for (const Case& c : {Case{fm, IID_clsFMfilterDual, IID_clsEFfilterDual, kFilterMakerProgId},
                          Case{ef, IID_clsEFfilterDual, IID_clsFMfilterDual, kEditFilterProgId}}) {
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

        UINT count = 0;
        EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, 1u);
        com_ptr<ITypeInfo> info;
        ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()), S_OK);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->guid, c.dual);
        info->ReleaseTypeAttr(attr);
        EXPECT_EQ(object->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.put()), DISP_E_BADINDEX);

        for (Binding binding : {Binding::Early, Binding::Late}) {
            const CallResult name = CallPlugNameVersion(c.progId, binding);
            EXPECT_EQ(name.hr, S_OK);
            EXPECT_EQ(name.text, L"kvexfilt\t1.0.0");
        }
    }
}

// What tools/wine-test.sh does not see of registration through regsvr32:
// the type library keys, and DllInstall's answers to repeats and to a scope
// it does not know.
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
    }
    // Whatever a test did, the run goes on with the machine-wide registration.
    void TearDown() override {
        if (registerServer) {
            EXPECT_EQ(registerServer(), S_OK);
        }
    }

    DllNoArgsFn registerServer = nullptr;
    DllNoArgsFn unregisterServer = nullptr;
    DllInstallFn install = nullptr;
};

TEST_F(Registration, ClassesNameTheirTypeLibraryAndRepeatsAreHarmless) {
    ASSERT_EQ(registerServer(), S_OK);
    const std::wstring libId = ReadString(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(fm) + L"\\TypeLib");
    ASSERT_NE(libId, L"<missing>");
    for (const CLSID& clsid : {fm, ef}) {
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(clsid) + L"\\TypeLib"), libId);
        EXPECT_EQ(ReadString(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(clsid) + L"\\VERSION"), L"3.1");
    }
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + libId + L"\\3.1"));
    for (const IID& dual : {IID_clsFMfilterDual, IID_clsEFfilterDual}) {
        EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"Interface\\" + GuidText(dual)));
    }
    ASSERT_EQ(unregisterServer(), S_OK);
    EXPECT_EQ(unregisterServer(), S_OK) << "removing what is gone is no error";

    EXPECT_EQ(install(TRUE, L"USER"), S_OK) << "the scope is not case-sensitive";
    EXPECT_EQ(install(FALSE, L"user"), S_OK);
    EXPECT_EQ(install(FALSE, L"user"), S_OK) << "removing what is gone is no error";
    EXPECT_EQ(install(TRUE, L"everyone"), E_INVALIDARG);
}

}  // namespace
}  // namespace kvex::testing
