// A host's own code runs inside the component's modal loops: its timers fire
// there and may call the component again or release the object whose call is
// running. Nested dialogs open and close, the outer one keeps working and
// writes where it was asked to, and a released object lives until its call
// returns.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <utility>

#include "com_client.h"
#include "component_env.h"
#include "fixtures.h"
#include "handles.h"

namespace kvex::testing {
namespace {

using Items = std::vector<std::wstring>;

// ---- the host's timer ----------------------------------------------------------

thread_local std::function<void()>* tTimerAction = nullptr;

void CALLBACK RunTimerAction(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!tTimerAction) return;
    std::function<void()> action = std::move(*tTimerAction);
    tTimerAction = nullptr;
    action();
}

// Runs the action once from the thread's message loop, as a host's thread
// timer does while a modal dialog of the component pumps that loop.
class HostTimer {
public:
    explicit HostTimer(std::function<void()> action) : action_(std::move(action)) {
        tTimerAction = &action_;
        id_ = SetTimer(nullptr, 0, 50, RunTimerAction);
    }
    HostTimer(const HostTimer&) = delete;
    HostTimer& operator=(const HostTimer&) = delete;
    ~HostTimer() {
        KillTimer(nullptr, id_);
        if (tTimerAction == &action_) tTimerAction = nullptr;
    }

private:
    std::function<void()> action_;
    UINT_PTR id_ = 0;
};

HRESULT ShowFilterMaker(IclsFMfilterDual* fm, const std::filesystem::path& folder, VARIANT_BOOL* result) {
    const unique_bstr none = MakeBstr(L""), where = MakeBstr(folder.wstring());
    return fm->ShowFilterMakerDialog(none.get(), where.get(), none.get(), none.get(), result);
}

HRESULT CanUnloadNow() {
    using Fn = HRESULT(STDAPICALLTYPE*)();
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(PinnedComponent(), "DllCanUnloadNow")));
    return fn ? fn() : E_NOTIMPL;
}

// A second Filter Maker window of the thread, other than the first.
HWND WaitForAnotherFilterMaker(DWORD thread, HWND first) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w : TopWindowsOfThread(thread)) {
            if (w != first && TextOf(w) == FilterMakerCaption()) found = w;
        }
        return found != nullptr;
    });
    return found;
}

class Reentrancy : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(outer_ / L"filters.dlk", CrLfLines({"*.htm;*.html", "*.outer"}));
        ASSERT_EQ(CanUnloadNow(), S_OK) << "an earlier test left an object of the component alive";
    }

    // The host's Filter Maker call on the outer folder, with its timer set to
    // run the nested call on the same object from inside the dialog.
    DialogCall OuterCall(std::function<void(IclsFMfilterDual*)> nested) {
        return DialogCall([this, nested] {
            CallResult out;
            com_ptr<IclsFMfilterDual> fm;
            CLSID clsid{};
            CLSIDFromProgID(kFilterMakerProgId, &clsid);
            out.hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_clsFMfilterDual, fm.put_void());
            if (FAILED(out.hr)) return out;
            HostTimer timer([&] { nested(fm.get()); });
            out.hr = ShowFilterMaker(fm.get(), outer_.path(), &out.value);
            return out;
        });
    }

    // Adds "*.added" in the outer dialog and presses its OK.
    void AddAndConfirm(DialogCall& call, const FilterMakerWindow& fm) {
        SetEditText(fm.txtFE, L"added");
        call.Settle();
        PostClick(fm.testAdd);
        call.Settle();
        EXPECT_EQ(fm.Items(), (Items{kDefaultFilter, L"*.outer", L"*.added"}));
        PostClick(fm.cmdOK);
        ASSERT_TRUE(call.Join()) << "the outer dialog did not close";
        EXPECT_EQ(call.result().hr, S_OK);
        EXPECT_EQ(call.result().value, VARIANT_TRUE);
        EXPECT_EQ(ReadBytes(outer_ / L"filters.dlk"), CrLfLines({"*.htm;*.html", "*.outer", "*.added"}));
    }

    TempFolder outer_;
    TempFolder inner_;
};

