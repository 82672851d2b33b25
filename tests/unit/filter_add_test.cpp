// Test/Add and the live checks of the name and extension boxes.
#include "core/filter_text.h"
#include "form_fixtures.h"

namespace kvex::testing {
namespace {

class TestAddFilter : public FilterMakerTest {};

// A new filter is appended and selected alone, a listed one selected alone
// with a beep; parts are trimmed (the boxes keep their spaces) and letter
// case counts; a blank part only beeps.
TEST_F(TestAddFilter, AppendsANewFilterSelectsAListedOneAndBeepsAtABlankPart) {
    OpenWithList({kDefault});
    view.lstPat->UserClick(0);
    ClickTestAdd();
    EXPECT_EQ(Items(), WithDefault({"*.htm"}));
    EXPECT_EQ(Selection(), std::vector<int>{1});
    EXPECT_EQ(CountLabel(), "2 filters defined");
    EXPECT_EQ(LengthLabel(), "New filter length (5)");
    EXPECT_EQ(Beeps(), 0);

    view.lstPat->UserClick(0);
    ClickTestAdd();
    EXPECT_EQ(Selection(), std::vector<int>{1});
    EXPECT_EQ(Beeps(), 1);

    TypeParts("  *  ", " HTM ");
    ClickTestAdd();
    EXPECT_EQ(Items(), WithDefault({"*.htm", "*.HTM"}));
    EXPECT_EQ(Parts(), "  *  | HTM ");

    TypeParts("   ", "txt");  // the valid extension re-enables Test/Add
    ClickTestAdd();
    EXPECT_EQ(view.lstPat->ListCount(), 3);
    EXPECT_EQ(Beeps(), 2);
    EXPECT_TRUE(Boxes().empty());
}

// At 75 entries Test/Add and Combine refuse, even what is already listed.
TEST_F(TestAddFilter, SeventyFiveEntriesRefuseEvenAListedFilter) {
    OpenWithList(WithDefault(NumberedFilters(73)));
    ClickTestAdd();  // the 75th entry still fits
    ASSERT_EQ(view.lstPat->ListCount(), 75);
    for (int button : {0, 2}) {
        platform.messages.boxes.clear();
        view.lstPat->UserClick(0);
        view.cmdTools[static_cast<std::size_t>(button)]->Click();  // "*.htm" and the default are listed
        EXPECT_EQ(view.lstPat->ListCount(), 75);
        ExpectOnlyBox("75 filters Max exceeded", "75 filters Max", kOk | kIconExclamation);
    }
    EXPECT_EQ(Beeps(), 0);
}

// Invalid characters are reported before the trial match.
TEST_F(TestAddFilter, InvalidCharactersOrAnUnusablePatternAreReportedAndNothingIsAdded) {
    const struct {
        const char* name;
        const char* extension;
        std::string text, title;
        unsigned style;
    } cases[] = {
        {"[<", "htm", kInvalidCharsMessage, kInvalidCharsTitle, kOk | kIconStop},
        {"[a", "htm", "Error: 93\r\nInvalid pattern string", "kvexfilt", kOk | kIconExclamation},
        {"*", "[a", "Error: 93\r\nInvalid pattern string", "kvexfilt", kOk | kIconExclamation},
    };
    for (const auto& c : cases) {
        platform.messages.boxes.clear();
        OpenWithList({kDefault});
        TypeParts(c.name, c.extension);
        frm->cmdTools_Click(0);  // the handler's own checks, whatever the boxes left the button at
        ExpectOnlyBox(c.text, c.title, c.style);
        EXPECT_EQ(Items(), WithDefault({}));
    }
}

class PartChecks : public FilterMakerTest {
protected:
    void SetUp() override {
        FilterMakerTest::SetUp();
        OpenWithList({kDefault});
    }
};

// Each change judges its own box: the trial match and the character check
// each beep once when they fail; a blank text is in error without a beep.
TEST_F(PartChecks, EachChangeShowsItsBoxsVerdictAndSetsTestAdd) {
    const struct {
        bool nameBox;
        const char* text;
        bool inError;
        int beeps;
    } cases[] = {
        {true, "<>|", true, 1},   {true, "[<", true, 2},   {true, "a*", false, 0},
        {false, "   ", true, 0},  {false, "[z-a]", true, 1}, {false, "]", false, 0},
        {false, "#", false, 0},   {false, "[a-z]", false, 0},
    };
    for (const auto& c : cases) {
        platform.messages.beeps = 0;
        (c.nameBox ? *view.txtEF : *view.txtFE).SetText(c.text);
        EXPECT_EQ((c.nameBox ? *view.ErrInput1 : *view.ErrInput2).shown, c.inError) << c.text;
        EXPECT_EQ(view.cmdTools[0]->Enabled(), !c.inError) << c.text;
        EXPECT_EQ(Beeps(), c.beeps) << c.text;
    }
    EXPECT_EQ(view.ErrInput2->errorCaption, "Remove Invalid Characters");
    EXPECT_EQ(view.ErrInput2->detail, "<>/\\:|;\"");

    view.txtEF->SetText("a|");
    view.txtFE->SetText("html");
    EXPECT_TRUE(view.ErrInput1->shown && !view.ErrInput2->shown && view.cmdTools[0]->Enabled());
}

}  // namespace
}  // namespace kvex::testing
