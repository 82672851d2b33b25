#include "core/string_sort.h"

#include "core/unicode_text.h"

#include <algorithm>
#include <random>
#include <utility>

namespace kvex {

namespace {

long RandomIndex(long lo, long hi) {
    thread_local std::mt19937 generator{std::random_device{}()};
    return std::uniform_int_distribution<long>(lo, hi)(generator);
}

// Moves a random pivot out, leaving a hole at lo, and walks the hole between
// the two ends until it rests where the pivot belongs. Returns that index.
long PartitionAroundHole(std::vector<std::string>& a, long lo, long hi, const StringLess& less) {
    const long q = RandomIndex(lo, hi);
    std::string p = std::move(a[q]);
    if (q != lo) a[q] = std::move(a[lo]);
    long i = lo;
    long j = hi;
    for (;;) {
        while (j > i && !less(a[j], p)) --j;
        if (j <= i) {
            a[i] = std::move(p);
            return i;
        }
        a[i] = std::move(a[j]);
        ++i;
        while (i < j && less(a[i], p)) ++i;
        if (i >= j) {
            a[j] = std::move(p);
            return j;
        }
        a[j] = std::move(a[i]);
    }
}

}  // namespace

bool OrdinalLess(const std::string& a, const std::string& b) { return Utf16Less(a, b); }

void QuickSortStrings(std::vector<std::string>& a, long lo, long hi, const StringLess& less) {
    // Recurse into the smaller side and loop on the larger, so the stack stays
    // logarithmic whatever the pivots turn out to be.
    while (lo < hi) {
        const long mid = PartitionAroundHole(a, lo, hi, less);
        if (mid - lo < hi - mid) {
            QuickSortStrings(a, lo, mid - 1, less);
            lo = mid + 1;
        } else {
            QuickSortStrings(a, mid + 1, hi, less);
            hi = mid - 1;
        }
    }
}

}  // namespace kvex
