// The rowids of a search's hits, in blocks of at most 64 K (512 KB), so
// that a search that hits every one of ten million rows needs no single
// block of 80 MB, nor one of 120 MB while a vector grows: the 32-bit
// program's address space is fragmented long before it is full.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace catalog {

class RowidList {
 public:
  void push_back(int64_t rowid) {
    if (blocks_.empty() || blocks_.back().size() == kBlock) {
      // Most searches hit a few rows: the first block grows as it needs
      // (up to kBlock, a power of two), the others are made whole.
      blocks_.emplace_back();
      if (blocks_.size() > 1) blocks_.back().reserve(kBlock);
    }
    blocks_.back().push_back(rowid);
    ++size_;
  }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  int64_t operator[](size_t i) const { return blocks_[i / kBlock][i % kBlock]; }
  int64_t front() const { return blocks_.front().front(); }
  std::vector<int64_t> ToVector() const {
    std::vector<int64_t> out;
    out.reserve(size_);
    for (const auto& b : blocks_) out.insert(out.end(), b.begin(), b.end());
    return out;
  }
  // The largest block held, in bytes.
  size_t LargestBlockBytes() const {
    size_t most = 0;
    for (const auto& b : blocks_) most = b.capacity() > most ? b.capacity() : most;
    return most * sizeof(int64_t);
  }

 private:
  static constexpr size_t kBlock = size_t{1} << 16;
  std::vector<std::vector<int64_t>> blocks_;
  size_t size_ = 0;
};

}  // namespace catalog
