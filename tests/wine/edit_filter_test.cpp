// The Edit Filter dialog through COM: what OK, Cancel and the close box hand
// back, the check of the text, the token buttons, the window icon and the
// remembered position.
#include <gtest/gtest.h>

#include <system_error>

#include "fixtures.h"

namespace kvex::testing {
namespace {

namespace fs = std::filesystem;

std::vector<DWORD> ResourceIconPixels(int id) {
    HICON icon = static_cast<HICON>(
        LoadImageW(PinnedComponent(), MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    auto pixels = IconPixels(icon);
    if (icon) DestroyIcon(icon);
    return pixels;
}

TEST(EditFilter, OkHandsBackTheTextExactlyAsTypedThroughEveryBinding) {
    for (Binding binding : {Binding::Early, Binding::Late, Binding::Script}) {
        SCOPED_TRACE(static_cast<int>(binding));
        EditFilterSession session(L"*.htm", VARIANT_TRUE, binding);
        ASSERT_TRUE(session.Opened());
        EXPECT_EQ(TextOf(session.ef().txtEF), L"*.htm");
        SetEditText(session.ef().txtEF, L" a* ");
        session.Settle();
        ASSERT_TRUE(IsEnabled(session.ef().cmdOK));
        ASSERT_TRUE(session.CloseWith(session.ef().cmdOK));
        EXPECT_EQ(session.call().result().value, VARIANT_TRUE);
        EXPECT_EQ(session.call().result().text, L" a* ");
    }
}

TEST(EditFilter, CancelAndTheCloseBoxReturnFalseAndLeaveTheTextAlone) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        EditFilterSession session(L"*.htm", VARIANT_FALSE, closeBox ? Binding::Script : Binding::Early);
        ASSERT_TRUE(session.Opened());
        SetEditText(session.ef().txtEF, L"changed");
        session.Settle();
        ASSERT_TRUE(closeBox ? session.CloseWithCloseBox() : session.CloseWith(session.ef().cmdCancel));
        EXPECT_EQ(session.call().result().value, VARIANT_FALSE);
        EXPECT_EQ(session.call().result().text, L"*.htm");
    }
}

TEST(EditFilter, TheIncomingTextIsCheckedAtOnce) {
    struct Case {
        const wchar_t* text;
        bool inError;
    };
    for (const Case& c : {Case{L"*.htm", false}, Case{L"", true}, Case{L"a|b", true}, Case{L"*.htm;*.html", true},
                          Case{L"   ", true}, Case{L"[", false}}) {
        SCOPED_TRACE(Narrow(c.text));
        EditFilterSession session(c.text, VARIANT_TRUE);
        ASSERT_TRUE(session.Opened());
        EXPECT_EQ(IsShown(session.ef().errInput1), c.inError);
        EXPECT_EQ(IsEnabled(session.ef().cmdOK), !c.inError);
        if (c.inError) {
            // Typing a valid text clears the error.
            SetEditText(session.ef().txtEF, L"*.txt");
            session.Settle();
            EXPECT_FALSE(IsShown(session.ef().errInput1));
            EXPECT_TRUE(IsEnabled(session.ef().cmdOK));
        }
        ASSERT_TRUE(session.CloseWith(session.ef().cmdCancel));
    }
}

TEST(EditFilter, TokenButtonsReplaceOrWrapTheSelection) {
    EditFilterSession session(L"", VARIANT_TRUE);
    ASSERT_TRUE(session.Opened());
    auto& ef = session.ef();
    struct Case {
        const wchar_t* before;
        int selStart, selEnd;
        int button;
        const wchar_t* after;
        int caret;
    };
    for (const Case& c : {Case{L"abc", 1, 2, 5, L"a[b]c", 4}, Case{L"abc", 1, 2, 6, L"a[!b]c", 5},
                          Case{L"x", 1, 1, 0, L"x*", 2}, Case{L"ab", 1, 1, 5, L"a[]b", 3},
                          Case{L"abc", 0, 3, 1, L"?", 1}, Case{L"a", 1, 1, 2, L"a#", 2},
                          Case{L"a", 1, 1, 3, L"a!", 2}, Case{L"a", 1, 1, 4, L"a-", 2}}) {
        SCOPED_TRACE(Narrow(c.before) + " button " + std::to_string(c.button));
        SetEditText(ef.txtEF, c.before);
        SelectEditText(ef.txtEF, c.selStart, c.selEnd);
        PostClick(ef.cmdE[c.button]);
        session.Settle();
        EXPECT_EQ(TextOf(ef.txtEF), c.after);
        EXPECT_EQ(EditSelection(ef.txtEF), std::make_pair(c.caret, c.caret));
        EXPECT_TRUE(IsEnabled(ef.cmdOK));
    }
    ASSERT_TRUE(session.CloseWith(ef.cmdCancel));
}

TEST(EditFilter, TheWindowIconFollowsThePartBeingEdited) {
    ASSERT_TRUE(PinnedComponent());
    const auto icon101 = ResourceIconPixels(101);
    const auto icon102 = ResourceIconPixels(102);
    ASSERT_FALSE(icon101.empty());
    ASSERT_NE(icon101, icon102);
    for (bool prefix : {true, false}) {
        SCOPED_TRACE(prefix ? "name part" : "extension part");
        EditFilterSession session(L"*", prefix ? VARIANT_TRUE : VARIANT_FALSE);
        ASSERT_TRUE(session.Opened());
        EXPECT_EQ(IconPixels(WindowIcon(session.ef().window)), prefix ? icon102 : icon101);
        ASSERT_TRUE(session.CloseWith(session.ef().cmdCancel));
    }
}

TEST(EditFilter, TwoCallsInARowStartFromFreshForms) {
    {
        EditFilterSession first(L"*.a", VARIANT_TRUE);
        ASSERT_TRUE(first.Opened());
        SetEditText(first.ef().txtEF, L"typed in the first");
        first.Settle();
        ASSERT_TRUE(first.CloseWith(first.ef().cmdOK));
    }
    EditFilterSession second(L"*.b", VARIANT_TRUE);
    ASSERT_TRUE(second.Opened());
    EXPECT_EQ(TextOf(second.ef().txtEF), L"*.b");
    ASSERT_TRUE(second.CloseWith(second.ef().cmdCancel));
    EXPECT_EQ(second.call().result().text, L"*.b");
}

TEST(EditFilter, ReopensWhereItWasClosedAndKeepsItsSizeFloor) {
    std::error_code ignored;
    fs::remove(ComponentFolder() / L"position.ini", ignored);
    {
        EditFilterSession session(L"*", VARIANT_TRUE);
        ASSERT_TRUE(session.Opened());
        SetWindowPos(session.ef().window, nullptr, 211, 133, 100, 50, SWP_NOZORDER | SWP_NOACTIVATE);
        session.Settle();
        const RECT r = WindowRect(session.ef().window);
        EXPECT_GE(r.right - r.left, 469);
        EXPECT_GE(r.bottom - r.top, 196);
        ASSERT_TRUE(session.CloseWithCloseBox());
    }
    EditFilterSession again(L"*", VARIANT_FALSE);
    ASSERT_TRUE(again.Opened());
    const RECT r = WindowRect(again.ef().window);
    EXPECT_EQ(r.left, 211);
    EXPECT_EQ(r.top, 133);
    ASSERT_TRUE(again.CloseWith(again.ef().cmdCancel));
}

}  // namespace
}  // namespace kvex::testing
