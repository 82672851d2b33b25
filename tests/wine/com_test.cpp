// Hosts calling both classes: each binding once with what OK and Cancel hand
// back, the arguments the component itself refuses, and the server's life
// around class objects, locks, released objects and nested calls.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "common/temp_folder.h"
#include "component.h"
#include "module_path.h"
#include "ui/edit_filter_design.h"
#include "ui/filter_maker_design.h"

namespace kvex::testing {
namespace {

using FM = ui::FilterMakerDesign;
using EF = ui::EditFilterDesign;

const std::wstring kFilterMakerCaption = win32::Utf8ToWide(FM::kForm.caption);
const std::wstring kEditFilterCaption = win32::Utf8ToWide(EF::kForm.caption);

TEST(Calls, FilterMakerArgumentsReachTheDialogAndOkWritesTheListTheHostReads) {
    for (Binding binding : {Binding::Early, Binding::Late}) {
        const bool withListFile = binding == Binding::Early;  // late-bound, the optional ones are left out
        SCOPED_TRACE(withListFile ? "early, four arguments" : "late, two arguments");
        TempFolder folder;
        WriteBytes(folder / L"filters.dlk", CrLfLines({"*.txt", "*.log"}));
        WriteBytes(folder / L"web.plk", CrLfLines({"*.c;*.h", "*.css"}));
        const std::wstring listFile = withListFile ? (folder / L"web.plk").wstring() : L"";
        DialogCall call(
            [&] { return ShowFilterMaker(binding, folder.path().wstring(), L"*.c;*.h", L"*.log", listFile); });
        HWND window = call.WaitForWindow(withListFile ? L"Filter Maker - (web.plk)" : kFilterMakerCaption);
        ASSERT_TRUE(window);
        const Lines shown = withListFile ? Lines{"*.c;*.h", "*.css"} : Lines{"*.c;*.h", "*.txt", "*.log"};
        EXPECT_EQ(ListLines(ChildById(window, FM::Id("lstPat"))), shown);
        if (withListFile) { EXPECT_EQ(TextOf(ChildById(window, FM::Id("txtFE"))), L"log"); }

        PostClick(ChildById(window, FM::Id("cmdOK")));
        ASSERT_TRUE(call.Join());
        EXPECT_EQ(call.result().hr, S_OK);
        EXPECT_EQ(call.result().value, VARIANT_TRUE);
        EXPECT_EQ(ReadBytes(folder / L"filters.dlk"), CrLfLines(shown));
        if (withListFile) { EXPECT_EQ(ReadBytes(folder / L"web.plk"), CrLfLines(shown)); }
    }
}

TEST(Calls, EditFilterHandsBackTheTextOnOkAndLeavesItOnCancel) {
    struct Case {
        Binding binding;
        const char* button;
        VARIANT_BOOL value;
        const wchar_t* text;
    };
    for (const Case& c : {Case{Binding::Early, "cmdOK", VARIANT_TRUE, L" a* "},
                          Case{Binding::Late, "cmdOK", VARIANT_TRUE, L" a* "},
                          Case{Binding::Early, "cmdCancel", VARIANT_FALSE, L"*.htm"}}) {
        SCOPED_TRACE(std::string(c.button) + (c.binding == Binding::Early ? ", early" : ", late"));
        DialogCall call([&] { return ShowEditFilter(L"*.htm", VARIANT_TRUE, c.binding); });
        HWND window = call.WaitForWindow(kEditFilterCaption);
        ASSERT_TRUE(window);
        HWND text = ChildById(window, EF::Id("txtEF")), ok = ChildById(window, EF::Id("cmdOK"));
        EXPECT_EQ(TextOf(text), L"*.htm");
        SetEditText(text, L" a* ");
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(ok) != FALSE; }));
        PostClick(ChildById(window, EF::Id(c.button)));
        ASSERT_TRUE(call.Join());
        EXPECT_EQ(call.result().hr, S_OK);
        EXPECT_EQ(call.result().value, c.value);
        EXPECT_EQ(call.result().text, c.text);
    }
}

// The thread's error info about the last failure: "source {interface} text".
std::wstring LastError() {
    com_ptr<IErrorInfo> info;
    unique_bstr source, text;
    GUID iid{};
    wchar_t iidText[40] = {};
    if (GetErrorInfo(0, info.put()) != S_OK) return L"<no error info>";
    info->GetSource(source.put());
    info->GetDescription(text.put());
    info->GetGUID(&iid);
    StringFromGUID2(iid, iidText, 40);
    return std::wstring(win32::BstrView(source.get())) + L" " + iidText + L" " + (text ? text.get() : L"");
}

