// The Filter Maker's list operations, driven through the real window as a
// user would: Test/Add, removal, combining, moving, the list's pop-up menu,
// and the live check of the two text boxes.
#include <gtest/gtest.h>

#include <algorithm>

#include "beep_counter.h"
#include "fixtures.h"

namespace kvex::testing {
namespace {

using Items = std::vector<std::wstring>;

const std::wstring kInvalidCharsText =
    L"Filters can not contain any of the following characters:\r\n  \r\n" + std::wstring(24, L' ') +
    L" ;  ,  <  >  /  \\  :  \"  |";

using FilterMakerList = FilterMakerUi;

// ---- Test/Add ------------------------------------------------------------------

TEST_F(FilterMakerList, TestAddAppendsTheNewFilterAloneSelectedAndAnAgainPressSelectsItWithABeep) {
    ASSERT_TRUE(BeepCounterInstalled());
    ASSERT_TRUE(OpenOn({"*.txt", "*.log"}));
    Select({1, 2});

    Press(fm().testAdd);
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.txt", L"*.log", L"*.htm"}));
    EXPECT_EQ(ListSelection(fm().lstPat), std::vector<int>{3});
    EXPECT_EQ(fm().CountText(), CountLabelFor(4));

    Select({1});
    const long beeps = BeepCount();
    Press(fm().testAdd);
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.txt", L"*.log", L"*.htm"}));
    EXPECT_EQ(ListSelection(fm().lstPat), std::vector<int>{3});
    EXPECT_EQ(BeepCount() - beeps, 1);
    EXPECT_EQ(fm().LengthText(), L"New filter length (5)");
    EXPECT_EQ(fm().CountText(), CountLabelFor(4));
    EXPECT_TRUE(NoMessageBox(thread()));
}

TEST_F(FilterMakerList, TestAddTrimsThePartsButKeepsTheBoxesAndRespectsLetterCase) {
    ASSERT_TRUE(OpenOn({"*.htm"}));
    Type(fm().txtEF, L"  *ab ");
    Type(fm().txtFE, L" htm  ");
    Press(fm().testAdd);
    Type(fm().txtEF, L"*");
    Type(fm().txtFE, L"HTM");
    Press(fm().testAdd);
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.htm", L"*ab.htm", L"*.HTM"}));
    EXPECT_EQ(TextOf(fm().txtFE), L"HTM");

    Type(fm().txtEF, L"  *ab ");
    Press(fm().testAdd);
    EXPECT_EQ(TextOf(fm().txtEF), L"  *ab ");
}

TEST_F(FilterMakerList, TestAddRechecksBothPartsAndRefusesInvalidCharactersWithTheStopMessage) {
    ASSERT_TRUE(OpenOn({}));
    // The name part is in error; a valid extension enables Test/Add again.
    Type(fm().txtEF, L"a<b");
    EXPECT_FALSE(IsEnabled(fm().testAdd));
    Type(fm().txtFE, L"txt");
    EXPECT_TRUE(IsShown(fm().errInput1));
    EXPECT_FALSE(IsShown(fm().errInput2));
    EXPECT_TRUE(IsEnabled(fm().testAdd));

    PostClick(fm().testAdd);
    EXPECT_TRUE(ShowsMessageBox(thread(), L"Invalid Characters", kInvalidCharsText, {IDOK}, BoxIcon::Stop));
    EXPECT_TRUE(Answer(thread(), L"Invalid Characters", IDOK));
    session_->Settle();
    EXPECT_EQ(fm().Items(), Items{kDefaultFilter});
}

TEST_F(FilterMakerList, TestAddReportsAnUnusablePatternWithTheMatchersError) {
    ASSERT_TRUE(OpenOn({}));
    Type(fm().txtFE, L"[ht");
    EXPECT_TRUE(IsShown(fm().errInput2));
    Type(fm().txtEF, L"*");  // a valid change in the other box enables the button
    ASSERT_TRUE(IsEnabled(fm().testAdd));

    PostClick(fm().testAdd);
    auto box = WaitForMessageBox(thread(), L"kvexfilt");
    ASSERT_TRUE(box) << "no message box titled with the application title";
    EXPECT_EQ(box->text.rfind(L"Error: ", 0), 0u) << Narrow(box->text);
    EXPECT_NE(box->text.find(L"\r\n"), std::wstring::npos);
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box->icon, BoxIcon::Exclamation);
    EXPECT_TRUE(Answer(thread(), L"kvexfilt", IDOK));
    session_->Settle();
    EXPECT_EQ(fm().Items(), Items{kDefaultFilter});
}

TEST_F(FilterMakerList, SeventyFiveEntriesAreTheMostThatAddingAllows) {
    std::vector<std::string> entries{"*.htm"};
    for (int i = 1; entries.size() < 73; ++i) entries.push_back("*.e" + std::to_string(i));
    ASSERT_TRUE(OpenOn(entries));  // 74 entries with the default filter
    Type(fm().txtFE, L"txt");
    Press(fm().testAdd);
    ASSERT_EQ(ListCount(fm().lstPat), 75);
    EXPECT_EQ(fm().CountText(), CountLabelFor(75));

    // Full: refused even for a filter that is already listed, and for combining.
    Type(fm().txtFE, L"htm");
    PostClick(fm().testAdd);
    EXPECT_TRUE(ShowsMessageBox(thread(), L"75 filters Max", L"75 filters Max exceeded", {IDOK},
                                BoxIcon::Exclamation));
    EXPECT_TRUE(Answer(thread(), L"75 filters Max", IDOK));
    Select({1, 2});
    PostClick(fm().combine);
    EXPECT_TRUE(ShowsMessageBox(thread(), L"75 filters Max", L"75 filters Max exceeded", {IDOK},
                                BoxIcon::Exclamation));
    EXPECT_TRUE(Answer(thread(), L"75 filters Max", IDOK));
    session_->Settle();
    EXPECT_EQ(ListCount(fm().lstPat), 75);
}

// ---- the live check of the boxes -----------------------------------------------------

TEST_F(FilterMakerList, EachBoxShowsItsOwnIndicatorAndBeepsOncePerFailedCheck) {
    ASSERT_TRUE(BeepCounterInstalled());
    ASSERT_TRUE(OpenOn({}));
    struct Case {
        const wchar_t* text;
        bool inError;
        long beeps;  // the pattern trial and the character check each beep
    };
    for (const Case& c : {Case{L"h|m", true, 1}, Case{L"html", false, 0}, Case{L"[a|", true, 2},
                          Case{L"   ", true, 0}, Case{L"]", false, 0}, Case{L"[z-a]", true, 1},
                          Case{L"#", false, 0}}) {
        SCOPED_TRACE(Narrow(c.text));
        const long before = BeepCount();
        Type(fm().txtFE, c.text);
        EXPECT_EQ(IsShown(fm().errInput2), c.inError);
        EXPECT_EQ(IsEnabled(fm().testAdd), !c.inError);
        EXPECT_FALSE(IsShown(fm().errInput1));
        EXPECT_EQ(BeepCount() - before, c.beeps);
    }
}

TEST_F(FilterMakerList, ClickingThePointBetweenThePartsOnlyBeeps) {
    ASSERT_TRUE(BeepCounterInstalled());
    ASSERT_TRUE(OpenOn({}));
    const long before = BeepCount();
    RECT r{};
    GetClientRect(fm().lblF, &r);
    PostMouseClick(fm().lblF, POINT{r.right / 2, r.bottom / 2});
    session_->Settle();
    EXPECT_EQ(BeepCount() - before, 1);
    EXPECT_EQ(TextOf(fm().lblF), L".");
}

// ---- removal -----------------------------------------------------------------

TEST_F(FilterMakerList, RemovalAskedAndAnsweredYesRemovesTheSelectedEntriesButNeverTheDefault) {
    ASSERT_TRUE(OpenOn({"*.a", "*.b", "*.c", "*.d"}));
    Select({0, 2, 3});  // entry 3 is current
    ASSERT_EQ(ListCaret(fm().lstPat), 3);
    PostClick(fm().remove);
    EXPECT_TRUE(ShowsMessageBox(thread(), L"Please confirm removal of item?", L"Please confirm removal?",
                                {IDYES, IDNO}, BoxIcon::Question, IDNO));
    EXPECT_TRUE(Answer(thread(), L"Please confirm removal of item?", IDYES));
    session_->Settle();
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.a", L"*.d"}));
    EXPECT_EQ(fm().CountText(), CountLabelFor(3));
    EXPECT_EQ(fm().LengthText(), L"New filter length (0)");
}

TEST_F(FilterMakerList, RemovalAnsweredNoRemovesNothingYetResetsTheLengthLabel) {
    ASSERT_TRUE(OpenOn({"*.a", "*.b"}));
    Select({2});
    ASSERT_EQ(fm().LengthText(), L"New filter length (3)");
    PostClick(fm().remove);
    EXPECT_TRUE(Answer(thread(), L"Please confirm removal of item?", IDNO));
    session_->Settle();
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.a", L"*.b"}));
    EXPECT_EQ(fm().LengthText(), L"New filter length (0)");
}

TEST_F(FilterMakerList, RemovalWithTheDefaultFilterCurrentIsRefused) {
    ASSERT_TRUE(OpenOn({"*.a", "*.b", "*.c", "*.d", "*.e"}));
    Select({5, 0});  // entry 0 current, entry 5 selected too
    ASSERT_EQ(ListCaret(fm().lstPat), 0);
    PostClick(fm().remove);
    EXPECT_TRUE(ShowsMessageBox(thread(), L"Default filter index...", L"Default filter index...", {IDOK},
                                BoxIcon::Exclamation));
    EXPECT_TRUE(Answer(thread(), L"Default filter index...", IDOK));
    session_->Settle();
    EXPECT_EQ(ListCount(fm().lstPat), 6);
}

// ---- combining -------------------------------------------------------------------

TEST_F(FilterMakerList, CombiningSelectedEntriesAppendsTheJoinedItemsOnce) {
    ASSERT_TRUE(OpenOn({"*.txt", "*.htm"}));
    Select({0, 1, 2});
    EXPECT_EQ(fm().LengthText(), L"New filter length (18)");  // *.htm;*.html;*.txt
    Press(fm().combine);
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.txt", L"*.htm", L"*.htm;*.html;*.txt"}));
    EXPECT_EQ(ListSelection(fm().lstPat), std::vector<int>{3});
    EXPECT_EQ(fm().CountText(), CountLabelFor(4));
}

TEST_F(FilterMakerList, ACombinationThatIsAlreadyListedIsSelectedWithABeep) {
    ASSERT_TRUE(BeepCounterInstalled());
    ASSERT_TRUE(OpenOn({"*.htm", "*.txt"}));
    Select({0, 1});
    const long before = BeepCount();
    Press(fm().combine);
    EXPECT_EQ(ListCount(fm().lstPat), 3);
    EXPECT_EQ(ListSelection(fm().lstPat), std::vector<int>{0});
    EXPECT_EQ(BeepCount() - before, 1);
}

TEST_F(FilterMakerList, TheLengthLabelIgnoresLetterCaseWhileTheBuilderDoesNot) {
    ASSERT_TRUE(OpenOn({"*.htm", "*.HTM"}));
    Select({1, 2});
    EXPECT_EQ(fm().LengthText(), L"New filter length (5)");
    Press(fm().combine);
    EXPECT_EQ(ListText(fm().lstPat, 3), L"*.htm;*.HTM");
}

TEST_F(FilterMakerList, ACombinedFilterMayHold255CharactersButNot256) {
    const std::string a = "*." + std::string(124, 'a');  // 126 characters
    const std::string b = "*." + std::string(126, 'b');  // 128: a;b is 255
    const std::string c = "*." + std::string(127, 'c');  // 129: a;c is 256
    ASSERT_TRUE(OpenOn({a, b, c}));

    Select({1, 2});
    EXPECT_EQ(fm().LengthText(), L"New filter length (255)");
    Press(fm().combine);
    ASSERT_EQ(ListCount(fm().lstPat), 5);
    EXPECT_EQ(ListText(fm().lstPat, 4).size(), 255u);

    Select({1, 3});
    EXPECT_EQ(fm().LengthText(), L"New filter length (256)");
    PostClick(fm().combine);
    auto box = WaitForMessageBox(thread(), L"Filter exceeds 255 characters");
    ASSERT_TRUE(box);
    const std::wstring first = L"Combined length of new filter exceeds 255 characters.";
    const std::wstring last = L"Suggestion reduce the length of the filter string, by selecting fewer filters.";
    ASSERT_GT(box->text.size(), first.size() + last.size());
    EXPECT_EQ(box->text.substr(0, first.size()), first);
    EXPECT_EQ(box->text.substr(box->text.size() - last.size()), last);
    const std::wstring gap = box->text.substr(first.size(), box->text.size() - first.size() - last.size());
    EXPECT_EQ(std::count(gap.begin(), gap.end(), L'\n'), 3) << "three line breaks between the sentences";
    EXPECT_EQ(gap.find_first_not_of(L"\r\n"), std::wstring::npos);
    EXPECT_EQ(box->icon, BoxIcon::Exclamation);
    EXPECT_TRUE(Answer(thread(), L"Filter exceeds 255 characters", IDOK));
    session_->Settle();
    EXPECT_EQ(ListCount(fm().lstPat), 5);
}

// ---- moving and sorting -------------------------------------------------------------

TEST_F(FilterMakerList, ArrowsMoveTheCurrentEntryButNeverIntoOrOutOfTheFirstPlace) {
    ASSERT_TRUE(OpenOn({"*.a", "*.b", "*.c"}));
    Select({2});
    Press(fm().up);
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.b", L"*.a", L"*.c"}));
    auto selected = ListSelection(fm().lstPat);
    EXPECT_NE(std::find(selected.begin(), selected.end(), 1), selected.end());

    Select({1});
    Press(fm().up);  // nothing moves into position 0
    Select({0});
    Press(fm().down);  // nor out of it
    Select({3});
    Press(fm().down);  // the last entry stays last
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.b", L"*.a", L"*.c"}));

    Select({1});
    Press(fm().down);
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.a", L"*.b", L"*.c"}));
    selected = ListSelection(fm().lstPat);
    EXPECT_NE(std::find(selected.begin(), selected.end(), 2), selected.end());
}

TEST_F(FilterMakerList, SortFromTheMenuOrdersByCodeUnitsBehindTheDefaultAndClearsTheSelection) {
    ASSERT_TRUE(OpenOn({"x.*", "*.b", "*.htm;*.html", "*.B", "*.a"}));
    Select({1, 2});
    auto menu = RightClick(2);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuItem(*menu, 4));
    session_->Settle();
    EXPECT_EQ(fm().Items(),
              (Items{kDefaultFilter, L"*.B", L"*.a", L"*.b", L"*.htm;*.html", L"x.*"}));
    EXPECT_TRUE(ListSelection(fm().lstPat).empty());
}

