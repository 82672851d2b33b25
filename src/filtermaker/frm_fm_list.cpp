// Filter Maker: adding, removing, combining, moving and sorting list entries.
#include <string>

#include "filtermaker/frm_fm.h"
#include "core/app_state.h"
#include "core/combined_filter.h"
#include "core/filter_text.h"
#include "formkit/form_support.h"
#include "filtermaker/list_routines.h"
#include "core/unicode_text.h"
#include "formkit/validation.h"

namespace kvex {

namespace {
constexpr int kToolTestAdd = 0;
constexpr int kToolRemove = 1;
constexpr int kToolCombine = 2;

constexpr const char* kDefaultIndexText = "Default filter index...";
constexpr const char* kConfirmRemovalText = "Please confirm removal?";
constexpr const char* kConfirmRemovalTitle = "Please confirm removal of item?";
constexpr const char* kTooLongTitle = "Filter exceeds 255 characters";
constexpr const char* kTooLongText =
    "Combined length of new filter exceeds 255 characters.\n\n\n"
    "Suggestion reduce the length of the filter string, by selecting fewer filters.";
}  // namespace

void FrmFM::cmdTools_Click(int index) {
    switch (index) {
        case kToolTestAdd:
            TestAddFilter();
            break;
        case kToolRemove:
            RemoveSelectedFilters();
            SetLengthLabel(0);
            break;
        case kToolCombine:
            if (CheckFilterLimit(*c_.lstPat, services_.Messages()) == 0) CreateCombinedFilter();
            break;
        default:
            break;
    }
}

void FrmFM::TestAddFilter() {
    ui::IMessages& messages = services_.Messages();
    const std::string name = TrimSpaces(c_.txtEF->Text());
    const std::string extension = TrimSpaces(c_.txtFE->Text());
    if (name.empty() || extension.empty()) {
        messages.Beep();
        return;
    }
    if (CheckFilterLimit(*c_.lstPat, messages) > 0) return;
    if (CheckInvalidChars(messages, name, kBoolFalse) > 0) return;
    if (CheckInvalidChars(messages, extension, kBoolFalse) > 0) return;
    if (TrialMatch(name, kBoolFalse) > 0) return;
    if (TrialMatch(extension, kBoolFalse) > 0) return;
    SelectOrAppendFilter(name + c_.lblF->Caption() + extension);
    RefreshCountLabel();
}

// Shared by Test/Add and the builder: a filter already listed is selected
// alone with a beep; a new one goes to the end, selected alone. The length
// label then follows the selection in both cases, so it never shows a stale
// length after an append.
void FrmFM::SelectOrAppendFilter(const std::string& filter) {
    ui::IListBox& list = *c_.lstPat;
    SetListSelection(0, list, 0, list.ListCount() - 1);
    long found = 0;
    if (FindFilter(list, filter, found)) {
        SetListSelection(1, list, found, found);
        services_.Messages().Beep();
    } else {
        list.AddItem(filter);
        const long last = list.ListCount() - 1;
        SetListSelection(1, list, last, last);
    }
    lstPat_Click();
}

void FrmFM::RemoveSelectedFilters() {
    ui::IListBox& list = *c_.lstPat;
    ui::IMessages& messages = services_.Messages();
    const int current = list.ListIndex();
    if (current < 0 || list.ListCount() == 0) return;
    if (current == 0) {
        if (list.SelCount() > 0) {
            messages.MessageBox(kDefaultIndexText, kDefaultIndexText, ui::mb::kOk | ui::mb::kIconExclamation);
        }
    } else if (messages.MessageBox(kConfirmRemovalText, kConfirmRemovalTitle,
                                   ui::mb::kYesNo | ui::mb::kIconQuestion | ui::mb::kDefButton2) ==
               ui::mb::kIdYes) {
        // From the bottom up, so removing an entry never shifts one still to visit.
        for (int i = list.ListCount() - 1; i >= 1; --i) {
            if (list.Selected(i)) list.RemoveItem(i);
        }
    }
    RefreshCountLabel();
}

void FrmFM::lstPat_Click() {
    SetLengthLabel(Utf16Length(GatherCombinedFilter(SelectedEntries(*c_.lstPat), ItemCase::Insensitive)));
}

void FrmFM::CreateCombinedFilter() {
    if (c_.lstPat->ListCount() <= 1) return;
    const std::string combined =
        GatherCombinedFilter(SelectedEntries(*c_.lstPat), ItemCase::Sensitive);
    if (Utf16Length(combined) > kMaxCombinedLength) {
        services_.Messages().MessageBox(kTooLongText, kTooLongTitle, ui::mb::kOk | ui::mb::kIconExclamation);
    } else if (!combined.empty()) {
        SelectOrAppendFilter(combined);
    }
    RefreshCountLabel();
}

void FrmFM::cmdPatD_Click() {
    ui::IListBox& list = *c_.lstPat;
    const int k = list.ListIndex();
    if (k < 1 || k >= list.ListCount() - 1) return;
    list.AddItem(list.List(k), k + 2);
    list.RemoveItem(k);
    list.SetSelected(k + 1, true);
}

void FrmFM::cmdPatU_Click() {
    ui::IListBox& list = *c_.lstPat;
    const int k = list.ListIndex();
    // Nothing moves into position 0: the default filter stays first.
    if (k <= 1 || k >= list.ListCount()) return;
    list.AddItem(list.List(k), k - 1);
    list.RemoveItem(k + 1);
    list.SetSelected(k - 1, true);
}

void FrmFM::SortFilters() {
    ui::IListBox& list = *c_.lstPat;
    if (list.ListCount() < 2) return;
    list.RemoveItem(0);
    SortListBox(list, OrdinalLess);
    // The shared default, not the text that was removed.
    list.AddItem(ThreadState().gsDefaultFilter, 0);
}

void FrmFM::RefreshCountLabel() {
    c_.lblDum[3]->SetCaption(std::to_string(c_.lstPat->ListCount()) + " filters defined");
}

void FrmFM::SetLengthLabel(std::size_t length) {
    c_.lblDum[5]->SetCaption("New filter length (" + std::to_string(length) + ")");
}

}  // namespace kvex
