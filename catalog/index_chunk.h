// The pieces of the names held in memory (NameIndex) that a search's hits
// keep using after the index has moved on: a chunk of entries and the table
// of their texts (stored paths). A chunk is never changed once the index has
// replaced it, and only grows at its end while it is the last one, so a hit
// list holding a chunk reads the same entries whatever the index does next.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalog/file_category.h"

namespace catalog {

enum class EntryKind : uint8_t;

// Distinct texts by number, appended and never removed while the table
// lives: a stored path is held once for all the entries of its folder.
class TextTable {
 public:
  uint32_t Id(std::string_view text);
  const std::string& At(uint32_t id) const { return values_[id]; }
  size_t Size() const { return values_.size(); }
  size_t MemoryBytes() const;

 private:
  std::deque<std::string> values_;  // never moved: the keys below point into them
  std::unordered_map<std::string_view, uint32_t> ids_;
};

struct IndexChunk {
  int64_t base = 0;
  std::vector<uint32_t> delta;  // rowid - base, ascending
  std::vector<uint32_t> start;  // offset of each name in text
  std::vector<EntryKind> kind;
  std::vector<int64_t> size;
  std::vector<int64_t> modified;  // kUnknownTime when not known
  std::vector<uint32_t> path;     // in the index's path table
  std::vector<uint32_t> ext;      // in the index's extension table
  std::vector<bool> inArchive;    // a member of an archive, not an entry of the disk
  std::string text;               // folded names, each followed by a zero byte

  size_t Size() const { return delta.size(); }
  int64_t Rowid(size_t i) const { return base + delta[i]; }
  int64_t FirstRowid() const { return Rowid(0); }
  int64_t LastRowid() const { return Rowid(Size() - 1); }
  std::string_view Name(size_t i) const {
    const size_t end = (i + 1 < start.size() ? start[i + 1] : text.size()) - 1;
    return {text.data() + start[i], end - start[i]};
  }
  void Shrink();
  size_t Bytes() const;
};

// What the names in memory hold at one moment, for a pass over all entries
// that does not search (duplicates, statistics): the chunks as they stand
// and the number of entries each had then (the last one may grow at its
// end afterwards; what was there stays the same), the stored paths, and each
// extension's text and category by its number.
struct IndexContents {
  std::vector<std::shared_ptr<const IndexChunk>> chunks;
  std::vector<size_t> entries;  // of each chunk, when taken
  std::shared_ptr<const TextTable> paths;
  std::vector<std::string> extensions;  // by extension id; "" for none
  std::vector<FileCategory> categories;  // by extension id

  size_t TotalEntries() const;
};

}  // namespace catalog
