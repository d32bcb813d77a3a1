#include "browse/win_sort_list.h"

#include <string>
#include <unordered_map>

#include "browse/win_collator.h"
#include "ui/wide.h"

namespace browse {
namespace {

// What one item shows in the sorted column, made once per sort: the
// collation's sort key of the text, or the capacity's number.
struct SortKey {
  std::string text;
  double number = 0;
};

std::string ShownText(const ui::ListItem& item, int position) {
  return position == 0 ? item.Caption() : item.SubItem(static_cast<size_t>(position - 1));
}

}  // namespace

int ColumnPosition(const ui::ListView& list, const ui::ListColumn* column) {
  for (int i = 0; i < list.ColumnCount(); ++i)
    if (list.Column(i) == column) return i;
  return -1;
}

void SortByColumn(ui::ListView& list, int position, ColumnSortState& sortAscending, bool snapshotList) {
  if (position < 0 || position >= ColumnSortState::kColumns) return;
  const SortParams p = sortAscending.Click(position, snapshotList);
  // Keys are made when the sort first meets an item: asking the list for
  // its items one by one would cost a window message each.
  std::unordered_map<const ui::ListItem*, SortKey> keys;
  keys.reserve(static_cast<size_t>(list.ItemCount()));
  auto keyOf = [&](const ui::ListItem& item) -> const SortKey& {
    auto [it, added] = keys.try_emplace(&item);
    if (added) {
      std::string shown = ShownText(item, position);
      if (p.mode == CompareMode::Number)
        it->second.number = DigitsValue(shown);
      else
        it->second.text = WindowsCollator::SortKey(ui::Wide(shown));
    }
    return it->second;
  };
  ui::ListView::UpdateLock lock(list);
  list.CustomSort([&](const ui::ListItem& a, const ui::ListItem& b) {
    const SortKey& ka = keyOf(a);
    const SortKey& kb = keyOf(b);
    int r = p.mode == CompareMode::Number ? (ka.number < kb.number ? -1 : (ka.number > kb.number ? 1 : 0))
                                          : ka.text.compare(kb.text);
    r = r < 0 ? -1 : (r > 0 ? 1 : 0);
    return p.ascending ? r : -r;
  });
}

}  // namespace browse
