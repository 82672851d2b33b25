// filters.dlk as a damaged disk or another program may leave it: huge,
// binary, without line ends, with NUL bytes. The Filter Maker opens on it
// within the list's limits (75 records and the default filter), and OK writes
// what it showed. A save that cannot put the new list in
// place leaves the old one whole.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
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

class FilterMakerBadFiles : public FilterMakerTest {};

TEST_F(FilterMakerBadFiles, HugeBinaryUnbrokenAndNulFilledFilesOpenWithinTheLimitsAndOkWritesWhatWasShown) {
    std::string lines;
    lines.reserve(kHuge + 32);
    for (int n = 1; lines.size() < kHuge; ++n) lines += "*.e" + std::to_string(n) + "\r\n";
    const char nuls[] = "\0*.a\0b\r\n\0\0\r\n*.c\0\0,\0\0*.d\0";
    Items first75{kDefaultFilter};
    for (int n = 1; n <= 75; ++n) first75.push_back(L"*.e" + std::to_wstring(n));
    struct Case {
        const char* name;
        std::string bytes;
        size_t entries;              // 0: any number within the limits
        std::optional<Items> shown;  // when exactly known
    };
    std::vector<Case> cases;
    cases.push_back({"50 MB of lines", std::move(lines), 76, first75});
    cases.push_back({"64 KB of random bytes", RandomBytes(64 * 1024, 1), 0, std::nullopt});
    cases.push_back({"50 MB of random bytes", RandomBytes(kHuge, 3), 0, std::nullopt});
    // One record keeps its first 32 KiB characters.
    cases.push_back({"1 MB without a line end", std::string(1024 * 1024, 'a'), 2,
                     Items{kDefaultFilter, std::wstring(32 * 1024, L'a')}});
    cases.push_back({"50 MB without a line end", std::string(kHuge, 'a'), 2, std::nullopt});
    cases.push_back({"NULs among the text", std::string(nuls, sizeof nuls - 1), 4,
                     Items{kDefaultFilter, L"*.ab", L"*.c", L"*.d"}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(Dlk(), c.bytes);
        const auto started = std::chrono::steady_clock::now();
        FilterMakerSession session(InFolder(), FilterMakerCaption());
        ASSERT_TRUE(session.Opened());
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)) << "slow to open";
        const Items shown = session.fm().Items();
        EXPECT_TRUE(WithinTheLimits(shown));
        EXPECT_EQ(session.fm().CountText(), CountLabelFor(shown.size()));
        if (c.entries) {
            EXPECT_EQ(shown.size(), c.entries);
        }
        EXPECT_TRUE(!c.shown || shown == *c.shown) << "other entries than expected";
        ASSERT_TRUE(session.CloseWith(session.fm().cmdOK));
        std::vector<std::string> written;
        for (size_t k = 0; k < shown.size() && k < kMaxRecords; ++k) written.push_back(Narrowed(shown[k]));
        // Compared without printing: an entry may be megabytes long.
        EXPECT_TRUE(ReadBytes(Dlk()) == CrLfLines(written)) << "OK writes the first 75 entries, one per CR LF line";
    }
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
        unique_hfile holder(CreateFileW(Dlk().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
