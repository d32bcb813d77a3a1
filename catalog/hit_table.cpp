#include "catalog/hit_table.h"

#include <algorithm>
#include <numeric>

#include "catalog/search_conditions.h"

namespace catalog {

std::string_view HitTable::Label(size_t i) const { return LabelOfPath(Path(i)); }

void HitTable::Add(const std::shared_ptr<const IndexChunk>& chunk, uint32_t entry) {
  if (chunks_.empty() || chunks_.back() != chunk) chunks_.push_back(chunk);
  refs_.push_back(Ref{static_cast<uint32_t>(chunks_.size() - 1), entry});
}

RowidList HitTable::Rowids() const {
  RowidList r;
  for (size_t i = 0; i < size(); ++i) r.push_back(Rowid(i));
  return r;
}

void HitTable::Append(const HitTable& other) {
  const auto offset = static_cast<uint32_t>(chunks_.size());
  chunks_.insert(chunks_.end(), other.chunks_.begin(), other.chunks_.end());
  refs_.reserve(refs_.size() + other.refs_.size());
  for (const Ref& r : other.refs_) refs_.push_back(Ref{r.chunk + offset, r.entry});
}

std::shared_ptr<HitTable> HitTable::Range(size_t first, size_t count) const {
  auto t = std::make_shared<HitTable>();
  t->chunks_ = chunks_;
  t->paths_ = paths_;
  t->refs_.assign(refs_.begin() + static_cast<ptrdiff_t>(first), refs_.begin() + static_cast<ptrdiff_t>(first + count));
  return t;
}

size_t HitTable::MemoryBytes() const {
  return refs_.capacity() * sizeof(Ref) + chunks_.capacity() * sizeof(chunks_[0]);
}

void HitTable::SortBy(HitColumn column, bool ascending) {
  const size_t n = size();
  // Numbers sort as (key, position) pairs: one pass to read the keys, then
  // a sort that touches nothing but the pairs.
  auto byNumber = [&](auto keyOf) {
    std::vector<std::pair<int64_t, uint32_t>> keyed(n);
    for (size_t i = 0; i < n; ++i) keyed[i] = {keyOf(i), static_cast<uint32_t>(i)};
    if (ascending)
      std::stable_sort(keyed.begin(), keyed.end(), [](auto& a, auto& b) { return a.first < b.first; });
    else
      std::stable_sort(keyed.begin(), keyed.end(), [](auto& a, auto& b) { return a.first > b.first; });
    std::vector<Ref> sorted(n);
    for (size_t i = 0; i < n; ++i) sorted[i] = refs_[keyed[i].second];
    refs_.swap(sorted);
  };
  // A folder's rank among the distinct paths of the hits stands for its
  // text; by label, every folder of one snapshot has the same rank.
  auto pathRanks = [&](bool labelOnly) {
    std::vector<uint32_t> ids(n);
    for (size_t i = 0; i < n; ++i) ids[i] = At(i).path[refs_[i].entry];
    std::vector<uint32_t> distinct = ids;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    auto key = [&](uint32_t id) {
      const std::string_view t = paths_->At(id);
      return labelOnly ? LabelOfPath(t) : t;
    };
    std::stable_sort(distinct.begin(), distinct.end(), [&](uint32_t a, uint32_t b) { return key(a) < key(b); });
    std::vector<std::pair<uint32_t, uint32_t>> rankOf;  // (path id, rank), by id
    uint32_t rank = 0;
    for (size_t k = 0; k < distinct.size(); ++k) {
      if (k > 0 && key(distinct[k]) != key(distinct[k - 1])) ++rank;
      rankOf.emplace_back(distinct[k], rank);
    }
    std::sort(rankOf.begin(), rankOf.end());
    std::vector<int64_t> out(n);
    for (size_t i = 0; i < n; ++i)
      out[i] = std::lower_bound(rankOf.begin(), rankOf.end(), std::make_pair(ids[i], 0u))->second;
    return out;
  };
  auto byName = [&] {
    std::vector<uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
      return ascending ? FoldedName(a) < FoldedName(b) : FoldedName(b) < FoldedName(a);
    });
    std::vector<Ref> sorted(n);
    for (size_t i = 0; i < n; ++i) sorted[i] = refs_[order[i]];
    refs_.swap(sorted);
  };
  switch (column) {
    case HitColumn::Name:
      byName();
      break;
    case HitColumn::Size:
      byNumber([&](size_t i) { return Size(i); });
      break;
    case HitColumn::Modified:
      byNumber([&](size_t i) { return Modified(i); });
      break;
    case HitColumn::Folder:
    case HitColumn::Snapshot: {
      // Names first, then folders, each sort stable: folder, then name.
      const bool snapshot = column == HitColumn::Snapshot;
      const bool asc = ascending;
      ascending = true;
      byName();
      if (snapshot) {
        const std::vector<int64_t> folders = pathRanks(false);
        byNumber([&](size_t i) { return folders[i]; });
      }
      ascending = asc;
      const std::vector<int64_t> ranks = pathRanks(snapshot);
      byNumber([&](size_t i) { return ranks[i]; });
      break;
    }
  }
}

}  // namespace catalog
