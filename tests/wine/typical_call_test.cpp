// The call a host makes most: open with empty arguments, add a filter, combine
// two entries, OK; and OK when the filter folder refuses to be written.
#include <gtest/gtest.h>

#include <system_error>

#include "fixtures.h"

namespace kvex::testing {
namespace {

namespace fs = std::filesystem;

class TypicalCall : public FilterMakerUi {};

TEST_F(TypicalCall, AddCombineAndOkLeaveTheHostExactlyTheseLines) {
    const fs::path filters = ComponentFolder() / L"Filters";
    ASSERT_FALSE(ComponentFolder().empty()) << "kvexfilt.clsFMfilter is not registered";
    std::error_code ignored;
    fs::remove_all(filters, ignored);
    fs::create_directory(filters, ignored);
    WriteBytes(filters / L"filters.dlk", CrLfLines({"*.txt"}));

    ASSERT_TRUE(OpenSession(FilterMakerArgs{}, FilterMakerCaption()));
    ASSERT_EQ(fm().Items(), (std::vector<std::wstring>{kDefaultFilter, L"*.txt"}));

    Type(fm().txtEF, L"report#");
    Type(fm().txtFE, L"doc");
    Press(fm().testAdd);
    Select({1, 2});
    EXPECT_EQ(fm().LengthText(), L"New filter length (17)");
    Press(fm().combine);
    EXPECT_EQ(fm().Items(),
              (std::vector<std::wstring>{kDefaultFilter, L"*.txt", L"report#.doc", L"*.txt;report#.doc"}));
    EXPECT_EQ(fm().CountText(), CountLabelFor(4));
    EXPECT_TRUE(NoMessageBox(thread()));

    ASSERT_TRUE(session_->CloseWith(fm().cmdOK));  // also checks the call returned True
    EXPECT_EQ(ReadBytes(filters / L"filters.dlk"),
              "*.htm;*.html\r\n*.txt\r\nreport#.doc\r\n*.txt;report#.doc\r\n");
    fs::remove_all(filters, ignored);
}

TEST_F(TypicalCall, OkIntoAFolderThatCannotBeWrittenClosesQuietlyAndKeepsTheOldList) {
    WriteDlk({"*.htm;*.html", "*.old"});
    const std::string before = ReadBytes(Dlk());
    ASSERT_TRUE(OpenSession(InFolder(), FilterMakerCaption()));
    Type(fm().txtFE, L"new");
    Press(fm().testAdd);
    ASSERT_EQ(fm().Items().size(), 3u);

    // Read-only while the dialog is open: the save has to fail.
    const std::wstring folder = Dlk().parent_path().wstring();
    const std::wstring file = Dlk().wstring();
    ASSERT_TRUE(SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    PostClick(fm().cmdOK);
    const bool closed = session_->call().Join();
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);

    ASSERT_TRUE(closed) << "OK did not close the dialog";
    EXPECT_EQ(session_->call().result().hr, S_OK);
    EXPECT_EQ(session_->call().result().value, VARIANT_TRUE);
    EXPECT_TRUE(NoMessageBox(thread()));
    EXPECT_EQ(ReadBytes(Dlk()), before);
    std::vector<std::wstring> leftovers;
    for (const auto& entry : fs::directory_iterator(Dlk().parent_path()))
        if (entry.path().filename() != L"filters.dlk") leftovers.push_back(entry.path().filename().wstring());
    EXPECT_TRUE(leftovers.empty()) << "temporary files left behind";
}

}  // namespace
}  // namespace kvex::testing
