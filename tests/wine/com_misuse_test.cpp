// Both classes called through IDispatch the way a careless host calls them:
// wrong argument counts and types, names and members that do not exist,
// wrong flags, malformed DISPPARAMS. Each case gets its own HRESULT and never
// a crash; a call whose arguments coerce (a number for a string) runs its
// dialog, which a closer thread ends at once.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "com_client.h"
#include "component_env.h"
#include "dispatch_args.h"
#include "handles.h"
#include "window_closer.h"

namespace kvex::testing {
namespace {


constexpr DISPID kPlugNameVersion = 1;
constexpr DISPID kShowDialog = 2;  // ShowFilterMakerDialog or ShowEditFilterDialog
constexpr UINT kNoArgErr = ~0u;

com_ptr<IDispatch> Create(const wchar_t* progId) {
    com_ptr<IDispatch> object;
    CLSID clsid{};
    if (SUCCEEDED(CLSIDFromProgID(progId, &clsid))) {
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.put_void());
    }
    return object;
}

struct Expected {
    HRESULT hr;
    UINT argErr = kNoArgErr;  // checked when set
    bool dialog = false;      // whether the call showed a window
};

// One call, with a closer watching for the dialog it may open; the outcome is
// printed, for the table of what each misuse returns.
struct Observed {
    InvokeOutcome outcome;
    long windows = 0;
};

Observed CallWatched(IDispatch* object, DISPID member, WORD flags, DISPPARAMS* params, const char* name) {
    Observed seen;
    {
        WindowCloser closer;
        seen.outcome = InvokeRaw(object, member, flags, params);
        seen.windows = closer.opened();
    }
    std::printf("misuse: %-58s %s%s\n", name, HresultName(seen.outcome.hr).c_str(),
                seen.windows ? " (dialog ran)" : "");
    return seen;
}

void Check(const Observed& seen, const Expected& expected) {
    EXPECT_EQ(HresultName(seen.outcome.hr), HresultName(expected.hr));
    if (expected.argErr != kNoArgErr) {
        EXPECT_EQ(seen.outcome.argErr, expected.argErr);
    }
    EXPECT_EQ(seen.windows > 0, expected.dialog) << seen.windows << " windows";
    if (SUCCEEDED(expected.hr)) {
        EXPECT_EQ(seen.outcome.resultType, VT_BOOL);
    }
}

struct ArgCase {
    const char* name;
    std::function<void(ArgList&)> args;
    Expected expected;
};

class DispatchMisuse : public ::testing::Test {
protected:
    void SetUp() override {
        fm = Create(kFilterMakerProgId);
        ef = Create(kEditFilterProgId);
        ASSERT_TRUE(fm && ef) << "the component is not registered";
        // Coerced strings name a folder relative to here; keep it private.
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        previousFolder_ = current;
        SetCurrentDirectoryW(folder_.path().c_str());
    }
    void TearDown() override { SetCurrentDirectoryW(previousFolder_.c_str()); }

    void RunAll(IDispatch* object, DISPID member, const std::vector<ArgCase>& cases) {
        for (const ArgCase& c : cases) {
            SCOPED_TRACE(c.name);
            ArgList args;
            c.args(args);
            DISPPARAMS params = args.Params();
            Check(CallWatched(object, member, DISPATCH_METHOD, &params, c.name), c.expected);
        }
    }