// What oleaut32 would pass on or crash over: checked by the component first,
// and the caller told why.
TEST(Arguments, BrokenParametersAndReferencesAreRefusedBeforeAnyDialog) {
    VARIANT nullValue, self, args[2];
    V_VT(&nullValue) = VT_NULL;
    V_VT(&self) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&self) = &self;
    V_VT(&args[0]) = VT_BOOL;
    V_BOOL(&args[0]) = VARIANT_TRUE;
    DISPID named = 0;
    struct Case {
        const char* name;
        VARTYPE textType;
        void* text;
        DISPPARAMS params;
        HRESULT hr;
    };
    for (const Case& c : {
             Case{"no DISPPARAMS", VT_EMPTY, nullptr, {}, E_INVALIDARG},
             Case{"arguments without their array", VT_EMPTY, nullptr, {nullptr, nullptr, 2, 0}, E_INVALIDARG},
             Case{"more named arguments than arguments", VT_EMPTY, nullptr, {args, &named, 0, 1}, E_INVALIDARG},
             Case{"a named argument without its name", VT_EMPTY, nullptr, {args, nullptr, 2, 1}, E_INVALIDARG},
             Case{"a null string reference", VT_BYREF | VT_BSTR, nullptr, {args, nullptr, 2, 0}, E_INVALIDARG},
             Case{"a null variable reference", VT_BYREF | VT_VARIANT, nullptr, {args, nullptr, 2, 0}, E_INVALIDARG},
             Case{"a reference to itself", VT_BYREF | VT_VARIANT, &self, {args, nullptr, 2, 0}, E_INVALIDARG},
             Case{"a Null variable", VT_BYREF | VT_VARIANT, &nullValue, {args, nullptr, 2, 0}, DISP_E_TYPEMISMATCH},
         }) {
        SCOPED_TRACE(c.name);
        V_VT(&args[1]) = c.textType;
        V_BYREF(&args[1]) = c.text;
        UINT argErr = 99;
        DialogCall call([&] {
            com_ptr<IDispatch> object;
            CallResult out;
            DISPPARAMS given = c.params;  // all zero: none at all
            if (SUCCEEDED(out.hr = Create(kEditFilterProgId, IID_IDispatch, object.put_void())))
                out.hr = object->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                        given.cArgs + given.cNamedArgs ? &given : nullptr, nullptr, nullptr, &argErr);
            out.text = LastError();
            return out;
        });
        ASSERT_TRUE(call.Join(Millis(5000))) << "a dialog opened";
        EXPECT_EQ(call.result().hr, c.hr);
        const std::wstring& why = call.result().text;
        EXPECT_NE(why.find(c.hr == E_INVALIDARG ? L"malformed" : L"declared type"), why.npos) << win32::WideToUtf8(why);
        if (c.hr == DISP_E_TYPEMISMATCH) { EXPECT_EQ(argErr, 1u); }
    }
    EXPECT_EQ(V_VT(&nullValue), VT_NULL);
}

TEST(Errors, AFailureSaysWhyAndObjectBrowsersFindEveryMemberDescribed) {
    com_ptr<_clsEFfilter> ef;
    ASSERT_EQ(Create(kEditFilterProgId, IID__clsEFfilter, ef.put_void()), S_OK);
    VARIANT_BOOL value = 0;
    EXPECT_EQ(ef->ShowEditFilterDialog(nullptr, -1, &value), E_POINTER);
    const std::wstring error = LastError();
    EXPECT_EQ(error.rfind(L"kvexfilt {1A947D82-9A0A-40EE-A9CC-5404DFDADB7F} ", 0), 0u) << win32::WideToUtf8(error);
    EXPECT_NE(error.find(L"null"), std::wstring::npos) << win32::WideToUtf8(error);
    com_ptr<ISupportErrorInfo> supports;
    ASSERT_EQ(ef->QueryInterface(IID_ISupportErrorInfo, supports.put_void()), S_OK);
    EXPECT_EQ(supports->InterfaceSupportsErrorInfo(IID__clsEFfilter), S_OK);

    // A help text for every class, interface and member; no help file (none is shipped).
    com_ptr<ITypeInfo> info;
    com_ptr<ITypeLib> library;
    UINT index = 0, count = 0;
    EXPECT_TRUE(ef->GetTypeInfoCount(&count) == S_OK && count == 1u) << count;
    ASSERT_EQ(ef->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put()), S_OK);
    ASSERT_EQ(info->GetContainingTypeLib(library.put(), &index), S_OK);
    for (UINT k = 0; k < library->GetTypeInfoCount(); ++k) {
        com_ptr<ITypeInfo> type;
        ASSERT_EQ(library->GetTypeInfo(k, type.put()), S_OK);
        for (MEMBERID member : {MEMBERID_NIL, 1, 2}) {
            unique_bstr name, doc, helpFile;  // a class has no members: skipped
            if (type->GetDocumentation(member, name.put(), doc.put(), nullptr, helpFile.put()) != S_OK) continue;
            EXPECT_GT(SysStringLen(doc.get()), 10u) << win32::WideToUtf8(win32::BstrView(name.get()));
            EXPECT_EQ(SysStringLen(helpFile.get()), 0u);
        }
    }
}

