// The difference between a snapshot's stored rows and a new walk of its
// disk, gathered in memory while the walk runs, so that nothing is written
// until the walk is complete. An entry is the same entry when its folder
// (stored path), name and kind match exactly; it changed when its size or
// its time differ. A renamed entry is one removed and one added.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalog/statements.h"
#include "create/row_sink.h"

namespace create {

struct ChangeCounts {
  int64_t added = 0;
  int64_t removed = 0;
  int64_t changed = 0;
};

struct StoredEntry {
  int64_t rowid = 0;
  int64_t size = 0;
  int64_t modified = 0;  // 0: recorded before the catalogue kept times
  uint32_t attributes = 0;
  catalog::ArchiveMark mark;
};

class SnapshotDiff : public RowSink {
 public:
  // One stored row of the snapshot (type 1 folder, 0 file; others are
  // kept as they are).
  void AddStored(std::string_view path, std::string_view name, int type, const StoredEntry& entry);

  void AppendFolder(const DirEntry& e, std::string_view storedPath) override { Seen(e, storedPath, 1, {}); }
  void AppendFile(const DirEntry& e, std::string_view storedPath) override { Seen(e, storedPath, 0, {}); }
  void AppendArchive(const DirEntry& e, std::string_view storedPath, int64_t members) override {
    Seen(e, storedPath, 0, catalog::ArchiveMark{members, false});
  }
  void AppendMember(const DirEntry& e, std::string_view storedPath) override {
    Seen(e, storedPath, e.folder ? 1 : 0, catalog::ArchiveMark{0, true});
  }

  // After the walk: what to write.
  struct Added {
    DirEntry entry;
    std::string path;
    int type;
    catalog::ArchiveMark mark;
  };
  struct Rewrite {
    int64_t rowid;
    DirEntry entry;
    catalog::ArchiveMark mark;
  };
  const std::vector<Added>& AddedRows() const { return added_; }
  // Changed entries, and entries whose time or attributes the catalogue did
  // not hold yet (filled in without counting as changed).
  const std::vector<Rewrite>& Rewrites() const { return rewrites_; }
  // Stored rows the walk did not meet.
  std::vector<int64_t> RemovedRows() const;
  ChangeCounts Counts() const;

 private:
  struct Stored {
    StoredEntry entry;
    bool seen = false;
  };
  static std::string Key(std::string_view path, std::string_view name, int type);
  void Seen(const DirEntry& e, std::string_view storedPath, int type, const catalog::ArchiveMark& mark);

  std::unordered_map<std::string, Stored> stored_;
  std::vector<Added> added_;
  std::vector<Rewrite> rewrites_;
  int64_t changed_ = 0;
  std::string key_;  // reused for each lookup
};

}  // namespace create
