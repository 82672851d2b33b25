// Moving entries with the arrow buttons and sorting the list.
#include "contract/control_contract.h"
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

// The current entry moves, selected, whatever else is selected; up stops
// just below the default.
TEST_F(MoveFilters, CurrentEntrySwapsWithItsNeighbourAndIsSelected) {
    view.lstPat->UserClick(3);
    CtrlClick({1, 1});  // entry 1 current but not selected
    view.cmdPatD->Click();
    EXPECT_EQ(Items(), WithDefault({"*.b", "*.a", "*.c"}));
    EXPECT_EQ(Selection(), (std::vector<int>{2, 3}));

    view.lstPat->UserClick(3);
    for (int k = 0; k < 3; ++k) view.cmdPatU->Click();
    EXPECT_EQ(Items(), WithDefault({"*.c", "*.b", "*.a"}));
    EXPECT_EQ(view.lstPat->ListIndex(), 1);
}

// Nothing moves without a current entry, nor the default, nor the last entry down.
TEST_F(MoveFilters, DefaultLastOrNoCurrentEntryDoesNotMove) {
    const auto before = Items();
    view.cmdPatU->Click();
    view.cmdPatD->Click();
    view.lstPat->UserClick(0);
    view.cmdPatU->Click();
    view.cmdPatD->Click();
    view.lstPat->UserClick(3);
    view.cmdPatD->Click();
    EXPECT_EQ(Items(), before);
}

// Sorting orders by UTF-16 code (capitals first), leaves nothing selected
// and puts back the shared default first, not the text it removed.
TEST_F(MoveFilters, SortKeepsTheSharedDefaultFirst) {
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
