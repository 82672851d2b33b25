// Filter Maker: the list store (filters.dlk) and pattern-list files.
#include <optional>
#include <vector>
#include <string>

#include "filtermaker/frm_fm.h"
#include "core/app_info.h"
#include "core/app_state.h"
#include "core/filter_list_file.h"
#include "formkit/form_support.h"
#include "filtermaker/list_routines.h"

namespace kvex {

namespace {
using namespace std::string_literals;

// Far beyond 75 records of any sane length; only the first 75 are kept anyway.
constexpr std::size_t kMaxListFileBytes = 16u * 1024u * 1024u;

const std::string kPatternListFilter = "Pattern like Files (*.plk)\0*.plk\0"s;
constexpr short kPatternListFilterIndex = 1;
constexpr const char* kPatternListExtension = "plk";
constexpr const char* kOpenTitle = "Open As";
constexpr const char* kSaveTitle = "Save As";

std::string FilterListPath() { return JoinPath(ThreadState().gsFilterFolder, kFilterListFileName); }

AnsiCodePage CodePageOf(ui::IFileSystem& files) {
    return {[&files](std::string_view ansi) { return files.AnsiToUtf8(ansi); },
            [&files](std::string_view utf8) { return files.Utf8ToAnsi(utf8); }};
}
}  // namespace

void FrmFM::LoadFilterList() {
    c_.lstPat->Clear();
    const std::string source = m_sFilterFile.empty() ? FilterListPath() : m_sFilterFile;
    // A missing or unreadable file adds nothing; the default still goes first.
    if (services_.Files().PathExists(source)) {
        if (const auto records = ReadListFile(source)) AppendRecords(*records);
    }
    PutDefaultFilterFirst();
    RefreshCountLabel();
}

std::optional<std::vector<std::string>> FrmFM::ReadListFile(const std::string& path) {
    const auto bytes = services_.Files().ReadFile(path, kMaxListFileBytes);
    if (!bytes) return std::nullopt;
    return ReadFilterRecords(DecodeListFile(*bytes, CodePageOf(services_.Files())));
}

void FrmFM::AppendRecords(const std::vector<std::string>& records) {
    for (const std::string& record : records) c_.lstPat->AddItem(record);
}

// The default filter always stands first. A copy found further down stays
// where it is: the host may have changed its default.
void FrmFM::PutDefaultFilterFirst() {
    const std::string& defaultFilter = ThreadState().gsDefaultFilter;
    long at = -1;
    if (!FindFilter(*c_.lstPat, defaultFilter, at) || at != 0) c_.lstPat->AddItem(defaultFilter, 0);
}

void FrmFM::SaveFilterList(const std::string& path) {
    if (c_.lstPat->ListCount() == 0) return;
    // Failures are not reported: the old file stays whole and OK still closes.
    ui::IFileSystem& files = services_.Files();
    (void)files.WriteFile(path, EncodeListFile(FormatFilterLines(ListEntries(*c_.lstPat), kMaxListRecords),
                                               CodePageOf(files)));
}

void FrmFM::cmdOK_Click() {
    SaveFilterList(FilterListPath());
    if (!m_sFilterFile.empty()) SaveFilterList(m_sFilterFile);
    c_.window->Unload();
}

void FrmFM::cmdCancel_Click() {
    c_.window->Unload();
}

void FrmFM::cmdNew_Click() {
    const int answer = services_.Messages().MessageBox(
        "Create a new list?", "Clear list?", ui::mb::kYesNo | ui::mb::kDefButton2 | ui::mb::kIconExclamation);
    if (answer != ui::mb::kIdYes) return;
    // The text boxes keep what they hold.
    c_.lstPat->Clear();
    c_.lstPat->AddItem(ThreadState().gsDefaultFilter, 0);
    SetLengthLabel(0);
    RefreshCountLabel();
    SetFilterFile(std::string());
}

// A file that cannot be read abandons the open without a message.
void FrmFM::cmdOpen_Click() {
    SharedState& state = ThreadState();
    state.sCDlgInitDir = state.gsFilterFolder;
    state.sCDlgFileTitle.clear();
    short filterIndex = kPatternListFilterIndex;
    services_.FileDialogs().ShowOpenFileDialog(c_.window->NativeHandle(), kPatternListFilter, filterIndex,
                                               state.sCDlgFileTitle, state.sCDlgInitDir, kOpenTitle,
                                               state.sCDlgFileName);
    if (state.sCDlgFileName.empty()) return;
    const std::string path = state.sCDlgFileName;
    if (services_.Files().PathExists(path)) {
        // Read before clearing: a file that cannot be read must not cost the user the list on screen.
        const auto records = ReadListFile(path);
        if (!records) return;
        c_.lstPat->Clear();
        AppendRecords(*records);
        SetFilterFile(path);
    }
    PutDefaultFilterFirst();
    RefreshCountLabel();
}

void FrmFM::cmdSave_Click() {
    SaveCustomFilters(m_sFilterFile);
}

void FrmFM::cmdSaveAs_Click() {
    SaveCustomFilters(std::string());
}

// Each failing write step is reported and the next one still runs, so even a
// path that cannot be written becomes the current file.
void FrmFM::SaveCustomFilters(const std::string& target) {
    SharedState& state = ThreadState();
    if (!target.empty()) {
        state.sCDlgFileName = target;
    } else {
        state.sCDlgInitDir = state.gsFilterFolder;
        state.sCDlgFileTitle.clear();
        short filterIndex = kPatternListFilterIndex;
        services_.FileDialogs().ShowSaveFileDialog(c_.window->NativeHandle(), kPatternListFilter,
                                                   filterIndex, kPatternListExtension, state.sCDlgFileTitle,
                                                   state.sCDlgInitDir, kSaveTitle, state.sCDlgFileName);
    }
    if (state.sCDlgFileName.empty()) return;
    if (c_.lstPat->ListCount() == 0) return;
    // Save and Save As write every entry, with no 75-line limit.
    ui::IFileSystem& files = services_.Files();
    const auto failures = files.WriteFile(
        state.sCDlgFileName, EncodeListFile(FormatFilterLines(ListEntries(*c_.lstPat)), CodePageOf(files)));
    for (const ui::FileError& failure : failures) ReportSaveError(failure.number, failure.description);
    SetFilterFile(state.sCDlgFileName);
}

void FrmFM::ReportSaveError(unsigned long number, const std::string& description) {
    services_.Messages().MessageBox("Error: " + std::to_string(number) + "\r\n" + description +
                                        "\r\nSub frmFM SaveCustomFilters",
                                    kAppTitle, ui::mb::kOk | ui::mb::kIconExclamation);
}

}  // namespace kvex
