#pragma once
// Routines on the filter list box that both the list operations and the list
// store share: exact search, range selection, sorting and the 75-entry limit.
#include <string>
#include <vector>

#include "core/string_sort.h"
#include "ui/controls.h"
#include "ui/services.h"

namespace kvex {

inline constexpr int kMaxFilters = 75;

// Every entry, in list order.
std::vector<std::string> ListEntries(const ui::IListBox& list);

// The selected entries, in list order.
std::vector<std::string> SelectedEntries(const ui::IListBox& list);

// Exact, case-sensitive search from entry 0 on. index is written only when found.
bool FindFilter(const ui::IListBox& list, const std::string& text, long& index);

// mode 1 selects, mode 0 deselects entries first..last; an empty range
// (last < first) and any other mode do nothing. The list's click event does
// not run for a selection made this way.
void SetListSelection(unsigned char mode, ui::IListBox& list, long first, long last);

// Sorts the whole list by the given order; every selection is lost.
void SortListBox(ui::IListBox& list, const StringLess& less);

// 0 while the list has room for one more entry; otherwise the answer of the
// "75 filters Max" message box.
short CheckFilterLimit(ui::IListBox& list, ui::IMessages& messages);

}  // namespace kvex
