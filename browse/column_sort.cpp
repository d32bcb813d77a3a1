#include "browse/column_sort.h"

#include "platform/text.h"

namespace browse {
namespace {

template <typename T>
int Sign(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

char32_t Fold(char32_t c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

}  // namespace

// UTF-8 bytes order as their code points do, so the folded text is its key.
std::string FoldingCollator::SortKey(std::string_view s) const {
  std::string key;
  key.reserve(s.size());
  for (size_t i = 0; i < s.size();) text::AppendUtf8(key, Fold(text::NextCodePoint(s, i)));
  return key;
}

SortParams ColumnSortState::Click(int column, bool snapshotList) {
  SortParams p;
  p.column = column;
  // Snapshot list: 存储设备, 容量, 日期, 文件, 文件夹, 备注; folder
  // listing: 名称, 类别, 位置, 修改日期.
  const bool number = snapshotList ? column >= 1 && column <= 4 : column == 3;
  p.mode = number ? CompareMode::Number : CompareMode::Text;
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

ItemSortKey MakeSortKey(std::string_view shown, const SortParams& params, const TextCollator& collator) {
  ItemSortKey key;
  if (params.mode == CompareMode::Number)
    key.number = DigitsValue(shown);
  else
    key.text = collator.SortKey(shown);
  return key;
}

int CompareSortKeys(const ItemSortKey& a, const ItemSortKey& b, const SortParams& params) {
  int r = params.mode == CompareMode::Number ? Sign(a.number, b.number) : Sign(a.text.compare(b.text), 0);
  return params.ascending ? r : -r;
}

int CompareItems(std::string_view a, std::string_view b, const SortParams& params, const TextCollator& collator) {
  return CompareSortKeys(MakeSortKey(a, params, collator), MakeSortKey(b, params, collator), params);
}

}  // namespace browse
