#include "filtermaker/list_routines.h"

#include <cstdint>

namespace kvex {

namespace {
constexpr const char* kLimitMessage = "75 filters Max exceeded";
constexpr const char* kLimitTitle = "75 filters Max";

std::uintptr_t AsWParam(long index) { return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(index)); }
}  // namespace

std::vector<std::string> ListEntries(const ui::IListBox& list) {
    std::vector<std::string> entries;
    const int count = list.ListCount();
    entries.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) entries.push_back(list.List(i));
    return entries;
}

std::vector<std::string> SelectedEntries(const ui::IListBox& list) {
    std::vector<std::string> entries;
    const int count = list.ListCount();
    for (int i = 0; i < count; ++i) {
        if (list.Selected(i)) entries.push_back(list.List(i));
    }
    return entries;
}

bool FindFilter(const ui::IListBox& list, const std::string& text, long& index) {
    const int count = list.ListCount();
    for (int i = 0; i < count; ++i) {
        if (list.List(i) == text) {
            index = i;
            return true;
        }
    }
    return false;
}

void SetListSelection(unsigned char mode, ui::IListBox& list, long first, long last) {
    if (mode > 1 || last < first) return;
    const bool select = mode == 1;
    if (first == last) {
        list.SendListMessage(ui::kLB_SETSEL, select ? 1 : 0, last);
    } else if (select) {
        list.SendListMessage(ui::kLB_SELITEMRANGEEX, AsWParam(first), last);
    } else {
        // LB_SELITEMRANGEEX deselects when it is given the larger index first.
        list.SendListMessage(ui::kLB_SELITEMRANGEEX, AsWParam(last), first);
    }
}

void SortListBox(ui::IListBox& list, const StringLess& less) {
    std::vector<std::string> work = ListEntries(list);
    QuickSortStrings(work, 0, static_cast<long>(work.size()) - 1, less);
    list.Clear();
    for (const std::string& entry : work) list.AddItem(entry);
}

short CheckFilterLimit(ui::IListBox& list, ui::IMessages& messages) {
    if (list.ListCount() < kMaxFilters) return 0;
    return static_cast<short>(
        messages.MessageBox(kLimitMessage, kLimitTitle, ui::mb::kOk | ui::mb::kIconExclamation));
}

}  // namespace kvex
