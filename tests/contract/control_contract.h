#pragma once
// What the forms rely on from the list box and the text box. The fakes run
// these cases natively and the Win32 controls under Wine, so the fakes cannot
// drift from the controls the product runs on.
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

inline std::string Entries(const ui::IListBox& list) {
    std::string all;
    for (int i = 0; i < list.ListCount(); ++i) all += list.List(i) + "|";
    return all;
}

inline std::string SelectedEntries(const ui::IListBox& list) {
    std::string all;
    for (int i = 0; i < list.ListCount(); ++i) all += list.Selected(i) ? "1" : "0";
    return all + " of " + std::to_string(list.SelCount());
}

// Entries stay in the order given, never sorted; an index past the end or
// below zero is refused and changes nothing.
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
    EXPECT_EQ(Entries(list), "a|b|c|d|B|");
    EXPECT_TRUE(list.RemoveItem(1));
    EXPECT_TRUE(list.RemoveItem(3));
    EXPECT_EQ(Entries(list), "a|c|d|");
    EXPECT_EQ(list.SelCount(), 0);
}

// Nothing is current until selecting one entry puts the caret on it; ranges
// and deselecting leave the caret where it is.
TYPED_TEST_P(ControlContract, SelectionMessagesAndTheCurrentEntry) {
    ui::IListBox& list = this->rig.List();
    for (const char* text : {"a", "b", "c", "d", "e"}) list.AddItem(text);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.SendListMessage(ui::kLB_SELITEMRANGEEX, 0, 3), 0);
    EXPECT_EQ(SelectedEntries(list), "11110 of 4");
    EXPECT_EQ(list.SendListMessage(ui::kLB_SELITEMRANGEEX, 2, 1), 0);  // downwards: deselects
    EXPECT_EQ(SelectedEntries(list), "10010 of 2");
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_TRUE(list.SetSelected(4, true));
    EXPECT_EQ(list.ListIndex(), 4);
    EXPECT_TRUE(list.SetSelected(3, false));
    EXPECT_EQ(SelectedEntries(list), "10001 of 2");
    EXPECT_EQ(list.ListIndex(), 4);
    EXPECT_EQ(list.SendListMessage(ui::kLB_SETSEL, 0, 0), 0);
    EXPECT_EQ(SelectedEntries(list), "00001 of 1");
    list.Clear();
    EXPECT_EQ(list.ListCount() + list.ListIndex(), -1);
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
    EXPECT_EQ(box.SelStart(), 3);
    EXPECT_EQ(box.SelLength(), 0);
    box.SetSelText("\xD0\x96");  // at the caret
    box.SetSelection(1, 99);      // to the end
    EXPECT_EQ(box.SelText(), "XY\xD0\x96" "ef");
    box.SetText("");
    this->rig.Settle();
    EXPECT_EQ(this->rig.TextChanges(), before + 4);
    EXPECT_EQ(box.Text(), "");
}

REGISTER_TYPED_TEST_SUITE_P(ControlContract, EntriesGoWhereAskedAndBadIndexesAreRefused,
                            SelectionMessagesAndTheCurrentEntry, EntriesKeepLongAndNonAsciiText,
                            TextWritesRaiseOneChangeEach);

}  // namespace kvex::testing
