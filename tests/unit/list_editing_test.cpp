// Editing the list: Test/Add and its boxes' checks, Remove, Combine, moving,
// sorting; the control contract over the Filter Maker's fakes.
#include "contract/control_contract.h"
#include "core/filter_text.h"
#include "form_fixtures.h"

namespace kvex::testing {
namespace {

using ListEditing = FilterMakerTest;

// A new filter is appended and selected alone, a listed one selected alone
// with a beep; parts are trimmed (the boxes keep their spaces) and letter
// case counts; a blank part only beeps.
TEST_F(ListEditing, TestAddAppendsANewFilterSelectsAListedOneAndBeepsAtABlankPart) {
    OpenWithList({kDefault});
    view.lstPat->UserClick(0);
    ClickTestAdd();
    EXPECT_EQ(Items(), WithDefault({"*.htm"}));
    EXPECT_EQ(Selection(), std::vector<int>{1});
    EXPECT_EQ(CountLabel() + LengthLabel(), "2 filters definedNew filter length (5)");

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
TEST_F(ListEditing, SeventyFiveEntriesRefuseTestAddAndCombine) {
    OpenWithList(WithDefault(NumberedFilters(73)));
    ClickTestAdd();  // the 75th entry still fits
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
TEST_F(ListEditing, TestAddReportsInvalidCharactersOrAnUnusablePatternAndAddsNothing) {
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

// Each change judges its own box: the trial match and the character check
// each beep once when they fail; a blank text is in error without a beep.
TEST_F(ListEditing, EachPartChangeShowsItsBoxsVerdictAndSetsTestAdd) {
    OpenWithList({kDefault});
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

// Remove needs a current entry; with the default current it refuses, if
// anything is selected. Else it asks, No by default; Yes takes the selection
// but never the default. Both labels are refreshed either way.
TEST_F(ListEditing, RemoveAsksAndNeverTakesTheDefault) {
    OpenWithList(WithDefault(NumberedFilters(5)));
    ClickRemove();  // no current entry: nothing happens
    view.lstPat->UserClick(5);
    CtrlClick({0, 0});  // entry 0 current, only entry 5 selected
    ClickRemove();
    ExpectOnlyBox("Default filter index...", "Default filter index...", kOk | kIconExclamation);
    CtrlClick({5, 0, 0});  // entry 0 current, nothing selected: nothing to refuse
    ClickRemove();
    EXPECT_EQ(Boxes().size(), 1u);

    platform.messages.boxes.clear();
    view.lstPat->UserClick(0);
    CtrlClick({2, 3});  // entry 3 current
    view.lblDum[3]->SetCaption("stale");
    ClickRemove();
    ExpectOnlyBox("Please confirm removal?", "Please confirm removal of item?", kYesNo | kIconQuestion | kDefButton2);
    EXPECT_EQ(Items(), WithDefault(NumberedFilters(5)));
    EXPECT_EQ(CountLabel() + LengthLabel(), "6 filters definedNew filter length (0)");
    platform.messages.answers.push_back(kIdYes);
    ClickRemove();
    EXPECT_EQ(Items(), WithDefault({"*.e1", "*.e4", "*.e5"}));
    EXPECT_EQ(CountLabel(), "4 filters defined");
}

// The new entry joins the selected items in list order; its length label
// ignores letter case, the entry keeps it; a result equal to an entry selects
// that entry with a beep; nothing selected adds nothing.
TEST_F(ListEditing, CombineJoinsTheSelectedItemsInListOrderAsANewEntryOrSelectsAnEqualOne) {
    OpenWithList({kDefault});
    view.lstPat->UserClick(0);
    ClickCombine();  // the default alone: the button does nothing at all
    EXPECT_EQ(Selection(), std::vector<int>{0});
    EXPECT_EQ(Beeps(), 0);
    OpenWithList({kDefault, "*.txt", "*.htm", "*.HTM"});
    ClickCombine();  // nothing selected
    CtrlClick({1, 0, 2});
    ClickCombine();
    EXPECT_EQ(Items(), WithDefault({"*.txt", "*.htm", "*.HTM", "*.htm;*.html;*.txt"}));
    EXPECT_EQ(Selection(), std::vector<int>{4});
    EXPECT_EQ(CountLabel(), "5 filters defined");

    view.lstPat->UserClick(2);
    CtrlClick({3});
    EXPECT_EQ(LengthLabel(), "New filter length (5)");
    ClickCombine();
    EXPECT_EQ(view.lstPat->List(5), "*.htm;*.HTM");
    EXPECT_EQ(Beeps(), 0);

    view.lstPat->UserClick(0);
    CtrlClick({2});
    ClickCombine();
    EXPECT_EQ(view.lstPat->ListCount(), 6);
    EXPECT_EQ(Selection(), std::vector<int>{0});
    EXPECT_EQ(Beeps(), 1);
    EXPECT_TRUE(Boxes().empty());
}

// Characters are counted as the user sees them, in UTF-16 units, not bytes.
TEST_F(ListEditing, CombinedTwoHundredFiftyFiveCharactersAreAcceptedAndOneMoreIsRefused) {
    std::string first = "*.";  // 122 characters: two, then 40 of Ж (2 bytes) and 40 of U+1F600 (4 bytes, 2 units)
    for (int k = 0; k < 40; ++k) first += "\xD0\x96\xF0\x9F\x98\x80";
    const std::string fits = "*." + std::string(130, 'b');   // 122 + 1 + 132 = 255
    const std::string tooLong = "*." + std::string(131, 'c');
    OpenWithList({"\xEF\xBB\xBF" + std::string(kDefault), first, fits, tooLong});  // a UTF-8 file
    CtrlClick({1, 2});
    EXPECT_EQ(LengthLabel(), "New filter length (255)");
    ClickCombine();
    EXPECT_EQ(view.lstPat->List(4), first + ";" + fits);

    view.lstPat->UserClick(1);
    CtrlClick({3});
    ClickCombine();
    EXPECT_EQ(view.lstPat->ListCount(), 5);
    ExpectOnlyBox("Combined length of new filter exceeds 255 characters.\n\n\n"
                  "Suggestion reduce the length of the filter string, by selecting fewer filters.",
                  "Filter exceeds 255 characters", kOk | kIconExclamation);
}

// The current entry moves, selected, whatever else is selected; up stops
// just below the default. Nothing moves without a current entry, nor the
// default, nor the last entry down.
TEST_F(ListEditing, MoveCurrentEntrySwapsWithItsNeighbourAndIsSelected) {
    OpenWithList(WithDefault({"*.a", "*.b", "*.c"}));
    view.cmdPatU->Click();
    view.cmdPatD->Click();
    view.lstPat->UserClick(0);
    view.cmdPatU->Click();
    view.cmdPatD->Click();
    view.lstPat->UserClick(3);
    view.cmdPatD->Click();
    EXPECT_EQ(Items(), WithDefault({"*.a", "*.b", "*.c"}));
    CtrlClick({1, 1});  // entry 1 current but not selected
    view.cmdPatD->Click();
    EXPECT_EQ(Items(), WithDefault({"*.b", "*.a", "*.c"}));
    EXPECT_EQ(Selection(), (std::vector<int>{2, 3}));

    view.lstPat->UserClick(3);
    for (int k = 0; k < 3; ++k) view.cmdPatU->Click();
    EXPECT_EQ(Items(), WithDefault({"*.c", "*.b", "*.a"}));
    EXPECT_EQ(view.lstPat->ListIndex(), 1);
}

// Sorting orders by UTF-16 code (capitals first), leaves nothing selected
// and puts back the shared default first, not the text it removed.
TEST_F(ListEditing, SortKeepsTheSharedDefaultFirst) {
    OpenWithList({kDefault, "b", "B", "*.htm;*.html", "a", "*.a"});
    view.lstPat->UserClick(2);
    ThreadState().gsDefaultFilter = "*.new";
    PickFromMenu(4);
    EXPECT_EQ(Items(), (std::vector<std::string>{"*.new", "*.a", "*.htm;*.html", "B", "a", "b"}));
    EXPECT_TRUE(Selection().empty());
}

// The Filter Maker's own list and name box, as the contract asks for them.
class FakeRig {
public:
    FakeRig() { view_.txtEF->onChange = [this] { ++changes_; }; }
    ui::IListBox& List() { return *view_.lstPat; }
    ui::ITextBox& Text() { return *view_.txtEF; }
    int TextChanges() const { return changes_; }
    void Settle() {}

private:
    FakeFilterMakerView view_;
    int changes_ = 0;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fakes, ControlContract, FakeRig);

}  // namespace kvex::testing