TEST(Server, ClassObjectsAndLocksKeepItLoadedAndAggregationIsRefused) {
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get =
        reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(Component(), "DllGetClassObject")));
    ASSERT_TRUE(get) << "the component is not registered";
    ASSERT_EQ(CanUnloadNow(), S_OK) << "an earlier test left an object alive";
    com_ptr<IClassFactory> factory;
    EXPECT_EQ(get(IID_IDispatch, IID_IClassFactory, factory.put_void()), CLASS_E_CLASSNOTAVAILABLE);
    for (const wchar_t* progId : {kFilterMakerProgId, kEditFilterProgId}) {
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(progId, &clsid), S_OK);
        ASSERT_EQ(get(clsid, IID_IClassFactory, factory.put_void()), S_OK);
        EXPECT_EQ(CanUnloadNow(), S_FALSE) << "a class object keeps the server";
        com_ptr<IUnknown> outer, object;
        ASSERT_EQ(factory->QueryInterface(IID_IUnknown, outer.put_void()), S_OK);
        EXPECT_EQ(factory->CreateInstance(outer.get(), IID_IUnknown, object.put_void()), CLASS_E_NOAGGREGATION);
        EXPECT_FALSE(object);
        ASSERT_EQ(factory->LockServer(TRUE), S_OK);
        outer.reset();
        factory.reset();
        EXPECT_EQ(CanUnloadNow(), S_FALSE) << "a lock keeps the server";
        ASSERT_EQ(get(clsid, IID_IClassFactory, factory.put_void()), S_OK);
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.put_void()), S_OK);
        EXPECT_EQ(factory->LockServer(FALSE), S_OK);
        factory.reset();
        EXPECT_EQ(CanUnloadNow(), S_FALSE) << "an object keeps the server";
        object.reset();
        EXPECT_EQ(CanUnloadNow(), S_OK);
    }
}

// A host's thread timer fires inside the component's modal loop and runs
// the host's own code there.
std::function<void()> gTimerAction;  // one call at a time sets it

void CALLBACK RunTimerAction(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> action = std::move(gTimerAction);
    if (action) action();
}

void SetHostTimer(std::function<void()> action) {
    gTimerAction = std::move(action);
    SetTimer(nullptr, 0, 50, RunTimerAction);
}

TEST(Server, AnObjectTheHostReleasesDuringItsCallLivesUntilTheCallReturns) {
    TempFolder folder;
    for (bool fm : {true, false}) {
        SCOPED_TRACE(fm ? "Filter Maker" : "Edit Filter");
        std::atomic<HRESULT> duringCall{E_PENDING};
        DialogCall call([&] {
            IUnknown* object = nullptr;  // the host's only reference
            CallResult out;
            out.hr = Create(fm ? kFilterMakerProgId : kEditFilterProgId, fm ? IID__clsFMfilter : IID__clsEFfilter,
                            reinterpret_cast<void**>(&object));
            if (FAILED(out.hr)) return out;
            SetHostTimer([&] {
                object->Release();
                duringCall = CanUnloadNow();
            });
            unique_bstr text = MakeBstr(L"*.htm"), where = MakeBstr(folder.path().wstring());
            out.hr = fm ? static_cast<_clsFMfilter*>(object)->ShowFilterMakerDialog(text.get(), where.get(), nullptr,
                                                                                     nullptr, &out.value)
                        : static_cast<_clsEFfilter*>(object)->ShowEditFilterDialog(text.addressof(), VARIANT_TRUE,
                                                                                    &out.value);
            return out;
        });
        HWND window = call.WaitForWindow(fm ? kFilterMakerCaption : kEditFilterCaption);
        ASSERT_TRUE(window);
        ASSERT_TRUE(WaitUntil([&] { return duringCall != E_PENDING; })) << "the host's timer did not fire";
        EXPECT_EQ(duringCall, S_FALSE) << "the object went while its call was running";
        PostClose(window);
        ASSERT_TRUE(call.Join());
        EXPECT_EQ(call.result().hr, S_OK);
        EXPECT_EQ(CanUnloadNow(), S_OK) << "the object outlived its call";
    }
}

