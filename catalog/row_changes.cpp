#include "catalog/row_changes.h"

#include <algorithm>

namespace catalog {

void RowChanges::Note(int64_t rowid) noexcept {
  if (all_) return;
  // A scan appends rows one after another, a delete or an update of one
  // snapshot walks its rows in order: most notes extend the last range.
  if (!ranges_.empty()) {
    Range& r = ranges_.back();
    if (rowid >= r.first && rowid <= r.last) return;
    if (r.last < INT64_MAX && rowid == r.last + 1) {
      r.last = rowid;
      return;
    }
    if (r.first > INT64_MIN && rowid == r.first - 1) {
      r.first = rowid;
      return;
    }
  }
  if (ranges_.size() >= kMaxRanges) {
    NoteUnknown();
    ranges_.clear();
    return;
  }
  try {
    ranges_.push_back({rowid, rowid});
  } catch (...) {
    NoteUnknown();
  }
}

RowChanges::Taken RowChanges::Take() {
  Taken t;
  t.all = all_;
  std::vector<Range> noted;
  noted.swap(ranges_);
  all_ = false;
  if (t.all) return t;
  std::sort(noted.begin(), noted.end(), [](const Range& a, const Range& b) { return a.first < b.first; });
  for (const Range& r : noted) {
    if (!t.ranges.empty() && (t.ranges.back().last == INT64_MAX || r.first <= t.ranges.back().last + 1))
      t.ranges.back().last = std::max(t.ranges.back().last, r.last);
    else
      t.ranges.push_back(r);
  }
  return t;
}

}  // namespace catalog
