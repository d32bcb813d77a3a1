#include "browse/column_sort.h"

#include "platform/text.h"

namespace browse {
namespace {

int Sign(double d) { return d < 0 ? -1 : (d > 0 ? 1 : 0); }

char32_t Fold(char32_t c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

}  // namespace

int FoldingCollator::Compare(std::string_view a, std::string_view b) const {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    char32_t ca = Fold(text::NextCodePoint(a, i));
    char32_t cb = Fold(text::NextCodePoint(b, j));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

SortParams ColumnSortState::Click(int column, bool snapshotList) {
  SortParams p;
  p.column = column;
  p.mode = (snapshotList && column == 1) ? CompareMode::Number : CompareMode::Text;
  if (column >= 0 && column < kColumns) {
    ascending_[column] = !ascending_[column];
    p.ascending = ascending_[column];
  }
  return p;
}

double DigitsValue(std::string_view s) {
  double v = 0;
  for (char c : s)
    if (c >= '0' && c <= '9') v = v * 10 + (c - '0');
  return v;
}

int CompareItems(std::string_view a, std::string_view b, const SortParams& params, const TextCollator& collator) {
  int r = params.mode == CompareMode::Number ? Sign(DigitsValue(a) - DigitsValue(b)) : Sign(collator.Compare(a, b));
  return params.ascending ? r : -r;
}

}  // namespace browse