TEST_F(Reentrancy, AFilterMakerCallFromInsideTheOpenOneRunsItsOwnDialogAndTheOuterStillWritesItsList) {
    WriteBytes(inner_ / L"filters.dlk", CrLfLines({"*.htm;*.html", "*.inner"}));
    std::atomic<HRESULT> innerHr{E_PENDING};
    std::atomic<VARIANT_BOOL> innerValue{0};
    // The same object, called again while its first call runs.
    DialogCall call = OuterCall([&](IclsFMfilterDual* fm) {
        VARIANT_BOOL value = 0;
        innerHr = ShowFilterMaker(fm, inner_.path(), &value);
        innerValue = value;
    });
    HWND outerWindow = call.WaitForWindow(FilterMakerCaption());
    ASSERT_TRUE(outerWindow);
    HWND innerWindow = WaitForAnotherFilterMaker(call.threadId(), outerWindow);
    ASSERT_TRUE(innerWindow) << "the nested call showed no dialog";
    auto outerFm = FilterMakerWindow::Find(outerWindow);
    auto innerFm = FilterMakerWindow::Find(innerWindow);
    ASSERT_TRUE(outerFm && innerFm);

    EXPECT_EQ(innerFm->Items(), (Items{kDefaultFilter, L"*.inner"}));
    EXPECT_FALSE(IsEnabled(outerWindow)) << "the nested dialog is modal to the outer one";
    PostClick(innerFm->cmdOK);
    ASSERT_TRUE(WaitUntil([&] { return innerHr != E_PENDING; })) << "the nested call did not return";
    EXPECT_EQ(innerHr, S_OK);
    EXPECT_EQ(innerValue, VARIANT_TRUE);
    EXPECT_EQ(ReadBytes(inner_ / L"filters.dlk"), CrLfLines({"*.htm;*.html", "*.inner"}));

    call.Settle();
    EXPECT_TRUE(IsEnabled(outerWindow));
    EXPECT_EQ(outerFm->Items(), (Items{kDefaultFilter, L"*.outer"}));
    AddAndConfirm(call, *outerFm);
    EXPECT_EQ(ReadBytes(inner_ / L"filters.dlk"), CrLfLines({"*.htm;*.html", "*.inner"}))
        << "the outer OK wrote into the nested call's folder";
}

TEST_F(Reentrancy, AnEditFilterCallFromInsideTheFilterMakerHandsBackItsTextAndTheFilterMakerGoesOn) {
    std::atomic<bool> nestedDone{false};
    CallResult nested;
    DialogCall call = OuterCall([&](IclsFMfilterDual*) {
        nested = CallShowEditFilterDialog(L"*.in", VARIANT_TRUE, Binding::Script);
        nestedDone = true;
    });
    HWND outerWindow = call.WaitForWindow(FilterMakerCaption());
    ASSERT_TRUE(outerWindow);
    auto outerFm = FilterMakerWindow::Find(outerWindow);
    ASSERT_TRUE(outerFm);
    HWND efWindow = call.WaitForWindow(kEditFilterCaption);
    ASSERT_TRUE(efWindow) << "the nested call showed no dialog";
    auto ef = EditFilterWindow::Find(efWindow);
    ASSERT_TRUE(ef);
    EXPECT_EQ(TextOf(ef->txtEF), L"*.in");
    SetEditText(ef->txtEF, L"*.out");
    call.Settle();
    PostClick(ef->cmdOK);
    ASSERT_TRUE(WaitUntil([&] { return nestedDone.load(); })) << "the nested call did not return";
    EXPECT_EQ(nested.hr, S_OK);
    EXPECT_EQ(nested.value, VARIANT_TRUE);
    EXPECT_EQ(nested.text, L"*.out");

    call.Settle();
    EXPECT_TRUE(IsEnabled(outerWindow));
    AddAndConfirm(call, *outerFm);
}

TEST_F(Reentrancy, AnObjectReleasedByTheHostDuringItsCallLivesUntilTheCallReturns) {
    struct Case {
        const char* name;
        std::function<HRESULT(IDispatch* object)> show;  // runs the dialog
        const wchar_t* progId;
        std::wstring caption;
    };
    const std::filesystem::path folder = outer_.path();
    const std::vector<Case> cases{
        {"Filter Maker, early-bound",
         [&](IDispatch* object) {
             com_ptr<IclsFMfilterDual> fm;
             object->QueryInterface(IID_clsFMfilterDual, fm.put_void());
             VARIANT_BOOL value = 0;
             return fm ? ShowFilterMaker(fm.get(), folder, &value) : E_NOINTERFACE;
         },
         kFilterMakerProgId, FilterMakerCaption()},
        {"Edit Filter, through IDispatch",
         [](IDispatch* object) {
             unique_bstr text = MakeBstr(L"*.htm");
             VARIANT args[2];
             V_VT(&args[0]) = VT_BOOL;
             V_BOOL(&args[0]) = VARIANT_TRUE;
             V_VT(&args[1]) = VT_BYREF | VT_BSTR;
             V_BSTRREF(&args[1]) = text.addressof();
             DISPPARAMS params{args, nullptr, 2, 0};
             unique_variant result;
             return object->Invoke(2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.get(),
                                   nullptr, nullptr);
         },
         kEditFilterProgId, kEditFilterCaption},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::atomic<HRESULT> duringCall{E_PENDING};
        DialogCall call([&] {
            CallResult out;
            CLSID clsid{};
            IDispatch* object = nullptr;  // the host's only reference
            CLSIDFromProgID(c.progId, &clsid);
            out.hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                      reinterpret_cast<void**>(&object));
            if (FAILED(out.hr)) return out;
            HostTimer timer([&] {
                object->Release();
                duringCall = CanUnloadNow();
            });
            out.hr = c.show(object);
            return out;
        });
        HWND window = call.WaitForWindow(c.caption);
        ASSERT_TRUE(window);
        ASSERT_TRUE(WaitUntil([&] { return duringCall != E_PENDING; })) << "the host's timer did not fire";
        EXPECT_EQ(duringCall, S_FALSE) << "the object went while its call was running";
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(call.Join());
        EXPECT_EQ(call.result().hr, S_OK);
        EXPECT_EQ(CanUnloadNow(), S_OK) << "the object outlived its call";
    }
}

}  // namespace
}  // namespace kvex::testing
