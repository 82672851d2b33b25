#pragma once
// The list sort: a quicksort that partitions around a hole with a random pivot.
#include <functional>
#include <string>
#include <vector>

namespace kvex {

// Strict ordering used by the sort. Ordinal by UTF-16 code units, a prefix
// first: the order the list had when its strings were UTF-16.
using StringLess = std::function<bool(const std::string&, const std::string&)>;
bool OrdinalLess(const std::string& a, const std::string& b);

// Sorts a[lo..hi] (inclusive) in place; does nothing when lo >= hi.
void QuickSortStrings(std::vector<std::string>& a, long lo, long hi,
                      const StringLess& less = OrdinalLess);

}  // namespace kvex