// ---- the list's pop-up menu ------------------------------------------------------------

TEST_F(FilterMakerList, TheMenuOffersEditingOnlyForOneSelectedSingleFilterBelowTheDefault) {
    ASSERT_TRUE(OpenOn({"*.a", "*.b", "*.c;*.d"}));
    struct Case {
        std::initializer_list<int> select;
        bool editable;
        const char* name;
    };
    for (const Case& c : {Case{{0}, false, "default filter current"}, Case{{1}, true, "one single filter"},
                          Case{{1, 2}, false, "two selected"}, Case{{3}, false, "a combined filter"}}) {
        SCOPED_TRACE(c.name);
        Select(c.select);
        EXPECT_FALSE(FindTopWindow({thread(), 0, L"#32768", std::nullopt})) << "a left click opens no menu";
        auto menu = RightClick(*(c.select.end() - 1));
        ASSERT_TRUE(menu);
        const auto items = MenuItems(menu->menu);
        DismissMenu(*menu);
        ASSERT_EQ(items.size(), 5u);
        EXPECT_EQ(items[0].text, L"Edit Out");
        EXPECT_TRUE(items[0].isDefault);
        EXPECT_TRUE(items[1].separator);
        EXPECT_EQ(items[2].text, L"Edit Like");
        EXPECT_TRUE(items[3].separator);
        EXPECT_EQ(items[4].text, L"Sort Filters");
        EXPECT_EQ(items[0].enabled, c.editable);
        EXPECT_EQ(items[2].enabled, c.editable);
        EXPECT_TRUE(items[4].enabled);
        ASSERT_TRUE(WaitUntilGone(menu->window));
    }
}

