#include "browse/win_sort_list.h"

#include <string>
#include <unordered_map>

#include "browse/win_collator.h"
#include "ui/wide.h"

namespace browse {
namespace {

// What one item shows in the sorted column, made once per sort: the text
// in UTF-16 for the collation, or the capacity's number.
struct SortKey {
  std::wstring text;
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
  std::unordered_map<const ui::ListItem*, SortKey> keys;
  keys.reserve(static_cast<size_t>(list.ItemCount()));
  for (int i = 0; i < list.ItemCount(); ++i) {
    const ui::ListItem* item = list.Item(i);
    std::string shown = ShownText(*item, position);
    SortKey& k = keys[item];
    if (p.mode == CompareMode::Number)
      k.number = DigitsValue(shown);
    else
      k.text = ui::Wide(shown);
  }
  list.CustomSort([&](const ui::ListItem& a, const ui::ListItem& b) {
    const SortKey& ka = keys[&a];
    const SortKey& kb = keys[&b];
    int r = p.mode == CompareMode::Number ? (ka.number < kb.number ? -1 : (ka.number > kb.number ? 1 : 0))
                                          : WindowsCollator::CompareWide(ka.text, kb.text);
    r = r < 0 ? -1 : (r > 0 ? 1 : 0);
    return p.ascending ? r : -r;
  });
}

}  // namespace browse
