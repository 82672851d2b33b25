// The Filter Maker's list operations, each driven once through the real window
// as a user would, with the message boxes and beeps they give: Test/Add,
// removal, combining, moving, the list's pop-up menu, the live check of the
// two text boxes and the pictures. The rules behind them are the native
// suites' business.
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
    EXPECT_TRUE(NoMessageBox(thread()));
}

TEST_F(FilterMakerList, TheBoxesAreCheckedAsTypedAndTestAddReportsWhatItCannotUse) {
    ASSERT_TRUE(BeepCounterInstalled());
    ASSERT_TRUE(OpenOn({}));
    struct Case {
        const wchar_t* text;
        bool inError;
        long beeps;  // the character check and the pattern trial each beep
    };
    for (const Case& c : {Case{L"h|m", true, 1}, Case{L"[a|", true, 2}, Case{L"html", false, 0}}) {
        SCOPED_TRACE(Narrow(c.text));
        const long before = BeepCount();
        Type(fm().txtFE, c.text);
        EXPECT_EQ(IsShown(fm().errInput2), c.inError);
        EXPECT_EQ(IsEnabled(fm().testAdd), !c.inError);
        EXPECT_FALSE(IsShown(fm().errInput1));
        EXPECT_EQ(BeepCount() - before, c.beeps);
    }

    // The point between the boxes only beeps.
    const long before = BeepCount();
    RECT r{};
    GetClientRect(fm().lblF, &r);
    PostMouseClick(fm().lblF, POINT{r.right / 2, r.bottom / 2});
    session_->Settle();
    EXPECT_EQ(BeepCount() - before, 1);

    // A valid change in one box enables Test/Add, which checks both parts again.
    Type(fm().txtEF, L"a<b");
    EXPECT_FALSE(IsEnabled(fm().testAdd));
    Type(fm().txtFE, L"txt");
    EXPECT_TRUE(IsShown(fm().errInput1));
    ASSERT_TRUE(IsEnabled(fm().testAdd));
    PostClick(fm().testAdd);
    EXPECT_TRUE(ShowsMessageBox(thread(), L"Invalid Characters", kInvalidCharsText, {IDOK}, BoxIcon::Stop));
    EXPECT_TRUE(Answer(thread(), L"Invalid Characters", IDOK));

    // A pattern the matcher cannot use: its error, titled with the application title.
    Type(fm().txtFE, L"[ht");
    Type(fm().txtEF, L"*");
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

TEST_F(FilterMakerList, AFullListRefusesTestAddWithTheLimitMessage) {
    std::vector<std::string> entries;
    for (int i = 1; entries.size() < 74; ++i) entries.push_back("*.e" + std::to_string(i));
    ASSERT_TRUE(OpenOn(entries));  // 75 entries with the default filter
    ASSERT_EQ(fm().CountText(), CountLabelFor(75));
    PostClick(fm().testAdd);
    EXPECT_TRUE(ShowsMessageBox(thread(), L"75 filters Max", L"75 filters Max exceeded", {IDOK},
                                BoxIcon::Exclamation));
    EXPECT_TRUE(Answer(thread(), L"75 filters Max", IDOK));
    session_->Settle();
    EXPECT_EQ(ListCount(fm().lstPat), 75);
}

TEST_F(FilterMakerList, RemovalAsksFirstAndIsRefusedWhileTheDefaultFilterIsCurrent) {
    ASSERT_TRUE(OpenOn({"*.a", "*.b", "*.c"}));
    Select({0, 2, 3});  // entry 3 is current
    PostClick(fm().remove);
    EXPECT_TRUE(ShowsMessageBox(thread(), L"Please confirm removal of item?", L"Please confirm removal?",
                                {IDYES, IDNO}, BoxIcon::Question, IDNO));
    EXPECT_TRUE(Answer(thread(), L"Please confirm removal of item?", IDNO));
    session_->Settle();
    EXPECT_EQ(ListCount(fm().lstPat), 4);

    Select({0, 2, 3});
    PostClick(fm().remove);
    EXPECT_TRUE(Answer(thread(), L"Please confirm removal of item?", IDYES));
    session_->Settle();
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.a"}));
    EXPECT_EQ(fm().CountText(), CountLabelFor(2));

    Select({1, 0});  // entry 0 current
    PostClick(fm().remove);
    EXPECT_TRUE(ShowsMessageBox(thread(), L"Default filter index...", L"Default filter index...", {IDOK},
                                BoxIcon::Exclamation));
    EXPECT_TRUE(Answer(thread(), L"Default filter index...", IDOK));
    session_->Settle();
    EXPECT_EQ(ListCount(fm().lstPat), 2);
}

TEST_F(FilterMakerList, CombiningAppendsTheJoinedFilterSelectsAListedOneWithABeepAndRefuses256Characters) {
    ASSERT_TRUE(BeepCounterInstalled());
    const std::string a = "*." + std::string(124, 'a');  // 126 characters
    const std::string b = "*." + std::string(126, 'b');  // 128: a;b is 255
    const std::string c = "*." + std::string(127, 'c');  // 129: a;c is 256
    ASSERT_TRUE(OpenOn({a, b, c}));

    Select({1, 2});
    EXPECT_EQ(fm().LengthText(), L"New filter length (255)");
    Press(fm().combine);
    ASSERT_EQ(ListCount(fm().lstPat), 5);
    const std::string joined = a + ";" + b;
    EXPECT_EQ(ListText(fm().lstPat, 4), std::wstring(joined.begin(), joined.end()));
    EXPECT_EQ(ListSelection(fm().lstPat), std::vector<int>{4});
    EXPECT_EQ(fm().CountText(), CountLabelFor(5));

    Select({1, 2});
    const long beeps = BeepCount();
    Press(fm().combine);
    EXPECT_EQ(ListCount(fm().lstPat), 5);
    EXPECT_EQ(ListSelection(fm().lstPat), std::vector<int>{4});
    EXPECT_EQ(BeepCount() - beeps, 1);

    Select({1, 3});
    EXPECT_EQ(fm().LengthText(), L"New filter length (256)");
    PostClick(fm().combine);
    auto box = WaitForMessageBox(thread(), L"Filter exceeds 255 characters");
    ASSERT_TRUE(box);
    std::wstring text = box->text;  // line ends may show as CR LF
    text.erase(std::remove(text.begin(), text.end(), L'\r'), text.end());
    EXPECT_EQ(text, L"Combined length of new filter exceeds 255 characters.\n\n\n"
                    L"Suggestion reduce the length of the filter string, by selecting fewer filters.");
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box->icon, BoxIcon::Exclamation);
    EXPECT_TRUE(Answer(thread(), L"Filter exceeds 255 characters", IDOK));
    session_->Settle();
    EXPECT_EQ(ListCount(fm().lstPat), 5);
}

