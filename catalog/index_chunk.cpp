#include "catalog/index_chunk.h"

namespace catalog {

uint32_t TextTable::Id(std::string_view text) {
  if (auto it = ids_.find(text); it != ids_.end()) return it->second;
  const auto id = static_cast<uint32_t>(values_.size());
  values_.emplace_back(text);
  ids_.emplace(values_.back(), id);
  return id;
}

size_t TextTable::MemoryBytes() const {
  size_t n = ids_.bucket_count() * sizeof(void*) + ids_.size() * (sizeof(std::string_view) + 3 * sizeof(void*));
  for (const std::string& s : values_) n += sizeof(std::string) + (s.capacity() > 15 ? s.capacity() + 1 : 0);
  return n;
}

void IndexChunk::Shrink() {
  delta.shrink_to_fit();
  start.shrink_to_fit();
  kind.shrink_to_fit();
  size.shrink_to_fit();
  modified.shrink_to_fit();
  path.shrink_to_fit();
  inArchive.shrink_to_fit();
  ext.shrink_to_fit();
  text.shrink_to_fit();
}

size_t IndexChunk::Bytes() const {
  return sizeof(IndexChunk) + delta.capacity() * 4 + start.capacity() * 4 + kind.capacity() + size.capacity() * 8 +
         modified.capacity() * 8 + path.capacity() * 4 + ext.capacity() * 4 + inArchive.capacity() / 8 +
         text.capacity();
}

size_t IndexContents::TotalEntries() const {
  size_t n = 0;
  for (size_t e : entries) n += e;
  return n;
}

}  // namespace catalog