TEST_F(FilterMakerList, EditOutTakesTheEntryIntoTheBoxesAndEditLikeCopiesIt) {
    ASSERT_TRUE(OpenOn({"*.a", "n.m.x", "*.c"}));
    Select({2});
    auto menu = RightClick(2);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuItem(*menu, 2));  // Edit Like
    session_->Settle();
    EXPECT_EQ(TextOf(fm().txtEF), L"n");  // only the first two pieces
    EXPECT_EQ(TextOf(fm().txtFE), L"m");
    EXPECT_EQ(ListCount(fm().lstPat), 4);

    Select({3});
    menu = RightClick(3);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuItem(*menu, 0));  // Edit Out
    session_->Settle();
    EXPECT_EQ(TextOf(fm().txtEF), L"*");
    EXPECT_EQ(TextOf(fm().txtFE), L"c");
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.a", L"n.m.x"}));
}

// ---- the pictures open the Edit Filter dialog on one part ----------------------------------

TEST_F(FilterMakerList, APictureEditsItsPartInTheEditFilterDialog) {
    ASSERT_TRUE(OpenOn({}));
    struct Case {
        int image;
        HWND FilterMakerWindow::*box;
        const wchar_t* before;
        bool ok;
        const wchar_t* after;
    };
    for (const Case& c : {Case{1, &FilterMakerWindow::txtFE, L"htm", true, L"html"},
                          Case{0, &FilterMakerWindow::txtEF, L"*", false, L"*"}}) {
        SCOPED_TRACE(c.image);
        RECT r{};
        GetClientRect(fm().image1[c.image], &r);
        PostMouseClick(fm().image1[c.image], POINT{r.right / 2, r.bottom / 2});
        HWND dialog = WaitForTopWindow({thread(), 0, {}, kEditFilterCaption});
        ASSERT_TRUE(dialog);
        auto ef = EditFilterWindow::Find(dialog);
        ASSERT_TRUE(ef);
        EXPECT_EQ(TextOf(ef->txtEF), c.before);
        EXPECT_FALSE(IsEnabled(fm().window)) << "the Filter Maker takes no input meanwhile";
        SetEditText(ef->txtEF, L"html");
        PostClick(c.ok ? ef->cmdOK : ef->cmdCancel);
        ASSERT_TRUE(WaitUntilGone(dialog));
        session_->Settle();
        EXPECT_EQ(TextOf(fm().*c.box), c.after);
    }
}

