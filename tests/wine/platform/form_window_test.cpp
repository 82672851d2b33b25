// A form shown modally: the loop, its end, the keyboard as a dialog box
// has it, the close box, the thread's quit request, nested forms, the menu.
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/control_ids.h"
#include "platform/win32/edit_filter_view.h"
#include "platform/win32/filter_maker_view.h"
#include "platform/win32/form_window.h"
#include "support.h"

namespace kvex::win32 {
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
            test::After(150, [this] { ::PostMessageA(Item(ids::kFmCmdCancel), BM_CLICK, 0, 0); });
        });
        view.Window().ShowModal();
    }
    FilterMakerView view{test::TestModule()};
    test::RecordingFilterMaker handlers;
};

TEST_F(ModalFilterMaker, RunsUntilAHandlerUnloadsThenTheWindowIsGone) {
    HWND shownWindow = nullptr;
    bool visibleWhileShown = false;
    ShowThen([&] {
        shownWindow = view.Window().Hwnd();
        visibleWhileShown = ::IsWindowVisible(shownWindow) != FALSE;
    });
    EXPECT_TRUE(visibleWhileShown);
    EXPECT_EQ(handlers.log.All(), (Events{"Form_Load", "Form_Resize", "cmdCancel_Click", "Form_QueryUnload",
                                          "Form_Unload"}));
    EXPECT_FALSE(view.Window().Loaded());
    EXPECT_FALSE(::IsWindow(shownWindow));
}

TEST_F(ModalFilterMaker, FocusStartsOnTheFirstControlInTabOrder) {
    int focusId = 0;
    ShowThen([&] { focusId = ::GetDlgCtrlID(::GetFocus()); });
    EXPECT_EQ(focusId, ids::kFmTxtEF);
}

TEST_F(ModalFilterMaker, OtherWindowsOfTheThreadAreDisabledOnlyWhileItShows) {
    HWND host = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                  nullptr, test::TestModule(), nullptr);
    bool hostEnabledWhileShown = true;
    ShowThen([&] { hostEnabledWhileShown = ::IsWindowEnabled(host) != FALSE; });
    EXPECT_FALSE(hostEnabledWhileShown);
    EXPECT_TRUE(::IsWindowEnabled(host));
    ::DestroyWindow(host);
}

TEST_F(ModalFilterMaker, CloseBoxUnloadsWithoutPressingAnyButton) {
    test::After(150, [this] { ::PostMessageA(view.Window().Hwnd(), WM_CLOSE, 0, 0); });
    view.Window().ShowModal();
    EXPECT_EQ(handlers.log.All(), (Events{"Form_Load", "Form_Resize", "Form_QueryUnload", "Form_Unload"}));
}

TEST_F(ModalFilterMaker, EnterAndEscapePressNoButton) {
    ShowThen([&] {
        for (int id : {ids::kFmTxtEF, ids::kFmCmdOK, ids::kFmLstPat}) {
            ::SetFocus(Item(id));
            for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
                ::PostMessageA(Item(id), WM_KEYDOWN, key, 1);
                ::PostMessageA(Item(id), WM_KEYUP, key, 0xC0000001);
            }
        }
    });
    for (const std::string& event : handlers.log.All())
        if (event != "cmdCancel_Click") {
            EXPECT_EQ(event.find("Click"), std::string::npos) << event;
        }
    EXPECT_EQ(handlers.log.Count("cmdCancel_Click"), 1);
}

TEST_F(ModalFilterMaker, AccessKeysPressTheirButtons) {
    ShowThen([&] {
        ::SetFocus(Item(ids::kFmLstPat));
        for (char key : {'k', 'n', 'a'}) ::PostMessageA(Item(ids::kFmLstPat), WM_SYSCHAR, key, 1 << 29);
    });
    EXPECT_EQ(handlers.log.Count("cmdOK_Click"), 1);
    EXPECT_EQ(handlers.log.Count("cmdNew_Click"), 1);
    EXPECT_EQ(handlers.log.Count("cmdSaveAs_Click"), 1);
}

