// A search's hits as the hit list shows and sorts them: each hit refers to
// its entry in the names held in memory (8 bytes a hit), and the table keeps
// the chunks and the path table it refers to alive, so the index may move on
// (a sync, a rebuild) while the list still shows these hits. The display
// name in its own letter case is read from the catalogue by rowid for the
// rows on screen only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/index_chunk.h"
#include "catalog/rowid_list.h"

namespace catalog {

enum class HitColumn { Name, Folder, Size, Modified, Snapshot };

class HitTable {
 public:
  size_t size() const { return refs_.size(); }
  bool empty() const { return refs_.empty(); }

  int64_t Rowid(size_t i) const { return At(i).Rowid(refs_[i].entry); }
  std::string_view FoldedName(size_t i) const { return At(i).Name(refs_[i].entry); }
  EntryKind Kind(size_t i) const { return At(i).kind[refs_[i].entry]; }
  int64_t Size(size_t i) const { return At(i).size[refs_[i].entry]; }
  int64_t Modified(size_t i) const { return At(i).modified[refs_[i].entry]; }  // kUnknownTime if not known
  const std::string& Path(size_t i) const { return paths_->At(At(i).path[refs_[i].entry]); }
  std::string_view Label(size_t i) const;

  // Reorders the hits by a column, the earlier order kept among equals; the
  // folder column orders by folder and then by name, the snapshot column by
  // label, folder and name. Names order by their folded bytes.
  void SortBy(HitColumn column, bool ascending);
  // The rowids in the order shown.
  RowidList Rowids() const;

  // For the index: a hit on entry `entry` of `chunk`.
  void Add(const std::shared_ptr<const IndexChunk>& chunk, uint32_t entry);
  void SetPaths(std::shared_ptr<const TextTable> paths) { paths_ = std::move(paths); }
  // For a pass over IndexContents: hits refer to its chunks by number.
  void SetChunks(std::vector<std::shared_ptr<const IndexChunk>> chunks) { chunks_ = std::move(chunks); }
  void AddAt(uint32_t chunk, uint32_t entry) { refs_.push_back(Ref{chunk, entry}); }
  void Reserve(size_t hits) { refs_.reserve(hits); }
  // Adds the hits of another table over the same paths, in their order.
  void Append(const HitTable& other);
  // Hits [first, first + count) as a table of their own.
  std::shared_ptr<HitTable> Range(size_t first, size_t count) const;
  size_t MemoryBytes() const;

 private:
  struct Ref {
    uint32_t chunk;
    uint32_t entry;
  };
  const IndexChunk& At(size_t i) const { return *chunks_[refs_[i].chunk]; }
  std::vector<Ref> refs_;
  std::vector<std::shared_ptr<const IndexChunk>> chunks_;
  std::shared_ptr<const TextTable> paths_;
};

}  // namespace catalog
