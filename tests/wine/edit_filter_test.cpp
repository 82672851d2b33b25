// The Edit Filter dialog through COM: what OK, Cancel and the close box hand
// back, the check of the text, the token buttons, the window icon and the
// remembered position.
#include <gtest/gtest.h>

#include <system_error>

#include "fixtures.h"

namespace kvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(EditFilter, OkHandsBackTheTextExactlyAsTypedAndCancelOrTheCloseBoxLeaveItAlone) {
    enum class Way { Ok, Cancel, CloseBox };
    struct Case {
        Way way;
        Binding binding;
        VARIANT_BOOL value;
        const wchar_t* text;
    };
    for (const Case& c : {Case{Way::Ok, Binding::Early, VARIANT_TRUE, L" a* "},
                          Case{Way::Ok, Binding::Late, VARIANT_TRUE, L" a* "},
                          Case{Way::Ok, Binding::Script, VARIANT_TRUE, L" a* "},
                          Case{Way::Cancel, Binding::Early, VARIANT_FALSE, L"*.htm"},
                          Case{Way::CloseBox, Binding::Script, VARIANT_FALSE, L"*.htm"}}) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.way)) + " " + std::to_string(static_cast<int>(c.binding)));
        EditFilterSession session(L"*.htm", VARIANT_TRUE, c.binding);
        ASSERT_TRUE(session.Opened());
        EXPECT_EQ(TextOf(session.ef().txtEF), L"*.htm");
        SetEditText(session.ef().txtEF, L" a* ");
        session.Settle();
        ASSERT_TRUE(IsEnabled(session.ef().cmdOK));
        switch (c.way) {
            case Way::Ok: ASSERT_TRUE(session.CloseWith(session.ef().cmdOK)); break;
            case Way::Cancel: ASSERT_TRUE(session.CloseWith(session.ef().cmdCancel)); break;
            case Way::CloseBox: ASSERT_TRUE(session.CloseWithCloseBox()); break;
        }
        EXPECT_EQ(session.call().result().value, c.value);
        EXPECT_EQ(session.call().result().text, c.text);
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
                          Case{L"x", 1, 1, 0, L"x*", 2},
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

TEST(EditFilter, TheWindowIconFollowsThePartBeingEditedAndTheIncomingTextIsCheckedAtOnce) {
    ASSERT_TRUE(PinnedComponent());
    const auto icon101 = ResourceIconPixels(101);
    const auto icon102 = ResourceIconPixels(102);
    ASSERT_FALSE(icon101.empty());
    ASSERT_NE(icon101, icon102);
    for (bool prefix : {true, false}) {
        SCOPED_TRACE(prefix ? "name part" : "extension part");
        EditFilterSession session(prefix ? L"*" : L"a|b", prefix ? VARIANT_TRUE : VARIANT_FALSE);
        ASSERT_TRUE(session.Opened());
        EXPECT_EQ(IconPixels(WindowIcon(session.ef().window)), prefix ? icon102 : icon101);
        // A text the filter may not hold is flagged at once.
        EXPECT_EQ(IsShown(session.ef().errInput1), !prefix);
        EXPECT_EQ(IsEnabled(session.ef().cmdOK), prefix);
        ASSERT_TRUE(session.CloseWith(session.ef().cmdCancel));
    }
}

TEST(EditFilter, ReopensFreshWhereItWasClosedAndKeepsItsSizeFloor) {
    std::error_code ignored;
    fs::remove(ComponentFolder() / L"position.ini", ignored);
    {
        EditFilterSession first(L"*.a", VARIANT_TRUE);
        ASSERT_TRUE(first.Opened());
        SetWindowPos(first.ef().window, nullptr, 211, 133, 100, 50, SWP_NOZORDER | SWP_NOACTIVATE);
        SetEditText(first.ef().txtEF, L"typed in the first");
        first.Settle();
        const RECT r = WindowRect(first.ef().window);
        EXPECT_GE(r.right - r.left, 469);
        EXPECT_GE(r.bottom - r.top, 196);
        ASSERT_TRUE(first.CloseWith(first.ef().cmdOK));
    }
    EditFilterSession second(L"*.b", VARIANT_FALSE);
    ASSERT_TRUE(second.Opened());
    EXPECT_EQ(TextOf(second.ef().txtEF), L"*.b");
    const RECT r = WindowRect(second.ef().window);
    EXPECT_EQ(r.left, 211);
    EXPECT_EQ(r.top, 133);
    ASSERT_TRUE(second.CloseWith(second.ef().cmdCancel));
    EXPECT_EQ(second.call().result().text, L"*.b");
}

}  // namespace
}  // namespace kvex::testing
