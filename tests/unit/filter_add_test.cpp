// Test/Add and the live checks of the name and extension boxes.
#include "form_fixtures.h"
#include "shared/app_info.h"
#include "shared/filter_text.h"
#include "shared/pattern_matcher.h"

namespace kvex::testing {
namespace {

using ui::mb::kIconExclamation;
using ui::mb::kIconStop;
using ui::mb::kOk;

class TestAddFilter : public FilterMakerTest {};

TEST_F(TestAddFilter, AppendsTheFirstTextsAsANewEntrySelectedAlone) {
    OpenWithList({kDefault, "*.txt"});
    view.lstPat.UserClick(1);
    ClickTestAdd();
    EXPECT_EQ(Items(), WithDefault({"*.txt", "*.htm"}));
    EXPECT_EQ(Selection(), std::vector<int>{2});
    EXPECT_EQ(CountLabel(), "3 filters defined");
    EXPECT_EQ(LengthLabel(), "New filter length (5)");
    EXPECT_EQ(Beeps(), 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TestAddFilter, ListedFilterIsSelectedWithABeepAndNotAddedAgain) {
    OpenWithList({kDefault, "*.htm", "*.txt"});
    view.lstPat.UserClick(2);
    ClickTestAdd();
    EXPECT_EQ(Items(), WithDefault({"*.htm", "*.txt"}));
    EXPECT_EQ(Selection(), std::vector<int>{1});
    EXPECT_EQ(Beeps(), 1);
    EXPECT_EQ(LengthLabel(), "New filter length (5)");
    EXPECT_EQ(CountLabel(), "3 filters defined");
}

TEST_F(TestAddFilter, PartsAreTrimmedButTheBoxesKeepTheirSpacesAndCaseCounts) {
    OpenWithList({kDefault, "*.htm"});
    TypeParts("  *  ", " HTM ");
    ClickTestAdd();
    EXPECT_EQ(Items(), WithDefault({"*.htm", "*.HTM"}));
    EXPECT_EQ(view.txtEF.Text(), "  *  ");
    EXPECT_EQ(view.txtFE.Text(), " HTM ");
}

TEST_F(TestAddFilter, BlankPartOnlyBeeps) {
    OpenWithList({kDefault});
    TypeParts("   ", "txt");  // the valid extension re-enables Test/Add
    ASSERT_TRUE(view.cmdTools[0].Enabled());
    ClickTestAdd();
    EXPECT_EQ(Items(), WithDefault({}));
    EXPECT_EQ(Beeps(), 1);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TestAddFilter, SeventyFiveEntriesRefuseEvenAListedFilter) {
    std::vector<std::string> lines = WithDefault(NumberedFilters(73));
    OpenWithList(lines);
    ClickTestAdd();  // the 75th entry still fits
    ASSERT_EQ(view.lstPat.ListCount(), 75);
    ClickTestAdd();  // "*.htm" is listed now, but the limit comes first
    EXPECT_EQ(view.lstPat.ListCount(), 75);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "75 filters Max exceeded");
    EXPECT_EQ(Boxes()[0].title, "75 filters Max");
    EXPECT_EQ(Boxes()[0].style, kOk | kIconExclamation);
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(TestAddFilter, InvalidCharactersAreReportedBeforeTheTrial) {
    OpenWithList({kDefault});
    TypeParts("[<", "htm");  // no pattern and an invalid character; the valid extension re-enables Test/Add
    ClickTestAdd();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, kInvalidCharsMessage);
    EXPECT_EQ(Boxes()[0].title, kInvalidCharsTitle);
    EXPECT_EQ(Boxes()[0].style, kOk | kIconStop);
    EXPECT_EQ(Items(), WithDefault({}));
}

TEST_F(TestAddFilter, UnusablePatternShowsTheTrialError) {
    OpenWithList({kDefault});
    TypeParts("[a", "htm");
    ClickTestAdd();
    const PatternError error = InvalidPatternError();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "Error: " + std::to_string(error.number) + "\r\n" + error.description);
    EXPECT_EQ(Boxes()[0].title, kAppTitle);
    EXPECT_EQ(Boxes()[0].style, kOk | kIconExclamation);
    EXPECT_EQ(Items(), WithDefault({}));
}

class PartChecks : public FilterMakerTest {
protected:
    void SetUp() override {
        FilterMakerTest::SetUp();
        OpenWithList({kDefault});
    }
};

TEST_F(PartChecks, UsableTextClearsTheIndicatorAndEnablesTestAdd) {
    view.txtEF.SetText("a|");
    view.txtEF.SetText("a*");
    EXPECT_FALSE(view.ErrInput1.shown);
    EXPECT_TRUE(view.cmdTools[0].Enabled());
}

TEST_F(PartChecks, BlankTextIsInErrorWithoutABeep) {
    view.txtFE.SetText("   ");
    EXPECT_TRUE(view.ErrInput2.shown);
    EXPECT_FALSE(view.cmdTools[0].Enabled());
    EXPECT_EQ(Beeps(), 0);
}

TEST_F(PartChecks, InvalidCharacterBeepsOnceAndShowsTheIndicatorTexts) {
    view.txtEF.SetText("<>|");
    EXPECT_EQ(Beeps(), 1);
    EXPECT_TRUE(view.ErrInput1.shown);
    EXPECT_EQ(view.ErrInput1.errorCaption, "Remove Invalid Characters");
    EXPECT_EQ(view.ErrInput1.detail, "<>/\\:|;\"");
    EXPECT_FALSE(view.cmdTools[0].Enabled());
}

TEST_F(PartChecks, TextFailingTrialAndCharactersBeepsTwice) {
    view.txtEF.SetText("[<");
    EXPECT_EQ(Beeps(), 2);
    EXPECT_TRUE(view.ErrInput1.shown);
}

TEST_F(PartChecks, TrialRejectsOnlyMalformedPatterns) {
    for (const char* usable : {"]", "#", "[a-z]", "html"}) {
        view.txtFE.SetText(usable);
        EXPECT_FALSE(view.ErrInput2.shown) << usable;
    }
    EXPECT_EQ(Beeps(), 0);
    view.txtFE.SetText("[z-a]");
    EXPECT_TRUE(view.ErrInput2.shown);
    EXPECT_EQ(Beeps(), 1);
}

TEST_F(PartChecks, EachBoxJudgesItsOwnText) {
    view.txtEF.SetText("a|");
    view.txtFE.SetText("html");
    EXPECT_TRUE(view.ErrInput1.shown);
    EXPECT_FALSE(view.ErrInput2.shown);
    EXPECT_TRUE(view.cmdTools[0].Enabled());
}

}  // namespace
}  // namespace kvex::testing