TEST_F(ModalFilterMaker, ResizingRaisesFormResize) {
    ShowThen([&] {
        RECT r;
        ::GetWindowRect(view.Window().Hwnd(), &r);
        ::SetWindowPos(view.Window().Hwnd(), nullptr, 0, 0, r.right - r.left + 40, r.bottom - r.top + 30,
                       SWP_NOMOVE | SWP_NOZORDER);
    });
    EXPECT_EQ(handlers.log.Count("Form_Resize"), 2);  // first show, then the new size
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

TEST_F(ModalFilterMaker, SecondFormShownFromAHandlerRunsItsOwnLoop) {
    EditFilterView edit(test::TestModule());
    test::RecordingEditFilter editHandlers;
    editHandlers.log.on["cmdCancel_Click"] = [&] { edit.Window().Unload(); };
    edit.SetHandlers(&editHandlers);
    bool outerEnabledDuringInner = true;
    HWND messageOwnerDuringInner = nullptr;
    bool outerEnabledAfter = false;
    HWND messageOwnerAfter = nullptr;
    HWND outerWindow = nullptr;
    handlers.log.on["cmdTools_Click(0)"] = [&] {
        test::After(150, [&] {
            outerEnabledDuringInner = ::IsWindowEnabled(view.Window().Hwnd()) != FALSE;
            messageOwnerDuringInner = ActiveModalForm();
            ::PostMessageA(::GetDlgItem(edit.Window().Hwnd(), ids::kEfCmdCancel), BM_CLICK, 0, 0);
        });
        edit.Window().ShowModal();
        outerEnabledAfter = ::IsWindowEnabled(view.Window().Hwnd()) != FALSE;
        messageOwnerAfter = ActiveModalForm();
        outerWindow = view.Window().Hwnd();
    };
    test::After(150, [&] { ::PostMessageA(Item(ids::kFmCmdTools0), BM_CLICK, 0, 0); });
    test::After(600, [&] { ::PostMessageA(Item(ids::kFmCmdCancel), BM_CLICK, 0, 0); });
    view.Window().ShowModal();
    EXPECT_EQ(editHandlers.log.All(), (Events{"Form_Load", "Form_Resize", "cmdCancel_Click", "Form_QueryUnload",
                                              "Form_Unload"}));
    EXPECT_FALSE(outerEnabledDuringInner);
    EXPECT_NE(messageOwnerDuringInner, nullptr);
    EXPECT_NE(messageOwnerDuringInner, outerWindow);
    EXPECT_TRUE(outerEnabledAfter);
    EXPECT_EQ(messageOwnerAfter, outerWindow);
    EXPECT_EQ(handlers.log.Count("cmdCancel_Click"), 1);
    EXPECT_EQ(ActiveModalForm(), nullptr);
}

// The open pop-up menu: its window, class #32768, and the menu it shows.
HMENU OpenPopupMenu(HWND& menuWindow) {
    menuWindow = ::FindWindowA("#32768", nullptr);
    if (!menuWindow || !::IsWindowVisible(menuWindow)) return nullptr;
    return reinterpret_cast<HMENU>(::SendMessageA(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
}

class PopupMenu : public ::testing::Test {
protected:
    void SetUp() override {
        view.Window().EnsureLoaded();
        ::ShowWindow(view.Window().Hwnd(), SW_SHOW);
        ::SetCursorPos(300, 300);
    }
    FilterMakerView view{test::TestModule()};
};

TEST_F(PopupMenu, ShowsTheItemsWithTheirStateAndTheDefaultItem) {
    view.Controls().mnuOutLike[2]->SetEnabled(false);
    std::vector<std::string> captions;
    std::vector<UINT> states;
    UINT defaultItem = 99;
    test::After(300, [&] {
        HWND menuWindow = nullptr;
        HMENU menu = OpenPopupMenu(menuWindow);
        if (menu) {
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                char text[64] = {};
                ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
                captions.push_back(text);
                states.push_back(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION));
            }
            defaultItem = ::GetMenuDefaultItem(menu, TRUE, 0);
        }
        ::EndMenu();
    });
    EXPECT_EQ(view.Window().PopupMenu(0), -1);
    EXPECT_EQ(captions, (std::vector<std::string>{"Edit Out", "", "Edit Like", "", "Sort Filters"}));
    ASSERT_EQ(states.size(), 5u);
    EXPECT_TRUE(states[1] & MF_SEPARATOR);
    EXPECT_TRUE(states[3] & MF_SEPARATOR);
    EXPECT_TRUE(states[2] & MF_GRAYED);
    EXPECT_FALSE(states[0] & MF_GRAYED);
    EXPECT_FALSE(states[4] & MF_GRAYED);
    EXPECT_EQ(defaultItem, 0u);
}

TEST_F(PopupMenu, ReturnsTheIndexOfTheChosenItem) {
    test::After(300, [&] {
        HWND menuWindow = nullptr;
        if (!OpenPopupMenu(menuWindow)) {
            ::EndMenu();
            return;
        }
        ::PostMessageA(menuWindow, WM_KEYDOWN, VK_END, 0);
        ::PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(view.Window().PopupMenu(0), 4);
}

}  // namespace
}  // namespace kvex::win32
