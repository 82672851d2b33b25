#pragma once
// Finding and driving the windows of another thread or process, the way a
// user would: every wait has a deadline, and whatever could block the caller
// (a click that opens a message box) is posted, never sent.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvex::testing {

using Millis = std::chrono::milliseconds;

// Long enough for a slow CI machine to open a window, short enough that a
// missing window fails the test quickly.
inline constexpr Millis kUiTimeout{10000};

// Polls until done() holds or the timeout passes; returns done()'s last answer.
template <class Done>
bool WaitUntil(Done&& done, Millis timeout = kUiTimeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return done();
        Sleep(15);
    }
}

// ---- windows ---------------------------------------------------------------

struct TopWindowQuery {
    DWORD threadId = 0;                   // 0: any thread
    DWORD processId = 0;                  // 0: any process
    std::wstring className;               // empty: any class
    std::optional<std::wstring> caption;  // exact caption; empty optional: any
};

HWND FindTopWindow(const TopWindowQuery& query);
HWND WaitForTopWindow(const TopWindowQuery& query, Millis timeout = kUiTimeout);
std::vector<HWND> TopWindowsOfThread(DWORD threadId);
bool WaitUntilGone(HWND window, Millis timeout = kUiTimeout);
// One round of ending what a thread shows, the cautious way: a menu is left,
// a message box answered No, Cancel or OK, any other window closed. Returns
// the visible top-level windows it acted on.
std::vector<HWND> CloseWindowsOfThread(DWORD threadId);

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
bool IsEnabled(HWND window);
bool IsShown(HWND window);
RECT WindowRect(HWND window);

// All descendants in z-order, optionally only those of one class (case-insensitive).
std::vector<HWND> ChildrenOf(HWND parent, std::wstring_view className = {});
// The first descendant of the class whose text is exactly text; nullptr if none.
HWND FindChild(HWND parent, std::wstring_view className, std::wstring_view text);
HWND FindChildById(HWND parent, int id);

// The icon drawn at size x size on white, as 32-bit pixels: icons loaded
// separately from the same resource compare equal.
std::vector<DWORD> IconPixels(HICON icon, int size = 32);
HICON WindowIcon(HWND window);         // WM_GETICON, ICON_BIG
HICON StaticIcon(HWND staticControl);  // STM_GETICON

// ---- input -----------------------------------------------------------------

// WM_SETTEXT raises the edit's change notification on the owner's thread.
void SetEditText(HWND edit, const std::wstring& text);
void SelectEditText(HWND edit, int start, int end);
std::pair<int, int> EditSelection(HWND edit);

void PostClick(HWND button);
void PostClose(HWND window);
// A mouse press and release at a client point; keys are MK_ flags such as MK_CONTROL.
void PostMouseClick(HWND window, POINT client, bool rightButton = false, WPARAM keys = 0);
void PostKey(HWND window, UINT virtualKey);

// ---- list box --------------------------------------------------------------

int ListCount(HWND list);
std::wstring ListText(HWND list, int index);
std::vector<std::wstring> ListItems(HWND list);
std::vector<int> ListSelection(HWND list);
int ListCaret(HWND list);
void ClickListItem(HWND list, int index, WPARAM keys = 0);
void RightClickListItem(HWND list, int index);

// ---- pop-up menu -----------------------------------------------------------

struct MenuItemState {
    std::wstring text;
    bool separator = false;
    bool enabled = false;
    bool isDefault = false;
};

// The open pop-up menu (#32768) of a thread and its menu handle.
struct PopupMenu {
    HWND window = nullptr;
    HMENU menu = nullptr;
};
std::optional<PopupMenu> WaitForPopupMenu(DWORD threadId, Millis timeout = kUiTimeout);
std::vector<MenuItemState> MenuItems(HMENU menu);
// Moves the highlight with the arrow keys to the item at position and chooses it.
bool ChooseMenuItem(const PopupMenu& popup, int position, Millis timeout = kUiTimeout);
void DismissMenu(const PopupMenu& popup);

// ---- message boxes ---------------------------------------------------------

enum class BoxIcon { None, Exclamation, Stop, Question, Information, Other };

struct MessageBoxInfo {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
    std::vector<int> buttons;  // IDOK, IDYES, ... of the visible buttons
    int defaultButton = 0;
    BoxIcon icon = BoxIcon::None;
};

// A message box (#32770) of the thread (any when 0) with the exact title.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD threadId, const std::wstring& title,
                                                Millis timeout = kUiTimeout);
// Any message box of the thread; for tests that must fail on an unexpected one.
std::optional<MessageBoxInfo> FindAnyMessageBox(DWORD threadId);
MessageBoxInfo DescribeMessageBox(HWND box);
void PressDialogButton(HWND dialog, int id);

std::string Narrow(const std::wstring& text);  // for test messages only

}  // namespace kvex::testing
