// `ListView1ColumnClick`: a header click sorts the items the list shows by
// that column, numbers for the capacity column of the snapshot list, the
// user's collation otherwise; each position's direction flag is shared by
// every mode of the list.
#pragma once

#include "browse/column_sort.h"
#include "ui/list_view.h"

namespace browse {

// The position (0 to 2) of a column of the list; -1 when it is not one.
int ColumnPosition(const ui::ListView& list, const ui::ListColumn* column);

// Reorders the list's items by the column at `position`, with the compare
// mode and direction of `p`.
void SortList(ui::ListView& list, int position, const SortParams& p);

// Flips the flag of the position and sorts. `snapshotList`: the list shows
// the snapshot list (`CurrentPath` is empty).
void SortByColumn(ui::ListView& list, int position, ColumnSortState& sortAscending, bool snapshotList);

}  // namespace browse
