// Moving entries with the arrow buttons and sorting the list.
#include "form_fixtures.h"

namespace kvex::testing {
namespace {

class MoveFilters : public FilterMakerTest {
protected:
    void SetUp() override {
        FilterMakerTest::SetUp();
        OpenWithList(WithDefault({"*.a", "*.b", "*.c"}));
    }
};

TEST_F(MoveFilters, DownSwapsTheCurrentEntryWithTheNextAndSelectsIt) {
    view.lstPat.UserClick(3);
    view.lstPat.UserClick(1, fakes::kCtrl);
    view.lstPat.UserClick(1, fakes::kCtrl);  // entry 1 current but not selected
    view.cmdPatD.Click();
    EXPECT_EQ(Items(), WithDefault({"*.b", "*.a", "*.c"}));
    EXPECT_EQ(Selection(), (std::vector<int>{2, 3}));
}

TEST_F(MoveFilters, RepeatedUpClicksCarryTheEntryUpToJustBelowTheDefault) {
    view.lstPat.UserClick(3);
    view.cmdPatU.Click();
    view.cmdPatU.Click();
    view.cmdPatU.Click();  // no further: nothing moves into position 0
    EXPECT_EQ(Items(), WithDefault({"*.c", "*.a", "*.b"}));
    EXPECT_EQ(view.lstPat.ListIndex(), 1);
}

TEST_F(MoveFilters, DefaultLastOrNoCurrentEntryDoesNotMove) {
    const auto before = Items();
    view.cmdPatU.Click();
    view.cmdPatD.Click();  // no current entry
    view.lstPat.UserClick(0);
    view.cmdPatU.Click();
    view.cmdPatD.Click();
    view.lstPat.UserClick(3);
    view.cmdPatD.Click();
    EXPECT_EQ(Items(), before);
}

TEST_F(MoveFilters, OnlyTheCurrentCopyOfARepeatedTextMoves) {
    view.lstPat.Clear();
    for (const char* text : {kDefault.c_str(), "x", "y", "x"}) view.lstPat.AddItem(text);
    view.lstPat.UserClick(1);
    view.cmdPatD.Click();
    EXPECT_EQ(Items(), WithDefault({"y", "x", "x"}));
    EXPECT_EQ(Selection(), std::vector<int>{2});
}

class SortFilters : public FilterMakerTest {
protected:
    void Sort() { PickFromMenu(4); }
};

TEST_F(SortFilters, OrdersByCodeWithCapitalsFirstAndTheDefaultKeptFirst) {
    OpenWithList({kDefault, "b", "B", "*.htm;*.html", "a", "*.a"});
    view.lstPat.UserClick(2);
    Sort();
    EXPECT_EQ(Items(), WithDefault({"*.a", "*.htm;*.html", "B", "a", "b"}));
    EXPECT_TRUE(Selection().empty());
}

TEST_F(SortFilters, PutsBackTheSharedDefaultRatherThanTheRemovedText) {
    OpenWithList({kDefault, "*.b", "*.a"});
    ThreadState().gsDefaultFilter = "*.new";
    Sort();
    EXPECT_EQ(Items(), (std::vector<std::string>{"*.new", "*.a", "*.b"}));
}

TEST_F(SortFilters, TwoEntriesStayAsTheyAre) {
    OpenWithList({kDefault, "*.z"});
    view.lstPat.UserClick(1);
    view.cmdPatU.Click();
    view.cmdPatD.Click();
    Sort();
    EXPECT_EQ(Items(), WithDefault({"*.z"}));
}

}  // namespace
}  // namespace kvex::testing
