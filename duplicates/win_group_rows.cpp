#include "duplicates/win_group_rows.h"

#include "browse/entry_texts.h"

namespace duplicates {

GroupRows::GroupRows(catalog::Connection& cn, std::shared_ptr<const Duplicates> found)
    : found_(std::move(found)), members_(cn, found_->members) {}

std::string GroupRows::Text(size_t row, int column) const {
  if (row >= Count()) return {};
  const DuplicateGroup& g = found_->groups[row];
  switch (column) {
    case kGroupName:
      return members_.Name(g.first);
    case kGroupSize:
      return browse::SizeText(g.size);
    case kGroupFiles:
      return std::to_string(g.count);
    case kGroupWasted:
      return browse::SizeText(g.Wasted());
    default:
      return {};
  }
}

int GroupRows::Image(size_t row) const { return row < Count() ? members_.Image(found_->groups[row].first) : -1; }

void GroupRows::Prepare(size_t first, size_t last) {
  for (size_t r = first; r <= last && r < Count(); ++r) members_.Name(found_->groups[r].first);
  members_.Prepare(0, 0);  // closes the statement between two paints
}

}  // namespace duplicates
