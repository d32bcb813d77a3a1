#include "create/snapshot_diff.h"

namespace create {

std::string SnapshotDiff::Key(std::string_view path, std::string_view name, int type) {
  // A zero byte cannot occur in a path or a name.
  std::string key;
  key.reserve(path.size() + name.size() + 3);
  key.append(path).push_back('\0');
  key.append(name).push_back('\0');
  key.push_back(static_cast<char>('0' + type));
  return key;
}

void SnapshotDiff::AddStored(std::string_view path, std::string_view name, int type, const StoredEntry& entry) {
  stored_[Key(path, name, type)] = Stored{entry, false};
}

void SnapshotDiff::Seen(const DirEntry& e, std::string_view storedPath, int type, const catalog::ArchiveMark& mark) {
  key_ = Key(storedPath, e.name, type);
  auto it = stored_.find(key_);
  if (it == stored_.end() || it->second.seen) {
    added_.push_back(Added{e, std::string(storedPath), type, mark});
    return;
  }
  Stored& s = it->second;
  s.seen = true;
  const bool timeKnown = s.entry.modified != 0;
  const bool changed = (type == 0 && s.entry.size != e.size) || (timeKnown && s.entry.modified != e.modified);
  if (changed) ++changed_;
  // An archive listed now and not before (or the other way) is rewritten
  // without counting as changed: its file is the same.
  const bool markDiffers = s.entry.mark.members != mark.members || s.entry.mark.inArchive != mark.inArchive;
  if (changed || markDiffers || s.entry.modified != e.modified || s.entry.attributes != e.attributes)
    rewrites_.push_back(Rewrite{s.entry.rowid, e, mark});
}

std::vector<int64_t> SnapshotDiff::RemovedRows() const {
  std::vector<int64_t> rows;
  for (const auto& [key, s] : stored_)
    if (!s.seen) rows.push_back(s.entry.rowid);
  return rows;
}

ChangeCounts SnapshotDiff::Counts() const {
  ChangeCounts c;
  c.added = static_cast<int64_t>(added_.size());
  c.changed = changed_;
  for (const auto& [key, s] : stored_)
    if (!s.seen) ++c.removed;
  return c;
}

}  // namespace create
