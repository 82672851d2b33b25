#pragma once
// What the forms rely on from the list box and the text box: run natively over
// the fakes and under Wine over the Win32 controls, so the two cannot drift.
#include <gtest/gtest.h>

#include <string>

#include "ui/controls.h"

namespace kvex::testing {

template <class Rig>
class ControlContract : public ::testing::Test {
protected:
    Rig rig;
};
TYPED_TEST_SUITE_P(ControlContract);

// The entries in order, a selected one marked "*", then the selected count
// and the current entry: "a b* | 1 selected, current 1".
inline std::string ListState(const ui::IListBox& list) {
    std::string state;
    for (int i = 0; i < list.ListCount(); ++i) state += list.List(i) + (list.Selected(i) ? "* " : " ");
    return state + "| " + std::to_string(list.SelCount()) + " selected, current " + std::to_string(list.ListIndex());
}

// Entries stay in the order given, never sorted; a bad index changes nothing.
TYPED_TEST_P(ControlContract, EntriesGoWhereAskedAndBadIndexesAreRefused) {
    ui::IListBox& list = this->rig.List();
    EXPECT_TRUE(list.AddItem("b"));
    EXPECT_TRUE(list.AddItem("a", 0));
    EXPECT_TRUE(list.AddItem("d", 2));  // at the count: the end
    EXPECT_TRUE(list.AddItem("c", 2));
    EXPECT_TRUE(list.AddItem("B"));
    EXPECT_FALSE(list.AddItem("x", 6));
    EXPECT_FALSE(list.RemoveItem(5) || list.RemoveItem(-1));
    EXPECT_FALSE(list.SetSelected(5, true) || list.Selected(5) || list.Selected(-1));
    EXPECT_EQ(list.List(5) + list.List(-1), "");
    EXPECT_EQ(ListState(list), "a b c d B | 0 selected, current -1");
    EXPECT_TRUE(list.RemoveItem(1) && list.RemoveItem(3));
    EXPECT_EQ(ListState(list), "a c d | 0 selected, current -1");
}

// Nothing is current until selecting one entry puts the caret on it; ranges
// (first > last deselects) and deselecting leave the caret where it is.
TYPED_TEST_P(ControlContract, SelectionMessagesAndTheCurrentEntry) {
    ui::IListBox& list = this->rig.List();
    for (const char* text : {"a", "b", "c", "d", "e"}) list.AddItem(text);
    EXPECT_EQ(list.SendListMessage(ui::kLB_SELITEMRANGEEX, 0, 3), 0);
    EXPECT_EQ(ListState(list), "a* b* c* d* e | 4 selected, current -1");
    EXPECT_EQ(list.SendListMessage(ui::kLB_SELITEMRANGEEX, 2, 1), 0);
    EXPECT_EQ(ListState(list), "a* b c d* e | 2 selected, current -1");
    EXPECT_TRUE(list.SetSelected(4, true) && list.SetSelected(3, false));
    EXPECT_EQ(list.SendListMessage(ui::kLB_SETSEL, 0, 0), 0);
    EXPECT_EQ(ListState(list), "a b c d e* | 1 selected, current 4");
    // Entries coming or going leave the current number alone, within the list;
    // the selection moves with its entries.
    EXPECT_TRUE(list.AddItem("z", 0));
    EXPECT_EQ(ListState(list), "z a b c d e* | 1 selected, current 4");
    EXPECT_TRUE(list.RemoveItem(5) && list.RemoveItem(4));
    EXPECT_EQ(ListState(list), "z a b c | 0 selected, current 3");
    list.Clear();
    EXPECT_EQ(ListState(list), "| 0 selected, current -1");
}

// Entries come back whole, however long, in any script.
TYPED_TEST_P(ControlContract, EntriesKeepLongAndNonAsciiText) {
    ui::IListBox& list = this->rig.List();
    const std::string texts[] = {std::string(600, 'x') + "\xD0\x96", "caf\xC3\xA9.*",
                                 "*.\xE6\x97\xA5\xF0\x9F\x98\x80", std::string(511, 'y') + "z"};
    for (const std::string& text : texts) list.AddItem(text);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list.List(i), texts[i]) << i;
}

// Every write by code raises one change, as typing does; a written text puts
// the caret at its start; the selection text replaces what is selected.
TYPED_TEST_P(ControlContract, TextWritesRaiseOneChangeEach) {
    ui::ITextBox& box = this->rig.Text();
    const int before = this->rig.TextChanges();
    box.SetText("abcdef");
    this->rig.Settle();
    EXPECT_EQ(this->rig.TextChanges(), before + 1);
    EXPECT_EQ(box.Text(), "abcdef");
    EXPECT_EQ(box.SelStart() + box.SelLength(), 0);
    box.SetSelection(1, 3);
    EXPECT_EQ(box.SelText(), "bcd");
    box.SetSelText("XY");
    this->rig.Settle();
    EXPECT_EQ(this->rig.TextChanges(), before + 2);
    EXPECT_EQ(box.Text(), "aXYef");
    EXPECT_EQ(box.SelStart() * 10 + box.SelLength(), 30);  // after the written text, nothing selected
    // Caret and selection count UTF-16 units: one for Ж, two for 😀.
    box.SetSelText("\xD0\x96\xF0\x9F\x98\x80");
    EXPECT_EQ(box.SelStart(), 6);
    box.SetSelection(3, 3);
    EXPECT_EQ(box.SelText(), "\xD0\x96\xF0\x9F\x98\x80");
    box.SetSelection(1, 99);  // to the end
    EXPECT_EQ(box.SelText(), "XY\xD0\x96\xF0\x9F\x98\x80" "ef");
    box.SetText("");
    this->rig.Settle();
    EXPECT_EQ(this->rig.TextChanges(), before + 4);
    EXPECT_EQ(box.Text(), "");
}

REGISTER_TYPED_TEST_SUITE_P(ControlContract, EntriesGoWhereAskedAndBadIndexesAreRefused,
                            SelectionMessagesAndTheCurrentEntry, EntriesKeepLongAndNonAsciiText,
                            TextWritesRaiseOneChangeEach);

}  // namespace kvex::testing
