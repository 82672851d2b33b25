// A seeded random run of IDispatch::Invoke against both classes: random
// members, invoke kinds, argument counts, named arguments and VARTYPEs, by
// value and by reference. Any dialog that a coercible call opens is closed
// at once. The run must not crash, must answer only HRESULTs that Invoke
// documents, and must leave no object behind. KVEX_MISUSE_SEED and
// KVEX_MISUSE_CALLS change the run; a failure names the seed and call.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "com_client.h"
#include "component_env.h"
#include "dispatch_args.h"
#include "handles.h"
#include "window_closer.h"

namespace kvex::testing {
namespace {


unsigned long Setting(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtoul(text, nullptr, 0) : fallback;
}

// What IDispatch::Invoke may answer for a bad call, and what the members
// answer for a good one.
const std::set<HRESULT> kDocumented = {
    S_OK,
    DISP_E_BADPARAMCOUNT,
    DISP_E_BADVARTYPE,
    DISP_E_MEMBERNOTFOUND,
    DISP_E_NONAMEDARGS,
    DISP_E_OVERFLOW,
    DISP_E_PARAMNOTFOUND,
    DISP_E_PARAMNOTOPTIONAL,
    DISP_E_TYPEMISMATCH,
    E_INVALIDARG,
};

// Builds one random call; everything a by-reference argument points at lives
// here until the call has returned.
class RandomCall {
public:
    RandomCall(std::mt19937& random, IDispatch* someObject) : random_(random), object_(someObject) {}
    RandomCall(const RandomCall&) = delete;
    RandomCall& operator=(const RandomCall&) = delete;
    ~RandomCall() {
        for (VARIANT& v : targets_) VariantClear(&v);
        for (BSTR& b : strings_) SysFreeString(b);
    }

    DISPID Member() {
        static const DISPID members[] = {1, 2, 2, 2, 2, 1, 0, 3, -1, DISPID_PROPERTYPUT, 0x7fffffff};
        return Pick(members);
    }

    WORD Flags() {
        static const WORD flags[] = {DISPATCH_METHOD,
                                     DISPATCH_METHOD,
                                     DISPATCH_METHOD,
                                     DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                     DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                     DISPATCH_PROPERTYGET,
                                     DISPATCH_PROPERTYPUT,
                                     DISPATCH_PROPERTYPUTREF,
                                     0,
                                     0xffff};
        return Pick(flags);
    }

    void FillArguments(ArgList& args) {
        const int count = Below(7);
        for (int k = 0; k < count; ++k) args.Raw(Value(true));
    }

    // Named arguments for some calls: ids of declared and undeclared parameters.
    std::vector<DISPID> Names(UINT argCount) {
        std::vector<DISPID> names;
        if (argCount == 0 || Below(6) != 0) return names;
        static const DISPID ids[] = {0, 1, 2, 3, 7, -1, DISPID_PROPERTYPUT};
        const int count = 1 + Below(static_cast<int>(argCount));
        for (int k = 0; k < count; ++k) names.push_back(Pick(ids));
        return names;
    }

private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    template <class T, size_t N>
    T Pick(const T (&items)[N]) {
        return items[Below(static_cast<int>(N))];
    }

    BSTR Text() {
        static const wchar_t* const texts[] = {L"",     L"*.htm", L"a<b", L"[!a-",  L"True",
                                               L"12.5", L"-1",    L";",   L"\x00e9"};
        if (Below(8) == 0) return nullptr;  // the null BSTR, which means ""
        return SysAllocString(Pick(texts));
    }

    // A value of a random type; by-reference ones point into this call's storage.
    VARIANT Value(bool mayReference) {
        VARIANT v;
        VariantInit(&v);
        switch (Below(mayReference ? 23 : 17)) {
        case 0: break;
        case 1: V_VT(&v) = VT_NULL; break;
        case 2: V_VT(&v) = VT_I2; V_I2(&v) = static_cast<SHORT>(Below(65536) - 32768); break;
        case 3: V_VT(&v) = VT_I4; V_I4(&v) = static_cast<LONG>(random_()); break;
        case 4: V_VT(&v) = VT_R8; V_R8(&v) = (Below(3) == 0 ? 1e300 : 1.0) * (Below(2001) - 1000) / 7.0; break;
        case 5: V_VT(&v) = VT_BOOL; V_BOOL(&v) = static_cast<VARIANT_BOOL>(OneOf({-1, 0, 1, 5})); break;
        case 6: case 7: case 8: V_VT(&v) = VT_BSTR; V_BSTR(&v) = Text(); break;
        case 9:
            V_VT(&v) = VT_DISPATCH;
            V_DISPATCH(&v) = Below(3) == 0 ? nullptr : object_;
            if (V_DISPATCH(&v)) V_DISPATCH(&v)->AddRef();
            break;
        case 10:
            V_VT(&v) = VT_ERROR;
            V_ERROR(&v) = Below(2) ? DISP_E_PARAMNOTFOUND : E_FAIL;
            break;
        case 11: V_VT(&v) = VT_CY; V_CY(&v).int64 = static_cast<LONGLONG>(random_()) << 8; break;
        case 12: V_VT(&v) = VT_DATE; V_DATE(&v) = Below(100000) / 3.0; break;
        case 13:
            V_VT(&v) = Below(2) ? static_cast<VARTYPE>(VT_ARRAY | VT_BSTR) : static_cast<VARTYPE>(VT_ARRAY | VT_VARIANT);
            V_ARRAY(&v) = SafeArrayCreateVector(static_cast<VARTYPE>(V_VT(&v) & VT_TYPEMASK), 0, static_cast<ULONG>(Below(3)));
            break;
        case 14: V_VT(&v) = VT_UI1; V_UI1(&v) = static_cast<BYTE>(Below(256)); break;
        case 15: V_VT(&v) = VT_I8; V_I8(&v) = static_cast<LONGLONG>(random_()) * 1000003; break;
        case 16:
            // Types a VARIANT may not hold, with whatever their pointers say.
            V_VT(&v) = OneOf<VARTYPE>({VT_RECORD, VT_VOID, VT_PTR, VT_CLSID, VT_VECTOR | VT_I4, 0x7f, 0xfff});
            V_BYREF(&v) = nullptr;
            break;
        // By reference: a script's variable, a typed pointer, or a null one.
        case 17: case 18: case 19:
            V_VT(&v) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&v) = Target();
            break;
        case 20:
            V_VT(&v) = VT_BYREF | VT_BSTR;
            strings_.push_back(Text());
            V_BSTRREF(&v) = &strings_.back();
            break;
        case 21:
            V_VT(&v) = VT_BYREF | VT_I4;
            targets_.push_back(VARIANT{});
            VariantInit(&targets_.back());
            V_BYREF(&v) = &V_I4(&targets_.back());
            break;
        default:
            V_VT(&v) = static_cast<VARTYPE>(VT_BYREF | OneOf({VT_VARIANT, VT_BSTR, VT_I4, VT_BOOL}));
            V_BYREF(&v) = nullptr;
            break;
        }
        return v;
    }

