#include "maintain/win_hit_rows.h"

#include "browse/entry_texts.h"
#include "browse/unit_public.h"
#include "catalog/name_index.h"
#include "catalog/statements.h"

namespace maintain {
namespace {
constexpr size_t kNamesKept = 1024;
}

HitRows::HitRows(catalog::Connection& cn, std::shared_ptr<catalog::HitTable> hits) : cn_(cn), hits_(std::move(hits)) {}
HitRows::~HitRows() = default;

std::string HitRows::Name(size_t row) const {
  const int64_t rowid = hits_->Rowid(row);
  if (auto it = nameOf_.find(rowid); it != nameOf_.end()) return it->second;
  std::string name;
  // Painting must not fail: a catalogue that cannot be read now (busy,
  // closed for a compaction) shows the folded name.
  try {
    if (cn_.Connected()) {
      if (!names_) names_ = std::make_unique<catalog::Query>(&cn_);
      name = catalog::EntryName(*names_, rowid);
    }
  } catch (...) {
    names_.reset();
  }
  if (name.empty()) name = std::string(hits_->FoldedName(row));
  if (nameOf_.size() >= kNamesKept) nameOf_.clear();
  nameOf_.emplace(rowid, name);
  return name;
}

void HitRows::Prepare(size_t first, size_t last) {
  for (size_t r = first; r <= last && r < Count(); ++r) Name(r);
  // The statement is not kept open between two paints: the catalogue may
  // be closed or changed in between.
  if (names_) names_->Close();
}

std::string HitRows::Text(size_t row, int column) const {
  if (row >= Count()) return {};
  const bool folder = hits_->Kind(row) == catalog::EntryKind::Folder;
  switch (column) {
    case kHitName:
      return Name(row);
    case kHitKind:
      return hits_->Kind(row) == catalog::EntryKind::File ? "文件" : "目录";
    case kHitFolder:
      return hits_->Path(row);
    case kHitSize:
      return folder ? std::string() : browse::SizeText(hits_->Size(row));
    case kHitModified: {
      const int64_t m = hits_->Modified(row);
      return m == catalog::kUnknownTime ? std::string() : browse::EntryDateText(m);
    }
    case kHitSnapshot:
      return std::string(hits_->Label(row));
    default:
      return {};
  }
}

int HitRows::Image(size_t row) const {
  if (hits_->Kind(row) != catalog::EntryKind::File) return browse::kImageFolder;
  return browse::GetFileIconIndex(hits_->FoldedName(row));
}

void HitRows::SortByColumn(int column) {
  using catalog::HitColumn;
  HitColumn by;
  switch (column) {
    case kHitName: by = HitColumn::Name; break;
    case kHitKind:
    case kHitFolder: by = HitColumn::Folder; break;
    case kHitSize: by = HitColumn::Size; break;
    case kHitModified: by = HitColumn::Modified; break;
    case kHitSnapshot: by = HitColumn::Snapshot; break;
    default: return;
  }
  ascending_ = column == sortColumn_ ? !ascending_ : true;
  sortColumn_ = column;
  hits_->SortBy(by, ascending_);
}

}  // namespace maintain
