// "查找重复文件": files stored more than once across the snapshots, found in
// the names held in memory. Two files are the same when their names (letter
// case aside) and sizes are, or, chosen instead, their sizes and modified
// times whatever the names. Groups come largest wasted space first.
//
// The work is bounded in memory whatever the catalogue holds: the files are
// split by size into as many parts as it takes for one part's keys to fit
// the working budget, and each part is sorted and grouped on its own (the
// same size always falls in the same part). It goes in steps, so that a
// window can show progress and stop it between two of them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "catalog/hit_table.h"
#include "catalog/index_chunk.h"

namespace duplicates {

enum class DuplicateKey { NameAndSize, SizeAndModified };

struct DuplicateOptions {
  DuplicateKey key = DuplicateKey::NameAndSize;
  // Files smaller than this are left out; empty files always are.
  int64_t minSize = int64_t{1} << 20;
  // The most the keys of one part may take (16 bytes a file).
  size_t workingBytes = size_t{24} << 20;
};

struct DuplicateGroup {
  int64_t size = 0;     // of each member
  uint32_t first = 0;   // the first member's row in the members table
  uint32_t count = 0;   // two or more
  int64_t Wasted() const { return size * (count - 1); }
};

struct Duplicates {
  // The largest wasted space first; among equals the larger files first.
  std::vector<DuplicateGroup> groups;
  // Every group's members, a group's rows together in rowid order.
  std::shared_ptr<catalog::HitTable> members;
  int64_t TotalWasted() const;
  // The members of one group, as a table of their own.
  std::shared_ptr<catalog::HitTable> MembersOf(const DuplicateGroup& g) const;
};

class DuplicateFinder {
 public:
  DuplicateFinder(catalog::IndexContents contents, DuplicateOptions options);
  ~DuplicateFinder();
  DuplicateFinder(const DuplicateFinder&) = delete;
  DuplicateFinder& operator=(const DuplicateFinder&) = delete;

  // Works on until `enough()` says so, asked between two pieces (one chunk
  // of entries read, one part sorted), or to the end. True once done.
  bool Step(const std::function<bool()>& enough);
  bool Done() const;
  // How much of the work is done, from 0 to 1.
  double Progress() const;
  // Once done: the groups (the finder is spent).
  Duplicates Take();
  // The parts the files were split into (1 while they fit the budget).
  size_t Parts() const;

 private:
  struct State;
  std::unique_ptr<State> s_;
};

// The whole work at once.
Duplicates FindDuplicates(const catalog::IndexContents& contents, const DuplicateOptions& options);

}  // namespace duplicates
