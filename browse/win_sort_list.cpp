#include "browse/win_sort_list.h"

#include <string>
#include <unordered_map>

#include "browse/win_collator.h"

namespace browse {
namespace {

std::string ShownText(const ui::ListItem& item, int position) {
  return position == 0 ? item.Caption() : item.SubItem(static_cast<size_t>(position - 1));
}

}  // namespace

int ColumnPosition(const ui::ListView& list, const ui::ListColumn* column) {
  for (int i = 0; i < list.ColumnCount(); ++i)
    if (list.Column(i) == column) return i;
  return -1;
}

void SortList(ui::ListView& list, int position, const SortParams& p) {
  const WindowsCollator collator;
  // Keys are made when the sort first meets an item: asking the list for
  // its items one by one would cost a window message each.
  std::unordered_map<const ui::ListItem*, ItemSortKey> keys;
  keys.reserve(static_cast<size_t>(list.ItemCount()));
  auto keyOf = [&](const ui::ListItem& item) -> const ItemSortKey& {
    auto [it, added] = keys.try_emplace(&item);
    if (added) it->second = MakeSortKey(ShownText(item, position), p, collator);
    return it->second;
  };
  ui::ListView::UpdateLock lock(list);
  list.CustomSort([&](const ui::ListItem& a, const ui::ListItem& b) { return CompareSortKeys(keyOf(a), keyOf(b), p); });
}

void SortByColumn(ui::ListView& list, int position, ColumnSortState& sortAscending, bool snapshotList) {
  if (position < 0 || position >= ColumnSortState::kColumns) return;
  SortList(list, position, sortAscending.Click(position, snapshotList));
}

}  // namespace browse
