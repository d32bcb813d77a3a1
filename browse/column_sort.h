// Sorting the main list by a header click. Each of the three column
// positions keeps its own direction flag, shared by every mode of the list
// and kept across refills, so a position alternates whatever the list shows.
// The capacity, date and count columns of the snapshot list and the date
// column of a folder listing compare as numbers (a date "2026-11-02 14:05"
// by its digits, which order as the moments do; an empty date first), every
// other column as text in the user's collation ignoring case.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace browse {

// Text order of the user's locale, letter case ignored, given as sort keys:
// a sort makes each item's key once and then compares bytes. The Windows
// build uses the system's locale keys; the portable fallback orders code
// points with ASCII letters folded to one case.
class TextCollator {
 public:
  virtual ~TextCollator() = default;
  // A key whose byte order is the collation's order of the texts.
  virtual std::string SortKey(std::string_view s) const = 0;
};

class FoldingCollator : public TextCollator {
 public:
  std::string SortKey(std::string_view s) const override;
};

enum class CompareMode { Text, Number };

struct SortParams {
  int column = 0;
  CompareMode mode = CompareMode::Text;
  bool ascending = true;
};

class ColumnSortState {
 public:
  static constexpr int kColumns = 6;

  // A click on column position `column`: flips its flag and gives the sort
  // to run.
  SortParams Click(int column, bool snapshotList);
  bool SortAscending(int column) const { return column >= 0 && column < kColumns && ascending_[column]; }

 private:
  bool ascending_[kColumns] = {false, false, false};
};

// The number a capacity text stands for: its digits, in order, read as one
// number ("4300M" gives 4300, "1.5" gives 15); 0 when it holds none.
double DigitsValue(std::string_view s);

// What one item shows in the sorted column, made once per sort: the
// collator's key of the text, or the capacity's number.
struct ItemSortKey {
  std::string text;
  double number = 0;
};
ItemSortKey MakeSortKey(std::string_view shown, const SortParams& params, const TextCollator& collator);

// -1, 0 or 1 as the first item sorts before, with or after the second;
// negated when descending.
int CompareSortKeys(const ItemSortKey& a, const ItemSortKey& b, const SortParams& params);

// The same order for two texts at once.
int CompareItems(std::string_view a, std::string_view b, const SortParams& params, const TextCollator& collator);

}  // namespace browse
