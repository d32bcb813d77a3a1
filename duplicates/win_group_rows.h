// The duplicates window's list of groups: one row a group, largest wasted
// space first. A group is named by its first member's name as stored (read
// from the catalogue for the rows painted; the folded name if it cannot be
// read).
#pragma once

#include <memory>

#include "duplicates/duplicate_groups.h"
#include "maintain/win_hit_rows.h"
#include "ui/list_view.h"

namespace duplicates {

enum GroupListColumn { kGroupName, kGroupSize, kGroupFiles, kGroupWasted, kGroupColumns };

class GroupRows : public ui::ListRows {
 public:
  GroupRows(catalog::Connection& cn, std::shared_ptr<const Duplicates> found);

  size_t Count() const override { return found_->groups.size(); }
  std::string Text(size_t row, int column) const override;
  int Image(size_t row) const override;
  void Prepare(size_t first, size_t last) override;

  const Duplicates& Found() const { return *found_; }

 private:
  std::shared_ptr<const Duplicates> found_;
  maintain::HitRows members_;  // all the groups' members, for their names
};

}  // namespace duplicates
