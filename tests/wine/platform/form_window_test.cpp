// A form shown modally: the loop, its end, the keyboard as a dialog box
// has it, the close box, the thread's quit request, nested forms.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/edit_filter_view.h"
#include "platform/win32/filter_maker_view.h"
#include "platform/win32/form_window.h"
#include "support.h"
#include "ui/filter_maker_design.h"
#include "ui/edit_filter_design.h"

namespace kvex::win32 {
using FM = ui::FilterMakerDesign;
using EF = ui::EditFilterDesign;
namespace {

using Events = std::vector<std::string>;

class ModalFilterMaker : public ::testing::Test {
protected:
    void SetUp() override {
        view.SetHandlers(&handlers);
        handlers.log.on["cmdCancel_Click"] = [this] { view.Window().Unload(); };
        // A test that goes wrong still ends its modal loop.
        test::After(5000, [this] { view.Window().Unload(); });
    }
    HWND Item(int id) { return ::GetDlgItem(view.Window().Hwnd(), id); }
    // Acts once the window is up, then presses Cancel.
    void ShowThen(std::function<void()> act) {
        test::After(150, [this, act] {
            act();
            test::After(150, [this] { ::PostMessageA(Item(FM::Id("cmdCancel")), BM_CLICK, 0, 0); });
        });
        view.Window().ShowModal();
    }
    FilterMakerView view{test::TestModule()};
    test::RecordingFilterMaker handlers;
};

// While shown: visible, the focus on the first control in tab order, the
// thread's other windows disabled, a resize raising Form_Resize. It runs until
// a handler unloads it; then the window is gone and the host enabled again.
TEST_F(ModalFilterMaker, RunsUntilAHandlerUnloadsThenTheWindowIsGone) {
    HWND host = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                  nullptr, test::TestModule(), nullptr);
    HWND shownWindow = nullptr;
    bool visible = false, hostEnabled = true;
    int focusId = 0;
    ShowThen([&] {
        shownWindow = view.Window().Hwnd();
        visible = ::IsWindowVisible(shownWindow) != FALSE;
        hostEnabled = ::IsWindowEnabled(host) != FALSE;
        focusId = ::GetDlgCtrlID(::GetFocus());
        RECT r;
        ::GetWindowRect(shownWindow, &r);
        ::SetWindowPos(shownWindow, nullptr, 0, 0, r.right - r.left + 40, r.bottom - r.top + 30,
                       SWP_NOMOVE | SWP_NOZORDER);
    });
    EXPECT_TRUE(visible);
    EXPECT_FALSE(hostEnabled);
    EXPECT_EQ(focusId, FM::Id("txtEF"));
    EXPECT_EQ(handlers.log.All(), (Events{"Form_Load", "Form_Resize", "Form_Resize", "cmdCancel_Click",
                                          "Form_QueryUnload", "Form_Unload"}));
    EXPECT_FALSE(view.Window().Loaded());
    EXPECT_FALSE(::IsWindow(shownWindow));
    EXPECT_TRUE(::IsWindowEnabled(host));
    ::DestroyWindow(host);
}

TEST_F(ModalFilterMaker, CloseBoxUnloadsWithoutPressingAnyButton) {
    test::After(150, [this] { ::PostMessageA(view.Window().Hwnd(), WM_CLOSE, 0, 0); });
    view.Window().ShowModal();
    EXPECT_EQ(handlers.log.All(), (Events{"Form_Load", "Form_Resize", "Form_QueryUnload", "Form_Unload"}));
}

// Enter and Escape press no button, wherever the focus is; access keys press theirs.
TEST_F(ModalFilterMaker, KeyboardAsADialogBoxHasIt) {
    ShowThen([&] {
        for (int id : {FM::Id("txtEF"), FM::Id("cmdOK"), FM::Id("lstPat")}) {
            ::SetFocus(Item(id));
            for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
                ::PostMessageA(Item(id), WM_KEYDOWN, key, 1);
                ::PostMessageA(Item(id), WM_KEYUP, key, 0xC0000001);
            }
        }
        for (char key : {'k', 'n', 'a'}) ::PostMessageA(Item(FM::Id("lstPat")), WM_SYSCHAR, key, 1 << 29);
    });
    std::vector<std::string> clicks;
    for (const std::string& event : handlers.log.All())
        if (event.find("Click") != std::string::npos) clicks.push_back(event);
    EXPECT_EQ(clicks, (Events{"cmdOK_Click", "cmdNew_Click", "cmdSaveAs_Click", "cmdCancel_Click"}));
}

TEST_F(ModalFilterMaker, QuitRequestUnloadsAndIsLeftForTheThreadsOwnLoop) {
    test::After(150, [] { ::PostQuitMessage(7); });
    view.Window().ShowModal();
    EXPECT_FALSE(view.Window().Loaded());
    EXPECT_EQ(handlers.log.Count("Form_Unload"), 1);
    MSG quit;
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
}

// The inner form disables the outer one and owns the loop until it unloads.
TEST_F(ModalFilterMaker, SecondFormShownFromAHandlerRunsItsOwnLoop) {
    EditFilterView edit(test::TestModule());
    test::RecordingEditFilter editHandlers;
    editHandlers.log.on["cmdCancel_Click"] = [&] { edit.Window().Unload(); };
    edit.SetHandlers(&editHandlers);
    bool outerEnabledDuringInner = true, outerEnabledAfter = false;
    HWND ownerDuringInner = nullptr, ownerAfter = nullptr, outer = nullptr;
    handlers.log.on["cmdTools_Click(0)"] = [&] {
        test::After(150, [&] {
            outerEnabledDuringInner = ::IsWindowEnabled(view.Window().Hwnd()) != FALSE;
            ownerDuringInner = ActiveModalForm();
            ::PostMessageA(::GetDlgItem(edit.Window().Hwnd(), EF::Id("cmdCancel")), BM_CLICK, 0, 0);
        });
        edit.Window().ShowModal();
        outer = view.Window().Hwnd();
        outerEnabledAfter = ::IsWindowEnabled(outer) != FALSE;
        ownerAfter = ActiveModalForm();
    };
    test::After(150, [&] { ::PostMessageA(Item(FM::Id("cmdTools")), BM_CLICK, 0, 0); });
    test::After(600, [&] { ::PostMessageA(Item(FM::Id("cmdCancel")), BM_CLICK, 0, 0); });
    view.Window().ShowModal();
    EXPECT_EQ(editHandlers.log.All(), (Events{"Form_Load", "Form_Resize", "cmdCancel_Click", "Form_QueryUnload",
                                              "Form_Unload"}));
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_NE(ownerDuringInner, nullptr);
    EXPECT_NE(ownerDuringInner, outer);
    EXPECT_TRUE(outerEnabledAfter);
    EXPECT_EQ(ownerAfter, outer);
    EXPECT_EQ(handlers.log.Count("cmdCancel_Click"), 1);
    EXPECT_EQ(ActiveModalForm(), nullptr);
}

}  // namespace
}  // namespace kvex::win32
