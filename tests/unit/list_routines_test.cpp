// The shared list routines and the invalid-character check, where the form
// suites do not already pin them down.
#include <gtest/gtest.h>

#include "fakes/fake_controls.h"
#include "fakes/fake_services.h"
#include "shared/filter_text.h"
#include "shared/list_routines.h"
#include "shared/validation.h"

namespace kvex {
namespace {

using fakes::FakeListBox;

FakeListBox ListOf(std::initializer_list<const char*> texts) {
    FakeListBox list;
    for (const char* text : texts) list.AddItem(text);
    return list;
}

TEST(FindFilter, ExactCaseSensitiveFirstMatchFromEntryZero) {
    FakeListBox list = ListOf({"*.htm", "*.HTM", "*.htm"});
    long index = 42;
    EXPECT_TRUE(FindFilter(list, "*.htm", index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(FindFilter(list, "*.HTM", index));
    EXPECT_EQ(index, 1);
    index = 42;
    EXPECT_FALSE(FindFilter(list, "*.ht", index));
    EXPECT_FALSE(FindFilter(list, "*.Htm", index));
    EXPECT_EQ(index, 42);
}

TEST(SetListSelection, SendsTheListBoxMessagesWithTheLargerIndexFirstToDeselect) {
    FakeListBox list = ListOf({"a", "b", "c"});
    SetListSelection(1, list, 0, 2);
    SetListSelection(0, list, 0, 2);
    SetListSelection(0, list, 1, 1);
    ASSERT_EQ(list.messages.size(), 3u);
    EXPECT_EQ(list.messages[0].msg, ui::kLB_SELITEMRANGEEX);
    EXPECT_EQ(list.messages[0].wParam, 0u);
    EXPECT_EQ(list.messages[0].lParam, 2);
    EXPECT_EQ(list.messages[1].msg, ui::kLB_SELITEMRANGEEX);
    EXPECT_EQ(list.messages[1].wParam, 2u);
    EXPECT_EQ(list.messages[1].lParam, 0);
    EXPECT_EQ(list.messages[2].msg, ui::kLB_SETSEL);
    EXPECT_EQ(list.messages[2].wParam, 0u);
    EXPECT_EQ(list.messages[2].lParam, 1);
}

TEST(SetListSelection, EmptyRangeAndUnknownModeDoNothing) {
    FakeListBox empty;
    SetListSelection(0, empty, 0, -1);
    FakeListBox list = ListOf({"a", "b"});
    SetListSelection(2, list, 0, 1);
    SetListSelection(1, list, 1, 0);
    EXPECT_TRUE(empty.messages.empty());
    EXPECT_TRUE(list.messages.empty());
}

TEST(CheckInvalidChars, AnyNonzeroFlagBeepsAndZeroShowsTheStopBox) {
    fakes::FakeMessages messages;
    EXPECT_EQ(CheckInvalidChars(messages, "*.htm [a-z]?#!", 0), 0);
    EXPECT_EQ(CheckInvalidChars(messages, "a:b", 1), 1);
    EXPECT_EQ(CheckInvalidChars(messages, "a,b", -1), 1);
    EXPECT_EQ(messages.beeps, 2);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_EQ(CheckInvalidChars(messages, "\"", 0), 1);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].text, kInvalidCharsMessage);
    EXPECT_EQ(messages.boxes[0].style, ui::mb::kOk | ui::mb::kIconStop);
    EXPECT_EQ(messages.beeps, 2);
}

}  // namespace
}  // namespace kvex
