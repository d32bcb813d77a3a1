// The folder tree of one snapshot, or of one folder of it, built from the
// names held in memory (IndexContents) for the space map: every folder with
// its folders and files, a folder's size the sum of the files below it.
//
// Nodes are numbered breadth first from the root (0), so each node's
// children are the consecutive nodes [FirstChild, FirstChild + Children),
// largest first (of equal sizes the earlier row). A node is a handful of
// numbers in parallel arrays, about 25 bytes, and no text: names are read
// from the contents the tree keeps, folded as the index holds them; the
// rowid leads the window to the real name.
//
// Entries find their folder by stored path: a folder named N in the folder
// of path P holds the entries of path P + N + "\", compared folded. A path
// whose folder has no entry of its own (the snapshot's root, a damaged
// catalogue) gets a folder made from the path, named after its last folder name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/file_category.h"
#include "catalog/index_chunk.h"

namespace stats {

class SpaceTree {
 public:
  static constexpr uint32_t kNoNode = UINT32_MAX;

  // The tree below `rootPath`, a stored path ending in "\": a snapshot's
  // root "[LABEL]:\" or any folder of it.
  static SpaceTree Build(const catalog::IndexContents& contents, std::string_view rootPath);

  size_t Size() const { return size_.size(); }
  int64_t Bytes(uint32_t node) const { return size_[node]; }
  bool IsFolder(uint32_t node) const { return folder_[node] != 0; }
  uint32_t Parent(uint32_t node) const { return parent_[node]; }
  uint32_t FirstChild(uint32_t node) const { return first_[node]; }
  uint32_t Children(uint32_t node) const { return count_[node]; }
  // The sizes of a node's children, largest first (consecutive nodes).
  std::span<const int64_t> ChildSizes(uint32_t node) const { return {size_.data() + first_[node], count_[node]}; }
  // The entry's rowid; 0 for a folder made from a path.
  int64_t Rowid(uint32_t node) const;
  // Folded, as the index holds it; the root's is its stored path.
  std::string_view Name(uint32_t node) const;
  // Other for folders.
  catalog::FileCategory Category(uint32_t node) const;
  // The node's stored path as the tree knows it: the root's as given, then
  // the folded names of the folders down to it (a folder's ends in "\").
  std::string StoredPath(uint32_t node) const;
  // Bytes held by the tree (capacities), not counting the contents it shares.
  size_t MemoryBytes() const;

 private:
  static constexpr uint32_t kMade = 0x80000000u;  // entry_ of a folder made from a path: index in made_
  struct Place {
    uint32_t chunk, entry;
  };
  Place PlaceOf(uint32_t ordinal) const;

  catalog::IndexContents contents_;
  std::vector<uint32_t> chunkStart_;  // ordinal of each chunk's first entry
  // Per node.
  std::vector<int64_t> size_;
  std::vector<uint32_t> entry_;  // ordinal in the contents, or kMade | index
  std::vector<uint32_t> parent_, first_, count_;
  std::vector<uint8_t> folder_;
  std::vector<std::string> made_;  // names of the folders made from a path
  std::string rootPath_;
  uint32_t entry_root_ = kNoNode;  // the root folder's own entry, when the contents hold it
  friend class SpaceTreeBuilder;
};

}  // namespace stats
