// A search's hits as the main list's rows: a million of them cost the list
// nothing but their count. The texts of a row are made when the list paints
// it; the name in its own letter case is read from the catalogue then (the
// names in memory are folded), a few hundred kept.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "catalog/connection.h"
#include "catalog/hit_table.h"
#include "catalog/query.h"
#include "ui/list_view.h"

namespace maintain {

// The columns of the hit list, in order.
enum HitListColumn { kHitName, kHitKind, kHitFolder, kHitSize, kHitModified, kHitSnapshot, kHitColumns };

class HitRows : public ui::ListRows {
 public:
  HitRows(catalog::Connection& cn, std::shared_ptr<catalog::HitTable> hits);
  ~HitRows() override;

  size_t Count() const override { return hits_->size(); }
  std::string Text(size_t row, int column) const override;
  int Image(size_t row) const override;
  void Prepare(size_t first, size_t last) override;

  const catalog::HitTable& Hits() const { return *hits_; }
  // The name as stored (the folded one when the row cannot be read).
  std::string Name(size_t row) const;
  // Sorts by a list column, the direction flipping at each click of the
  // same column (ascending at the first).
  void SortByColumn(int column);

 private:
  catalog::Connection& cn_;
  std::shared_ptr<catalog::HitTable> hits_;
  mutable std::unique_ptr<catalog::Query> names_;
  mutable std::unordered_map<int64_t, std::string> nameOf_;  // by rowid
  int sortColumn_ = -1;
  bool ascending_ = true;
};

}  // namespace maintain
