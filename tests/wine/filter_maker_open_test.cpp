// Opening and closing the Filter Maker through COM: what the arguments
// select, what every way of closing returns and writes, and the window
// position kept in position.ini.
#include <gtest/gtest.h>

#include <system_error>

#include "fixtures.h"

namespace kvex::testing {
namespace {

namespace fs = std::filesystem;

TEST(FilterMakerOpen, EmptyArgumentsShowTheDefaultsWithTheComponentsIconsAndCreateTheFiltersFolder) {
    const fs::path filters = ComponentFolder() / L"Filters";
    ASSERT_FALSE(ComponentFolder().empty()) << "kvexfilt.clsFMfilter is not registered";
    std::error_code ignored;
    fs::remove_all(filters, ignored);
    const auto icon101 = ResourceIconPixels(101), icon102 = ResourceIconPixels(102);
    ASSERT_NE(icon101, icon102);

    FilterMakerSession session(FilterMakerArgs{}, FilterMakerCaption());
    ASSERT_TRUE(session.Opened());
    auto& fm = session.fm();
    EXPECT_EQ(fm.Items(), std::vector<std::wstring>{kDefaultFilter});
    EXPECT_FALSE(IsEnabled(fm.cmdSave));
    EXPECT_TRUE(fs::is_directory(filters));
    EXPECT_EQ(IconPixels(WindowIcon(fm.window)), icon101);
    EXPECT_EQ(IconPixels(StaticIcon(fm.image1[0])), icon102);
    EXPECT_EQ(IconPixels(StaticIcon(fm.image1[1])), icon101);

    ASSERT_TRUE(session.CloseWith(fm.cmdCancel));
    EXPECT_FALSE(fs::exists(filters / L"filters.dlk"));
    fs::remove_all(filters, ignored);
}

class FilterMakerClosing : public FilterMakerTest {};

TEST_F(FilterMakerClosing, EveryWayReturnsTrueButOnlyOkWritesTheListWithTheHostsDefaultFirst) {
    enum class Way { Ok, Cancel, CloseBox };
    struct Case {
        Way way;
        Binding binding;
        const char* name;
    };
    // The binding makes no difference to the dialog; each way uses another one.
    for (const Case& c : {Case{Way::Ok, Binding::Early, "OK, early-bound"},
                          Case{Way::Cancel, Binding::Late, "Cancel, late-bound"},
                          Case{Way::CloseBox, Binding::Script, "close box, script-style"}}) {
        SCOPED_TRACE(c.name);
        // The file lacks the host's default filter, so the list differs from it.
        WriteDlk({"*.txt", "*.log"});
        const std::string before = ReadBytes(Dlk());

        FilterMakerSession session(FilterMakerArgs{L"*.c;*.h", folder_.path().wstring(), {}, {}},
                                   FilterMakerCaption(), c.binding);
        ASSERT_TRUE(session.Opened());
        auto& fm = session.fm();
        ASSERT_EQ(fm.Items(), (std::vector<std::wstring>{L"*.c;*.h", L"*.txt", L"*.log"}));

        switch (c.way) {
            case Way::Ok: ASSERT_TRUE(session.CloseWith(fm.cmdOK)); break;
            case Way::Cancel: ASSERT_TRUE(session.CloseWith(fm.cmdCancel)); break;
            case Way::CloseBox: ASSERT_TRUE(session.CloseWithCloseBox()); break;
        }
        if (c.way == Way::Ok) {
            EXPECT_EQ(ReadBytes(Dlk()), CrLfLines({"*.c;*.h", "*.txt", "*.log"}));
        } else {
            EXPECT_EQ(ReadBytes(Dlk()), before);
        }
    }
}

TEST_F(FilterMakerClosing, AListFileArgumentNamesTheCaptionAndOkWritesItLikeFiltersDlk) {
    WriteDlk({"*.dlk-only"});
    const fs::path list = folder_ / L"web.plk";
    WriteBytes(list, CrLfLines({"*.htm;*.html", "*.css", "*.js"}));

    FilterMakerArgs args{L"", folder_.path().wstring(), L"*.log", list.wstring()};
    FilterMakerSession session(args, FilterMakerCaption(L"web.plk"));
    ASSERT_TRUE(session.Opened());
    auto& fm = session.fm();
    EXPECT_EQ(fm.Items(), (std::vector<std::wstring>{kDefaultFilter, L"*.css", L"*.js"}));
    EXPECT_TRUE(IsEnabled(fm.cmdSave));
    // The filter handed in for editing was split into the two boxes at load.
    EXPECT_EQ(TextOf(fm.txtEF), L"*");
    EXPECT_EQ(TextOf(fm.txtFE), L"log");

    ASSERT_TRUE(session.CloseWith(fm.cmdOK));
    const std::string expected = CrLfLines({"*.htm;*.html", "*.css", "*.js"});
    EXPECT_EQ(ReadBytes(list), expected);
    EXPECT_EQ(ReadBytes(Dlk()), expected);
}

TEST_F(FilterMakerClosing, ReopensWhereAndAsLargeAsItWasClosedAndCannotBeMadeSmallerThan603By404) {
    std::error_code ignored;
    fs::remove(ComponentFolder() / L"position.ini", ignored);
    const RECT placed{137, 91, 137 + 700, 91 + 480};
    {
        FilterMakerSession session(InFolder(), FilterMakerCaption());
        ASSERT_TRUE(session.Opened());
        SetWindowPos(session.fm().window, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        session.Settle();
        const RECT floor = WindowRect(session.fm().window);
        EXPECT_GE(floor.right - floor.left, 603);
        EXPECT_GE(floor.bottom - floor.top, 404);
        SetWindowPos(session.fm().window, nullptr, placed.left, placed.top, placed.right - placed.left,
                     placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
        session.Settle();
        ASSERT_TRUE(session.CloseWithCloseBox());
    }
    EXPECT_TRUE(fs::exists(ComponentFolder() / L"position.ini"));

    FilterMakerSession again(InFolder(), FilterMakerCaption());
    ASSERT_TRUE(again.Opened());
    const RECT now = WindowRect(again.fm().window);
    EXPECT_EQ(now.left, placed.left);
    EXPECT_EQ(now.top, placed.top);
    EXPECT_EQ(now.right - now.left, placed.right - placed.left);
    EXPECT_EQ(now.bottom - now.top, placed.bottom - placed.top);
    ASSERT_TRUE(again.CloseWith(again.fm().cmdCancel));
}

}  // namespace
}  // namespace kvex::testing