    VARIANT* Target() {
        targets_.push_back(Value(false));
        return &targets_.back();
    }

    template <class T>
    T OneOf(std::initializer_list<T> items) {
        return *(items.begin() + Below(static_cast<int>(items.size())));
    }

    std::mt19937& random_;
    IDispatch* object_;
    // Stable addresses: by-reference arguments point in here.
    std::deque<VARIANT> targets_;
    std::deque<BSTR> strings_;
};

HRESULT CanUnloadNow() {
    using Fn = HRESULT(STDAPICALLTYPE*)();
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(PinnedComponent(), "DllCanUnloadNow")));
    return fn ? fn() : E_NOTIMPL;
}

com_ptr<IDispatch> Create(const wchar_t* progId) {
    com_ptr<IDispatch> object;
    CLSID clsid{};
    if (SUCCEEDED(CLSIDFromProgID(progId, &clsid))) {
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void());
    }
    return object;
}

TEST(RandomDispatch, ThousandsOfRandomCallsAnswerOnlyDocumentedHresultsAndLeaveNoObjectBehind) {
    const unsigned long seed = Setting("KVEX_MISUSE_SEED", 20240611);
    const unsigned long calls = Setting("KVEX_MISUSE_CALLS", 8000);
    ASSERT_EQ(CanUnloadNow(), S_OK) << "an earlier test left an object of the component alive";
    // Coerced strings may name a folder relative to here; keep it private.
    TempFolder scratch;
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(scratch.path().c_str());

    std::map<HRESULT, unsigned long> histogram;
    long dialogs = 0;
    const auto started = std::chrono::steady_clock::now();
    {
        com_ptr<IDispatch> objects[] = {Create(kFilterMakerProgId), Create(kEditFilterProgId)};
        ASSERT_TRUE(objects[0] && objects[1]) << "the component is not registered";
        std::mt19937 random(seed);
        WindowCloser closer;
        for (unsigned long n = 0; n < calls; ++n) {
            IDispatch* object = objects[random() % 2].get();
            RandomCall call(random, objects[random() % 2].get());
            ArgList args;
            const DISPID member = call.Member();
            const WORD flags = call.Flags();
            call.FillArguments(args);
            DISPPARAMS params = args.Params();
            std::vector<DISPID> names = call.Names(params.cArgs);
            params.cNamedArgs = static_cast<UINT>(names.size());
            params.rgdispidNamedArgs = names.empty() ? nullptr : names.data();
            const InvokeOutcome got = InvokeRaw(object, member, flags, &params);
            ++histogram[got.hr];
            if (!kDocumented.count(got.hr)) {
                ADD_FAILURE() << "call " << n << " of seed " << seed << " (DISPID " << member << ", flags 0x"
                              << std::hex << flags << std::dec << ", " << params.cArgs << " arguments, "
                              << params.cNamedArgs << " named) answered " << HresultName(got.hr);
            }
            if (got.hr == S_OK && got.resultType != VT_BOOL && got.resultType != VT_BSTR) {
                ADD_FAILURE() << "call " << n << " of seed " << seed << " succeeded with a result of type "
                              << got.resultType;
            }
        }
        dialogs = closer.opened();
    }
    SetCurrentDirectoryW(previous);
    const auto seconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count() /
        1000.0;

    std::printf("random dispatch: seed %lu, %lu calls in %.1f s, %ld windows closed\n", seed, calls, seconds,
                dialogs);
    for (const auto& [hr, count] : histogram) std::printf("  %-26s %lu\n", HresultName(hr).c_str(), count);
    EXPECT_GT(histogram[S_OK], 0u) << "no call got through: the run tried nothing that works";
    EXPECT_GT(dialogs, 0) << "no call ran a dialog";
    EXPECT_EQ(CanUnloadNow(), S_OK) << "the calls left an object or a reference behind";
}

}  // namespace
}  // namespace kvex::testing
