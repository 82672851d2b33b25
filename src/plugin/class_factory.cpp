#include "class_factory.h"

#include <new>

#include "com_util.h"
#include "module.h"
#include "qi_table.h"

namespace kvex::plugin {
namespace {

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(CreateFunction create) noexcept : create_(create) { ObjectCreated(); }
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        static const win32::QiEntry table[] = {win32::QiEntryOf<ClassFactory, IClassFactory>(IID_IClassFactory)};
        return win32::QueryInterfaceTable(this, table, riid, object);
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return create_(riid, object);
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        LockModule(lock != FALSE);
        return S_OK;
    }

private:
    ~ClassFactory() { ObjectDestroyed(); }

    CreateFunction create_;
    LONG refs_ = 1;
};

}  // namespace

HRESULT CreateClassFactory(CreateFunction create, REFIID riid, void** object) noexcept {
    if (!object) return E_POINTER;
    *object = nullptr;
    win32::com_ptr<ClassFactory> factory(new (std::nothrow) ClassFactory(create));
    if (!factory) return E_OUTOFMEMORY;
    return factory->QueryInterface(riid, object);
}

}  // namespace kvex::plugin
