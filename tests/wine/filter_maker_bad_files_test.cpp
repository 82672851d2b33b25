// filters.dlk as a damaged disk or another program may leave it: huge,
// binary, without line ends, with NUL bytes. The Filter Maker opens on it
// within the list's limits (75 records and the default filter), and OK writes
// a list that reads back the same. A save that cannot put the new list in
// place leaves the old one whole.
#include <gtest/gtest.h>

#include <chrono>
#include <algorithm>
#include <random>

#include "fixtures.h"
#include "handles.h"

namespace kvex::testing {
namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::wstring>;

constexpr size_t kMaxRecords = 75;
constexpr size_t kHuge = 50u * 1024u * 1024u;

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xff);
    return bytes;
}

std::string Narrowed(const std::wstring& text) {
    std::string out;
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    out.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// What every loaded list must be, whatever the file held.
::testing::AssertionResult WithinTheLimits(const Items& items) {
    if (items.empty() || items[0] != kDefaultFilter)
        return ::testing::AssertionFailure() << "the default filter is not first";
    if (items.size() > kMaxRecords + 1)
        return ::testing::AssertionFailure() << items.size() << " entries, more than 75 records and the default";
    for (size_t k = 1; k < items.size(); ++k) {
        const std::wstring& item = items[k];
        if (item.empty()) return ::testing::AssertionFailure() << "entry " << k << " is empty";
        if (item.find_first_of(std::wstring(L"\0\r\n", 3)) != std::wstring::npos)
            return ::testing::AssertionFailure() << "entry " << k << " holds a NUL or a line end";
        if (item.front() == L' ' || item.back() == L' ' || item.front() == L'\t' || item.back() == L'\t')
            return ::testing::AssertionFailure() << "entry " << k << " is not trimmed";
    }
    return ::testing::AssertionSuccess();
}

// Entry count and lengths, for a failure message.
std::string Describe(const Items& items) {
    std::string text = std::to_string(items.size()) + " entries of lengths";
    for (const std::wstring& item : items) text += " " + std::to_string(item.size());
    return text;
}

class FilterMakerBadFiles : public FilterMakerTest {
protected:
    // Opens on filters.dlk holding the bytes and presses OK; returns the list
    // it showed, and checks what OK wrote.
    Items OpenAndConfirm(const std::string& bytes) {
        WriteBytes(Dlk(), bytes);
        const auto started = std::chrono::steady_clock::now();
        FilterMakerSession session(InFolder(), FilterMakerCaption());
        EXPECT_TRUE(session.Opened());
        if (!session.Opened()) return {};
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)) << "slow to open";
        const Items shown = session.fm().Items();
        EXPECT_EQ(session.fm().CountText(), CountLabelFor(shown.size()));
        EXPECT_TRUE(session.CloseWith(session.fm().cmdOK));
        std::vector<std::string> lines;
        for (size_t k = 0; k < shown.size() && k < kMaxRecords; ++k) lines.push_back(Narrowed(shown[k]));
        const std::string written = ReadBytes(Dlk());
        EXPECT_TRUE(written == CrLfLines(lines)) << "OK writes the first 75 entries, one per CR LF line; "
                                                 << written.size() << " bytes written";
        return shown;
    }

    // What OK wrote reads back as the list showed it (75 entries at most).
    void ExpectReadsBack(const Items& shown) {
        FilterMakerSession session(InFolder(), FilterMakerCaption());
        ASSERT_TRUE(session.Opened());
        const Items again = session.fm().Items();
        EXPECT_TRUE(session.CloseWith(session.fm().cmdCancel));
        const Items expected(shown.begin(), shown.begin() + static_cast<long>(std::min(shown.size(), kMaxRecords)));
        // Compared without printing: an entry may be megabytes long.
        EXPECT_TRUE(again == expected) << "the written list reads back otherwise: " << Describe(again) << " for "
                                       << Describe(expected);
    }
};

TEST_F(FilterMakerBadFiles, AHugeFileGivesItsFirst75RecordsAfterTheDefault) {
    std::string bytes;
    bytes.reserve(kHuge + 32);
    for (int n = 1; bytes.size() < kHuge; ++n) bytes += "*.e" + std::to_string(n) + "\r\n";
    const Items items = OpenAndConfirm(bytes);
    EXPECT_TRUE(WithinTheLimits(items));
    ExpectReadsBack(items);
    ASSERT_EQ(items.size(), kMaxRecords + 1);
    EXPECT_EQ(items[1], L"*.e1");
    EXPECT_EQ(items[75], L"*.e75");
}

TEST_F(FilterMakerBadFiles, RandomBinaryBytesGiveAListWithinTheLimits) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        const Items items = OpenAndConfirm(RandomBytes(seed == 3 ? kHuge : 64 * 1024, seed));
        EXPECT_TRUE(WithinTheLimits(items));
        ExpectReadsBack(items);
    }
}

TEST_F(FilterMakerBadFiles, AFileWithoutLineEndsIsOneLongRecord) {
    for (size_t size : {size_t{1024 * 1024}, kHuge}) {
        SCOPED_TRACE(size);
        const Items items = OpenAndConfirm(std::string(size, 'a'));
        EXPECT_TRUE(WithinTheLimits(items));
        ASSERT_EQ(items.size(), 2u);
        EXPECT_TRUE(items[1] == std::wstring(items[1].size(), L'a'));
        // Past the reading limit the written line is cut again on reading.
        if (size < kHuge) ExpectReadsBack(items);
    }
}

TEST_F(FilterMakerBadFiles, NulBytesAreDroppedWhereverTheyStand) {
    const char raw[] = "\0*.a\0b\r\n\0\0\r\n*.c\0\0,\0\0*.d\0";
    const std::string bytes(raw, sizeof raw - 1);
    const Items items = OpenAndConfirm(bytes);
    EXPECT_EQ(items, (Items{kDefaultFilter, L"*.ab", L"*.c", L"*.d"}));
    ExpectReadsBack(items);
}

TEST_F(FilterMakerBadFiles, AnOkThatCannotReplaceTheListLeavesTheOldOneWholeAndNothingElse) {
    WriteDlk({"*.htm;*.html", "*.old"});
    const std::string before = ReadBytes(Dlk());
    FilterMakerSession session(InFolder(), FilterMakerCaption());
    ASSERT_TRUE(session.Opened());
    SetEditText(session.fm().txtFE, L"new");
    session.Settle();
    PostClick(session.fm().testAdd);
    session.Settle();
    ASSERT_EQ(session.fm().Items(), (Items{kDefaultFilter, L"*.old", L"*.new"}));
    {
        // Another program holds the list open for reading and writing, not
        // for deletion: the new list can be written beside it but cannot
        // take its place.
        UniqueHandle holder(CreateFileW(Dlk().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        ASSERT_TRUE(session.CloseWith(session.fm().cmdOK)) << "OK closes without a message";
    }
    EXPECT_EQ(ReadBytes(Dlk()), before);
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(folder_.path())) names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<std::wstring>{L"filters.dlk"}) << "the unfinished new list was left behind";
}

}  // namespace
}  // namespace kvex::testing