    com_ptr<IDispatch> fm, ef;
    TempFolder folder_;
    std::wstring previousFolder_;
};

TEST_F(DispatchMisuse, ArgumentCountsOutsideTheDeclarationAreRefusedBeforeAnyWindow) {
    RunAll(fm.get(), kShowDialog,
           {{"FM Show, one of the two required", [](ArgList& a) { a.Str(L""); }, {DISP_E_BADPARAMCOUNT}},
            {"FM Show, five arguments", [](ArgList& a) { a.Str(L"").Str(L"").Str(L"").Str(L"").Str(L""); },
             {DISP_E_BADPARAMCOUNT}},
            {"FM Show, optional ones passed as missing",
             [](ArgList& a) { a.Str(L"").Str(L"").Missing().Missing(); }, {S_OK, kNoArgErr, true}},
            {"FM Show, a required one passed as missing", [](ArgList& a) { a.Missing().Str(L""); },
             {DISP_E_TYPEMISMATCH}}});
    RunAll(fm.get(), kPlugNameVersion,
           {{"FM PlugNameVersion, one argument", [](ArgList& a) { a.Str(L"x"); }, {DISP_E_BADPARAMCOUNT}}});
    BSTR text = SysAllocString(L"*.htm");
    RunAll(ef.get(), kShowDialog,
           {{"EF Show, the text alone", [&](ArgList& a) { a.ByRef(VT_BSTR, &text); }, {DISP_E_BADPARAMCOUNT}}});
    EXPECT_EQ(std::wstring(text), L"*.htm") << "a refused call leaves the text alone";
    SysFreeString(text);
}

TEST_F(DispatchMisuse, TextParametersTakeWhatCoercesToTextAndRefuseTheRest) {
    com_ptr<IDispatch> other = Create(kEditFilterProgId);
    RunAll(fm.get(), kShowDialog,
           {{"FM Show, numbers for the texts", [](ArgList& a) { a.I4(5).R8(7.5); }, {S_OK, kNoArgErr, true}},
            {"FM Show, Empty for the texts", [](ArgList& a) { a.Empty().Empty(); }, {S_OK, kNoArgErr, true}},
            {"FM Show, Null for the default filter", [](ArgList& a) { a.Null().Str(L""); },
             {DISP_E_TYPEMISMATCH}},
            {"FM Show, an object without a value for the folder",
             [&](ArgList& a) { a.Str(L"").Object(other.get()); }, {DISP_E_TYPEMISMATCH}},
            {"FM Show, a Nothing object for the folder", [](ArgList& a) { a.Str(L"").Object(nullptr); },
             {DISP_E_BADVARTYPE}},
            {"FM Show, an array of strings for the default filter",
             [](ArgList& a) { a.StringArray(2).Str(L""); }, {DISP_E_TYPEMISMATCH}}});
}

TEST_F(DispatchMisuse, TheByReferenceTextTakesAVariableThatCoercesAndLeavesItAloneOnCancel) {
    struct RefCase {
        const char* name;
        std::function<void(VARIANT&)> fill;  // the caller's variable
        Expected expected;
    };
    com_ptr<IDispatch> other = Create(kFilterMakerProgId);
    const std::vector<RefCase> cases{
        {"EF Show, a number variable by reference",
         [](VARIANT& v) {
             V_VT(&v) = VT_I4;
             V_I4(&v) = 42;
         },
         {S_OK, kNoArgErr, true}},
        {"EF Show, a Null variable by reference", [](VARIANT& v) { V_VT(&v) = VT_NULL; }, {DISP_E_TYPEMISMATCH, 1}},
        {"EF Show, an object variable by reference",
         [&](VARIANT& v) {
             V_VT(&v) = VT_DISPATCH;
             V_DISPATCH(&v) = other.get();
             other->AddRef();
         },
         {DISP_E_TYPEMISMATCH, 1}},
    };
    for (const RefCase& c : cases) {
        SCOPED_TRACE(c.name);
        unique_variant variable;
        c.fill(*variable.get());
        const VARTYPE type = V_VT(variable.get());
        ArgList args;
        args.ByRef(VT_VARIANT, variable.get()).Bool(true);
        DISPPARAMS params = args.Params();
        const Observed seen = CallWatched(ef.get(), kShowDialog, DISPATCH_METHOD, &params, c.name);
        Check(seen, c.expected);
        // Closed by the close box, or refused: the variable is as it was.
        EXPECT_EQ(V_VT(variable.get()), type);
        if (type == VT_I4) {
            EXPECT_EQ(V_I4(variable.get()), 42);
        }
        if (SUCCEEDED(c.expected.hr)) {
            EXPECT_EQ(seen.outcome.boolResult, VARIANT_FALSE);
        }
    }

    // A text given by value where the member wants a reference.
    RunAll(ef.get(), kShowDialog,
           {{"EF Show, the text by value", [](ArgList& a) { a.Str(L"*.htm").Bool(true); }, {S_OK, kNoArgErr, true}}});
}

TEST_F(DispatchMisuse, ReferencesThatPointNowhereOrAtThemselvesAreRefused) {
    VARIANT self;
    V_VT(&self) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&self) = &self;
    RunAll(ef.get(), kShowDialog,
           {{"EF Show, a null string reference", [](ArgList& a) { a.ByRef(VT_BSTR, nullptr).Bool(true); },
             {E_INVALIDARG}},
            {"EF Show, a null variable reference", [](ArgList& a) { a.ByRef(VT_VARIANT, nullptr).Bool(true); },
             {E_INVALIDARG}},
            {"EF Show, a variable that refers to itself",
             [&](ArgList& a) { a.ByRef(VT_VARIANT, &self).Bool(true); }, {E_INVALIDARG}}});
}