TEST(Server, AFilterMakerCallFromInsideTheOpenOneRunsItsOwnDialogAndTheOuterStillWritesItsList) {
    TempFolder outer, inner;
    WriteBytes(outer / L"filters.dlk", CrLfLines({"*.htm;*.html", "*.outer"}));
    WriteBytes(inner / L"filters.dlk", CrLfLines({"*.htm;*.html", "*.inner"}));
    std::atomic<HRESULT> innerHr{E_PENDING};
    DialogCall call([&] {
        com_ptr<_clsFMfilter> fm;
        CallResult out;
        out.hr = Create(kFilterMakerProgId, IID__clsFMfilter, fm.put_void());
        if (FAILED(out.hr)) return out;
        unique_bstr none = MakeBstr(L""), outerFolder = MakeBstr(outer.path().wstring()),
                    innerFolder = MakeBstr(inner.path().wstring());
        // The same object, called again while its first call runs.
        SetHostTimer([&] {
            VARIANT_BOOL value = 0;
            innerHr = fm->ShowFilterMakerDialog(none.get(), innerFolder.get(), none.get(), none.get(), &value);
        });
        out.hr = fm->ShowFilterMakerDialog(none.get(), outerFolder.get(), none.get(), none.get(), &out.value);
        return out;
    });
    HWND outerWindow = call.WaitForWindow(kFilterMakerCaption), innerWindow = nullptr;
    ASSERT_TRUE(outerWindow);
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND w : TopWindows(call.thread()))
            if (w != outerWindow && TextOf(w) == kFilterMakerCaption) innerWindow = w;
        return innerWindow != nullptr;
    })) << "the nested call showed no dialog";
    EXPECT_EQ(ListLines(ChildById(innerWindow, FM::Id("lstPat"))), (Lines{"*.htm;*.html", "*.inner"}));
    EXPECT_FALSE(IsWindowEnabled(outerWindow)) << "the nested dialog is modal to the outer one";
    PostClick(ChildById(innerWindow, FM::Id("cmdOK")));
    ASSERT_TRUE(WaitUntil([&] { return innerHr != E_PENDING; })) << "the nested call did not return";
    EXPECT_EQ(innerHr, S_OK);

    SetEditText(ChildById(outerWindow, FM::Id("txtFE")), L"added");
    PostClick(ChildById(outerWindow, FM::Id("cmdTools", 0)));
    const Lines added{"*.htm;*.html", "*.outer", "*.added"};
    EXPECT_TRUE(WaitUntil([&] { return ListLines(ChildById(outerWindow, FM::Id("lstPat"))) == added; }));
    PostClick(ChildById(outerWindow, FM::Id("cmdOK")));
    ASSERT_TRUE(call.Join());
    EXPECT_EQ(call.result().value, VARIANT_TRUE);
    EXPECT_EQ(ReadBytes(outer / L"filters.dlk"), CrLfLines(added));
    EXPECT_EQ(ReadBytes(inner / L"filters.dlk"), CrLfLines({"*.htm;*.html", "*.inner"}));
}

// Where the dialogs keep their places (the test DLL's folder is writable).
std::wstring PositionIni() {
    return std::filesystem::path(win32::ModulePath(Component())).parent_path() / L"position.ini";
}

