// Removing entries and building combined filters.
#include "form_fixtures.h"

namespace kvex::testing {
namespace {

using ui::mb::kDefButton2;
using ui::mb::kIconExclamation;
using ui::mb::kIconQuestion;
using ui::mb::kIdNo;
using ui::mb::kIdYes;
using ui::mb::kOk;
using ui::mb::kYesNo;

class RemoveFilters : public FilterMakerTest {
protected:
    void SetUp() override {
        FilterMakerTest::SetUp();
        OpenWithList(WithDefault(NumberedFilters(5)));
    }
    void ClickRemove() { view.cmdTools[1].Click(); }
};

TEST_F(RemoveFilters, ConfirmedRemovalTakesTheSelectionButNeverTheDefault) {
    view.lstPat.UserClick(0);
    view.lstPat.UserClick(2, fakes::kCtrl);
    view.lstPat.UserClick(3, fakes::kCtrl);  // entry 3 current
    platform.messages.answers.push_back(kIdYes);
    ClickRemove();
    EXPECT_EQ(Items(), WithDefault({"*.e1", "*.e4", "*.e5"}));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Please confirm removal?");
    EXPECT_EQ(Boxes()[0].title, "Please confirm removal of item?");
    EXPECT_EQ(Boxes()[0].style, kYesNo | kIconQuestion | kDefButton2);
    EXPECT_EQ(CountLabel(), "4 filters defined");
    EXPECT_EQ(LengthLabel(), "New filter length (0)");
}

TEST_F(RemoveFilters, DefaultAsCurrentEntryRefusesWhateverElseIsSelected) {
    view.lstPat.UserClick(5);
    view.lstPat.UserClick(0, fakes::kCtrl);
    view.lstPat.UserClick(0, fakes::kCtrl);  // entry 0 current, only entry 5 selected
    ClickRemove();
    EXPECT_EQ(Items(), WithDefault(NumberedFilters(5)));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Default filter index...");
    EXPECT_EQ(Boxes()[0].title, "Default filter index...");
    EXPECT_EQ(Boxes()[0].style, kOk | kIconExclamation);
}

TEST_F(RemoveFilters, AnsweringNoRemovesNothingYetRefreshesBothLabels) {
    view.lstPat.UserClick(2);
    ASSERT_EQ(LengthLabel(), "New filter length (4)");
    view.lblDum[3].SetCaption("stale");
    platform.messages.answers.push_back(kIdNo);
    ClickRemove();
    EXPECT_EQ(Items(), WithDefault(NumberedFilters(5)));
    EXPECT_EQ(CountLabel(), "6 filters defined");
    EXPECT_EQ(LengthLabel(), "New filter length (0)");
}

TEST_F(RemoveFilters, WithoutACurrentEntryNothingHappensButTheLengthReset) {
    view.lblDum[3].SetCaption("stale");
    view.lblDum[5].SetCaption("New filter length (9)");
    ClickRemove();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(CountLabel(), "stale");
    EXPECT_EQ(LengthLabel(), "New filter length (0)");
}

class CombineFilters : public FilterMakerTest {
protected:
    void ClickCombine() { view.cmdTools[2].Click(); }
    void Select(std::initializer_list<int> indexes) {
        for (int i : indexes) view.lstPat.UserClick(i, fakes::kCtrl);
    }
};

TEST_F(CombineFilters, JoinsTheSelectedItemsInListOrderAsANewEntry) {
    OpenWithList({kDefault, "*.txt", "*.htm"});
    Select({1, 0, 2});
    ClickCombine();
    EXPECT_EQ(Items(), WithDefault({"*.txt", "*.htm", "*.htm;*.html;*.txt"}));
    EXPECT_EQ(Selection(), std::vector<int>{3});
    EXPECT_EQ(CountLabel(), "4 filters defined");
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(CombineFilters, ResultEqualToAnEntrySelectsItWithABeep) {
    OpenWithList({kDefault, "*.htm"});
    Select({0, 1});
    ClickCombine();
    EXPECT_EQ(Items(), WithDefault({"*.htm"}));
    EXPECT_EQ(Selection(), std::vector<int>{0});
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(CombineFilters, TwoHundredFiftyFiveCharactersAreAcceptedAndOneMoreIsRefused) {
    const std::string first = "*." + std::string(120, 'a');  // 122 characters
    const std::string fits = "*." + std::string(130, 'b');   // 122 + 1 + 132 = 255
    const std::string tooLong = "*." + std::string(131, 'c');
    OpenWithList({kDefault, first, fits, tooLong});
    Select({1, 2});
    ClickCombine();
    ASSERT_EQ(view.lstPat.ListCount(), 5);
    EXPECT_EQ(view.lstPat.List(4).size(), 255u);

    view.lstPat.UserClick(1);
    Select({3});
    ClickCombine();
    EXPECT_EQ(view.lstPat.ListCount(), 5);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].title, "Filter exceeds 255 characters");
    EXPECT_EQ(Boxes()[0].text,
              "Combined length of new filter exceeds 255 characters.\n\n\n"
              "Suggestion reduce the length of the filter string, by selecting fewer filters.");
    EXPECT_EQ(Boxes()[0].style, kOk | kIconExclamation);
}

TEST_F(CombineFilters, NothingSelectedAddsNothingButRefreshesTheCount) {
    OpenWithList({kDefault, "*.txt"});
    view.lblDum[3].SetCaption("stale");
    ClickCombine();
    EXPECT_EQ(Items(), WithDefault({"*.txt"}));
    EXPECT_EQ(CountLabel(), "2 filters defined");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(CombineFilters, ListOfTheDefaultAloneDoesNothingAtAll) {
    OpenWithList({kDefault});
    Select({0});
    view.lblDum[3].SetCaption("stale");
    ClickCombine();
    EXPECT_EQ(Items(), WithDefault({}));
    EXPECT_EQ(CountLabel(), "stale");
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(CombineFilters, FullListIsRefusedBeforeCombining) {
    OpenWithList(WithDefault(NumberedFilters(74)));
    Select({0});
    ClickCombine();
    EXPECT_EQ(view.lstPat.ListCount(), 75);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "75 filters Max exceeded");
    EXPECT_EQ(Beeps(), 0);  // the combination is entry 0, but the limit answers first
}

TEST_F(CombineFilters, LengthLabelIgnoresCaseWhileTheBuilderKeepsIt) {
    OpenWithList({kDefault, "*.htm", "*.HTM"});
    Select({1, 2});
    EXPECT_EQ(LengthLabel(), "New filter length (5)");
    ClickCombine();
    EXPECT_EQ(view.lstPat.List(3), "*.htm;*.HTM");
}

TEST_F(CombineFilters, LengthLabelCountsEachItemOnce) {
    OpenWithList({kDefault, "a", "b", "a;c"});
    Select({1, 2, 3});
    EXPECT_EQ(LengthLabel(), "New filter length (5)");
}

}  // namespace
}  // namespace kvex::testing