TEST_F(DispatchMisuse, UnknownNamesMembersAndInvokeKindsAreRefused) {
    for (IDispatch* object : {fm.get(), ef.get()}) {
        LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"ShowNothing")};
        DISPID id = 0;
        EXPECT_EQ(HresultName(object->GetIDsOfNames(IID_IDispatch, unknown, 1, LOCALE_USER_DEFAULT, &id)),
                  "DISP_E_UNKNOWNINTERFACE");
        EXPECT_EQ(HresultName(object->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id)),
                  "DISP_E_UNKNOWNNAME");
        EXPECT_EQ(id, DISPID_UNKNOWN);
        EXPECT_EQ(MemberId(object, L"plugnameversion"), kPlugNameVersion) << "names are not case-sensitive";
    }
    // A member name with an argument name that the member does not have.
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"ShowFilterMakerDialog"), const_cast<LPOLESTR>(L"sFolder")};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(HresultName(fm->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids)), "DISP_E_UNKNOWNNAME");
    EXPECT_EQ(ids[0], kShowDialog);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    EXPECT_EQ(HresultName(fm->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, ids)), "E_INVALIDARG");
    EXPECT_EQ(HresultName(fm->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, nullptr)), "E_INVALIDARG");

    struct FlagCase {
        const char* name;
        DISPID member;
        WORD flags;
        bool putValue;
        Expected expected;
    };
    for (const FlagCase& c : {
             FlagCase{"FM, DISPID 0 (no default member)", DISPID_VALUE, DISPATCH_METHOD, false,
                      {DISP_E_MEMBERNOTFOUND}},
             FlagCase{"FM, DISPID 3", 3, DISPATCH_METHOD, false, {DISP_E_MEMBERNOTFOUND}},
             FlagCase{"FM PlugNameVersion, property put", kPlugNameVersion, DISPATCH_PROPERTYPUT, true,
                      {DISP_E_MEMBERNOTFOUND}},
             FlagCase{"FM PlugNameVersion, no invoke kind", kPlugNameVersion, 0, false, {DISP_E_MEMBERNOTFOUND}},
             FlagCase{"FM PlugNameVersion, property get", kPlugNameVersion, DISPATCH_PROPERTYGET, false,
                      {DISP_E_MEMBERNOTFOUND}},
         }) {
        SCOPED_TRACE(c.name);
        ArgList args;
        DISPID putId = DISPID_PROPERTYPUT;
        if (c.putValue) args.Str(L"x");
        DISPPARAMS params = args.Params();
        if (c.putValue) {
            params.rgdispidNamedArgs = &putId;
            params.cNamedArgs = 1;
        }
        Check(CallWatched(fm.get(), c.member, c.flags, &params, c.name), c.expected);
    }

    DISPPARAMS none{nullptr, nullptr, 0, 0};
    unique_variant result;
    EXPECT_EQ(HresultName(fm->Invoke(kPlugNameVersion, IID_IDispatch, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                     result.get(), nullptr, nullptr)),
              "DISP_E_UNKNOWNINTERFACE");
}

TEST_F(DispatchMisuse, NamedArgumentsMayNameOnlyDeclaredParameters) {
    struct NamedCase {
        const char* name;
        std::vector<DISPID> names;  // for the first arguments in rgvarg order
        Expected expected;
    };
    for (const NamedCase& c : {
             NamedCase{"FM Show, folder and default filter by name", {1, 0}, {S_OK, kNoArgErr, true}},
             NamedCase{"FM Show, an argument named 7", {7, 0}, {DISP_E_BADPARAMCOUNT}},
             NamedCase{"FM Show, the same name twice", {0, 0}, {DISP_E_BADPARAMCOUNT}},
         }) {
        SCOPED_TRACE(c.name);
        ArgList args;
        args.Str(L"").Str(L"");
        std::vector<DISPID> named = c.names;
        DISPPARAMS params = args.Params();
        params.rgdispidNamedArgs = named.data();
        params.cNamedArgs = static_cast<UINT>(named.size());
        Check(CallWatched(fm.get(), kShowDialog, DISPATCH_METHOD, &params, c.name), c.expected);
    }
}

TEST_F(DispatchMisuse, MalformedDispparamsAreRefusedAndOptionalOutputsMayBeNull) {
    VARIANT two[2];
    VariantInit(&two[0]);
    VariantInit(&two[1]);
    DISPID named[1] = {0};
    struct ParamCase {
        const char* name;
        DISPPARAMS* params;
        Expected expected;
    };
    DISPPARAMS noArray{nullptr, nullptr, 2, 0};
    DISPPARAMS noNames{two, nullptr, 2, 1};
    DISPPARAMS moreNamedThanArgs{two, named, 0, 1};
    for (const ParamCase& c : {ParamCase{"FM Show, no DISPPARAMS", nullptr, {E_INVALIDARG}},
                               ParamCase{"FM Show, two arguments without their array", &noArray, {E_INVALIDARG}},
                               ParamCase{"FM Show, a named argument without its name", &noNames, {E_INVALIDARG}},
                               ParamCase{"FM Show, more named arguments than arguments", &moreNamedThanArgs,
                                         {E_INVALIDARG}}}) {
        SCOPED_TRACE(c.name);
        Check(CallWatched(fm.get(), kShowDialog, DISPATCH_METHOD, c.params, c.name), c.expected);
    }

    // Result, exception record and argument index are optional outputs.
    ArgList args;
    args.Null().Str(L"");
    DISPPARAMS params = args.Params();
    EXPECT_EQ(HresultName(fm->Invoke(kShowDialog, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                     nullptr, nullptr)),
              "DISP_E_TYPEMISMATCH");
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(HresultName(fm->Invoke(kPlugNameVersion, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none,
                                     nullptr, nullptr, nullptr)),
              "S_OK");
}

}  // namespace
}  // namespace kvex::testing