TEST_F(FilterMakerList, ArrowsMoveTheCurrentEntryAndSortFromTheMenuOrdersTheListBehindTheDefault) {
    ASSERT_TRUE(OpenOn({"*.b", "*.a", "*.B"}));
    Select({2});
    Press(fm().up);
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.a", L"*.b", L"*.B"}));
    EXPECT_EQ(ListCaret(fm().lstPat), 1);
    Press(fm().down);
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.b", L"*.a", L"*.B"}));
    EXPECT_EQ(ListCaret(fm().lstPat), 2);

    auto menu = RightClick(2);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuItem(*menu, 4));  // Sort Filters
    session_->Settle();
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"*.B", L"*.a", L"*.b"}));
    EXPECT_TRUE(ListSelection(fm().lstPat).empty());
}

TEST_F(FilterMakerList, TheMenuOffersEditingForOneSingleFilterAndEditOutOrLikeFillTheBoxes) {
    ASSERT_TRUE(OpenOn({"*.a", "n.m.x", "*.c;*.d"}));
    struct Case {
        std::initializer_list<int> select;
        bool editable;
    };
    for (const Case& c : {Case{{1}, true}, Case{{0}, false}, Case{{3}, false}}) {
        SCOPED_TRACE(*c.select.begin());
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

    Select({2});
    auto menu = RightClick(2);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuItem(*menu, 2));  // Edit Like
    session_->Settle();
    EXPECT_EQ(TextOf(fm().txtEF), L"n");  // only the first two pieces
    EXPECT_EQ(TextOf(fm().txtFE), L"m");
    EXPECT_EQ(ListCount(fm().lstPat), 4);

    Select({1});
    menu = RightClick(1);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseMenuItem(*menu, 0));  // Edit Out
    session_->Settle();
    EXPECT_EQ(TextOf(fm().txtEF), L"*");
    EXPECT_EQ(TextOf(fm().txtFE), L"a");
    EXPECT_EQ(fm().Items(), (Items{kDefaultFilter, L"n.m.x", L"*.c;*.d"}));
}

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

}  // namespace
}  // namespace kvex::testing
