// Test/Add and the live checks of the name and extension boxes.
#include "form_fixtures.h"
#include "core/filter_text.h"

namespace kvex::testing {
namespace {

class TestAddFilter : public FilterMakerTest {};

TEST_F(TestAddFilter, AppendsANewFilterSelectsAListedOneAndBeepsAtABlankPart) {
    OpenWithList({kDefault, "*.text"});
    view.lstPat->UserClick(1);  // the length label reads 6 until the add
    ClickTestAdd();
    EXPECT_EQ(Items(), WithDefault({"*.text", "*.htm"}));
    EXPECT_EQ(Selection(), std::vector<int>{2});
    EXPECT_EQ(CountLabel(), "3 filters defined");
    EXPECT_EQ(LengthLabel(), "New filter length (5)");
    EXPECT_EQ(Beeps(), 0);

    view.lstPat->UserClick(1);
    ClickTestAdd();
    EXPECT_EQ(Items(), WithDefault({"*.text", "*.htm"}));
    EXPECT_EQ(Selection(), std::vector<int>{2});
    EXPECT_EQ(Beeps(), 1);

    // Parts are trimmed, the boxes keep their spaces, and letter case counts.
    TypeParts("  *  ", " HTM ");
    ClickTestAdd();
    EXPECT_EQ(Items(), WithDefault({"*.text", "*.htm", "*.HTM"}));
    EXPECT_EQ(view.txtEF->Text(), "  *  ");
    EXPECT_EQ(view.txtFE->Text(), " HTM ");

    // A blank part only beeps.
    TypeParts("   ", "txt");  // the valid extension re-enables Test/Add
    ClickTestAdd();
    EXPECT_EQ(view.lstPat->ListCount(), 4);
    EXPECT_EQ(Beeps(), 2);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(TestAddFilter, SeventyFiveEntriesRefuseEvenAListedFilter) {
    OpenWithList(WithDefault(NumberedFilters(73)));
    ClickTestAdd();  // the 75th entry still fits
    ASSERT_EQ(view.lstPat->ListCount(), 75);
    ClickTestAdd();  // "*.htm" is listed now, but the limit comes first
    EXPECT_EQ(view.lstPat->ListCount(), 75);
    ExpectOnlyBox("75 filters Max exceeded", "75 filters Max", kOk | kIconExclamation);
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
    EXPECT_TRUE(view.ErrInput1->shown);
    EXPECT_FALSE(view.ErrInput2->shown);
    EXPECT_TRUE(view.cmdTools[0]->Enabled());
}

}  // namespace
}  // namespace kvex::testing
