// The rowids of the CDFile rows that the connection touched (inserted,
// updated or deleted) since they were last taken, as ordered ranges. The
// connection notes every row change it makes, rolled-back ones included:
// whoever keeps a copy of the rows reads the touched ranges again, and the
// file then says what each of those rows is now.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace catalog {

class RowChanges {
 public:
  struct Range {
    int64_t first, last;
  };

  void Note(int64_t rowid) noexcept;
  // A change whose rows are not known: everything must be read again.
  void NoteUnknown() noexcept { all_ = true; }
  bool Empty() const { return !all_ && ranges_.empty(); }

  struct Taken {
    bool all = false;
    std::vector<Range> ranges;  // ascending, disjoint, not adjacent
  };
  // Hands over what was noted and starts afresh.
  Taken Take();

 private:
  // More ranges than this are not worth keeping: reading everything again
  // is then about as quick.
  static constexpr size_t kMaxRanges = 1 << 16;
  std::vector<Range> ranges_;  // in the order noted
  bool all_ = false;
};

}  // namespace catalog