// The pictures open the Edit Filter inside the Filter Maker's call: its
// answer goes back to the box the picture stands for, the other box keeps
// its text, and each dialog's place is kept in position.ini.
TEST(Calls, PicturesEditTheirOwnBoxThroughANestedEditFilterAndBothPlacesAreKept) {
    const std::wstring ini = PositionIni();
    DeleteFileW(ini.c_str());
    TempFolder folder;
    DialogCall call([&] { return ShowFilterMaker(Binding::Early, folder.path().wstring()); });
    HWND fm = call.WaitForWindow(kFilterMakerCaption);
    ASSERT_TRUE(fm);
    EXPECT_EQ(GetWindow(fm, GW_OWNER), nullptr) << "a host without windows (a script) has nothing to own it";
    SetWindowPos(fm, nullptr, 211, 53, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND boxes[] = {ChildById(fm, FM::Id("txtEF")), ChildById(fm, FM::Id("txtFE"))};
    SetEditText(boxes[0], L"a");
    for (const int picture : {1, 0}) {
        SCOPED_TRACE(picture);
        const std::wstring before = TextOf(boxes[picture]), other = TextOf(boxes[1 - picture]);
        HWND image = ChildById(fm, FM::Id("Image1", picture));
        PostMessageW(image, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageW(image, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        HWND ef = call.WaitForWindow(kEditFilterCaption);
        ASSERT_TRUE(ef);
        EXPECT_EQ(GetWindow(ef, GW_OWNER), fm);
        HWND text = ChildById(ef, EF::Id("txtEF")), ok = ChildById(ef, EF::Id("cmdOK"));
        EXPECT_EQ(TextOf(text), before);
        SetWindowPos(ef, nullptr, 131, 97, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetEditText(text, before + L"x");
        ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(ok) != FALSE; }));
        PostClick(ok);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(boxes[picture]) == before + L"x"; })) << "the answer got lost";
        EXPECT_EQ(TextOf(boxes[1 - picture]), other);
    }
    PostClick(ChildById(fm, FM::Id("cmdOK")));
    ASSERT_TRUE(call.Join());
    EXPECT_EQ(GetPrivateProfileIntW(L"Filter Maker", L"frmFM.Left", -1, ini.c_str()), 211);
    EXPECT_EQ(GetPrivateProfileIntW(L"Filter Maker", L"frmEF.Left", -1, ini.c_str()), 131);
}

TEST(Windows, TheDialogBelongsToTheHostsActiveWindowAndFirstOpensCentredOverIt) {
    DeleteFileW(PositionIni().c_str());  // a first open
    std::atomic<HWND> host{nullptr};
    DialogCall call([&] {
        // The host's main window, active on the calling thread.
        win32::unique_hwnd window(CreateWindowExW(0, L"STATIC", L"kvex test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                                  160, 120, 900, 700, nullptr, nullptr, nullptr, nullptr));
        SetActiveWindow(window.get());
        host = window.get();
        return ShowFilterMaker(Binding::Early, L"");
    });
    HWND fm = call.WaitForWindow(kFilterMakerCaption);
    ASSERT_TRUE(fm);
    EXPECT_EQ(GetWindow(fm, GW_OWNER), host.load());
    EXPECT_FALSE(GetWindowLongPtrW(fm, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "a taskbar button of its own";
    EXPECT_FALSE(IsWindowEnabled(host.load())) << "the host stays usable under a modal dialog";
    RECT over{}, form{};
    GetWindowRect(host.load(), &over);
    GetWindowRect(fm, &form);
    EXPECT_LE(std::abs(form.left + form.right - over.left - over.right), 2) << "not centred over the host";
    EXPECT_LE(std::abs(form.top + form.bottom - over.top - over.bottom), 2) << "not centred over the host";
    PostClose(fm);
    ASSERT_TRUE(call.Join());
}

}  // namespace

// A host thread that leaves its apartment lets COM unload the DLL before the
// thread ends; the end must still be clean. Runs in a child process, where
// nothing else holds the DLL.
int RunHostThread() {
    DialogCall call([] { return ShowFilterMaker(Binding::Early, L""); });
    HWND window = call.WaitForWindow(kFilterMakerCaption);
    if (!window) return 10;
    PostClose(window);
    // Join waits for the thread's end, which runs what the DLL left for it.
    if (!call.Join() || FAILED(call.result().hr)) return 11;
    return 0;
}

TEST(Server, AHostThreadEndsCleanlyAfterCoUninitializeUnloadsTheComponent) {
    std::wstring commandLine = L"\"" + win32::ModulePath(nullptr) + L"\" --host-thread";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &child));
    win32::unique_handle process(child.hProcess), thread(child.hThread);
    const bool ended = WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process.get(), 99);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    EXPECT_TRUE(ended) << "the host process hung";
    EXPECT_EQ(exitCode, 0u) << "exit code 0x" << std::hex << exitCode;
}

}  // namespace kvex::testing
