// A form shown modally: the loop, its end, the keyboard as a dialog box
// has it, the close box, the thread's quit request, nested forms.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "platform/win32/form_view.h"
#include "support.h"
#include "ui/edit_filter_design.h"
#include "ui/filter_maker_design.h"

namespace kvex::testing {
namespace {
using FM = ui::FilterMakerDesign;
using Events = std::vector<std::string>;

class ModalFilterMaker : public ::testing::Test {
protected:
    void SetUp() override {
        view.SetHandlers(&handlers);
        handlers.on["cmdCancel_Click"] = [this] { view.Window().Unload(); };
        // A test that goes wrong still ends its modal loop, and fails.
        After(5000, [this] {
            ADD_FAILURE() << "the form was still open after 5 s: the safety net closed it";
            view.Window().Unload();
        });
    }
    void TearDown() override { CancelPending(); }
    HWND Item(const char* name) { return ::GetDlgItem(view.Window().Hwnd(), FM::Id(name)); }
    // Acts once the window is up, then presses Cancel.
    void ShowThen(std::function<void()> act) {
        After(150, [this, act] {
            act();
            After(150, [this] { ::PostMessageW(Item("cmdCancel"), BM_CLICK, 0, 0); });
        });
        view.Window().ShowModal();
    }
    win32::FilterMakerView view{TestModule()};
    RecordingFilterMaker handlers;
};

// While shown: visible, the focus in the form, the thread's other windows
// disabled, a resize raising Form_Resize. It runs until a handler unloads it;
// then the window is gone and the host enabled again.
TEST_F(ModalFilterMaker, RunsUntilAHandlerUnloadsThenTheWindowIsGone) {
    HWND host = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                  nullptr, TestModule(), nullptr);
    HWND shown = nullptr;
    bool visible = false, hostEnabled = true, focusInside = false;
    ShowThen([&] {
        shown = view.Window().Hwnd();
        visible = ::IsWindowVisible(shown);
        hostEnabled = ::IsWindowEnabled(host);
        focusInside = ::IsChild(shown, ::GetFocus());
        view.Window().ShowModal();  // shown already: returns at once
        ::SetWindowPos(shown, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    });
    EXPECT_TRUE(visible && focusInside);
    EXPECT_FALSE(hostEnabled);
    EXPECT_EQ(handlers.events, (Events{"Form_Load", "Form_Resize", "Form_Resize", "cmdCancel_Click",
                                        "Form_QueryUnload", "Form_Unload"}));
    EXPECT_FALSE(::IsWindow(shown));
    EXPECT_TRUE(::IsWindowEnabled(host));
    ::DestroyWindow(host);
}

// A handler that unloads the form while it unloads, or later, changes nothing.
TEST_F(ModalFilterMaker, CloseBoxUnloadsWithoutPressingAnyButton) {
    handlers.on["Form_QueryUnload"] = [this] { view.Window().Unload(); };
    After(150, [this] { ::PostMessageW(view.Window().Hwnd(), WM_CLOSE, 0, 0); });
    view.Window().ShowModal();
    view.Window().Unload();
    EXPECT_EQ(handlers.events, (Events{"Form_Load", "Form_Resize", "Form_QueryUnload", "Form_Unload"}));
}

// Enter and Escape press no button, wherever the focus is; access keys press
// theirs. The context-menu key asks the list for its menu, and F4 or Alt+Down
// in a text box stand for a click on the picture above it.
TEST_F(ModalFilterMaker, KeyboardAsADialogBoxHasIt) {
    ShowThen([&] {
        for (const char* name : {"txtEF", "cmdOK", "lstPat"}) {
            ::SetFocus(Item(name));
            for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
                ::PostMessageW(Item(name), WM_KEYDOWN, key, 1);
                ::PostMessageW(Item(name), WM_KEYUP, key, 0xC0000001);
            }
        }
        for (wchar_t key : {L'k', L'n', L'a'}) ::PostMessageW(Item("lstPat"), WM_SYSCHAR, key, 1 << 29);
        ::PostMessageW(Item("lstPat"), WM_KEYDOWN, VK_APPS, 1);
        ::PostMessageW(Item("lstPat"), WM_KEYUP, VK_APPS, 0xC0000001);
        std::array<BYTE, 256> keys;  // Shift held until the posted keys are read: timers come last
        ::GetKeyboardState(keys.data());
        keys[VK_SHIFT] = 0x80;
        ::SetKeyboardState(keys.data());
        ::PostMessageW(Item("lstPat"), WM_SYSKEYDOWN, VK_F10, 1);
        After(10, [keys]() mutable { keys[VK_SHIFT] = 0, ::SetKeyboardState(keys.data()); });
        ::PostMessageW(Item("txtEF"), WM_KEYDOWN, VK_F4, 1);
        ::PostMessageW(Item("txtFE"), WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    });
    Events actions;
    for (const std::string& event : handlers.events)
        if (event.find("Click") != std::string::npos || event.find("MouseUp") != std::string::npos)
            actions.push_back(event);
    EXPECT_EQ(actions, (Events{"cmdOK_Click", "cmdNew_Click", "cmdSaveAs_Click", "lstPat_MouseUp(2)",
                               "lstPat_MouseUp(2)", "Image1_Click(0)", "Image1_Click(1)", "cmdCancel_Click"}));
}

// A failing handler ends only itself: the form runs on, and the failure
// goes to the debugger's channel.
TEST_F(ModalFilterMaker, AFailingHandlerEndsOnlyItselfAndLeavesATrace) {
    DebugChannel channel;
    handlers.on["cmdOK_Click"] = [] { throw std::runtime_error("no disk"); };
    ShowThen([&] { ::SendMessageW(Item("cmdOK"), BM_CLICK, 0, 0); });
    EXPECT_EQ(handlers.Count("cmdCancel_Click"), 1);
    EXPECT_EQ(channel.lines, std::vector<std::string>{"kvexfilt: a window's message failed: no disk\n"});
}

TEST_F(ModalFilterMaker, QuitRequestUnloadsAndIsLeftForTheThreadsOwnLoop) {
    After(150, [] { ::PostQuitMessage(7); });
    view.Window().ShowModal();
    EXPECT_EQ(handlers.Count("Form_Unload"), 1);
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 7);
}

// The inner form disables the outer one and owns the loop until it unloads.
TEST_F(ModalFilterMaker, SecondFormShownFromAHandlerRunsItsOwnLoop) {
    win32::EditFilterView edit(TestModule());
    RecordingEditFilter editHandlers;
    editHandlers.on["cmdCancel_Click"] = [&] { edit.Window().Unload(); };
    edit.SetHandlers(&editHandlers);
    bool outerEnabledDuringInner = true, outerBackAfter = false;
    HWND inner = nullptr, ownerDuringInner = nullptr;
    handlers.on["cmdTools_Click(0)"] = [&] {
        After(150, [&] {
            outerEnabledDuringInner = ::IsWindowEnabled(view.Window().Hwnd());
            inner = edit.Window().Hwnd();
            ownerDuringInner = win32::ActiveModalForm();
            ::PostMessageW(::GetDlgItem(inner, ui::EditFilterDesign::Id("cmdCancel")), BM_CLICK, 0, 0);
        });
        edit.Window().ShowModal();
        HWND outer = view.Window().Hwnd();
        outerBackAfter = ::IsWindowEnabled(outer) && win32::ActiveModalForm() == outer;
    };
    ShowThen([&] { ::SendMessageW(Item("cmdTools"), BM_CLICK, 0, 0); });
    EXPECT_EQ(editHandlers.Count("Form_Unload"), 1);
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_NE(inner, nullptr);
    EXPECT_EQ(ownerDuringInner, inner);
    EXPECT_TRUE(outerBackAfter);
    EXPECT_EQ(handlers.Count("cmdCancel_Click"), 1);
    EXPECT_EQ(win32::ActiveModalForm(), nullptr);
}

}  // namespace
}  // namespace kvex::testing