// ---- what OK and Cancel keep ---------------------------------------------------------------

TEST_F(FilterMakerList, OkWritesTheEditedListWithCrLfAndCancelLeavesTheFileByteForByte) {
    ASSERT_TRUE(OpenOn({"*.a", "*.b"}));
    const std::string original = ReadBytes(Dlk());
    Type(fm().txtFE, L"txt");
    Press(fm().testAdd);
    Select({1});
    PostClick(fm().remove);
    ASSERT_TRUE(Answer(thread(), L"Please confirm removal of item?", IDYES));
    session_->Settle();
    ASSERT_TRUE(session_->CloseWith(fm().cmdCancel));
    EXPECT_EQ(ReadBytes(Dlk()), original);

    ASSERT_TRUE(OpenOn({"*.a", "*.b"}));
    Type(fm().txtFE, L"txt");
    Press(fm().testAdd);
    Select({1});
    PostClick(fm().remove);
    ASSERT_TRUE(Answer(thread(), L"Please confirm removal of item?", IDYES));
    session_->Settle();
    ASSERT_TRUE(session_->CloseWith(fm().cmdOK));
    EXPECT_EQ(ReadBytes(Dlk()), "*.htm;*.html\r\n*.b\r\n*.txt\r\n");
}

}  // namespace
}  // namespace kvex::testing
