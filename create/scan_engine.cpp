#include "create/scan_engine.h"

#include <vector>

#include "catalog/statements.h"

namespace create {

int ClassifyEntry(const DirEntry& e) {
  if (e.name == "." || e.name == "..") return 2;
  return e.folder ? 1 : 0;
}

bool EntersFolder(const DirEntry& e) { return !e.system && !e.link && ClassifyEntry(e) == 1; }

// One open folder of the walk. The paths of the folder being visited are
// kept once, in Walk; each level keeps only where its own paths end, so the
// memory of the walk grows with the depth, not with the square of it.
struct ScanEngine::Level {
  size_t diskLength;
  size_t storedLength;
  std::vector<std::string> subfolders;
  size_t next = 0;
};

void ScanEngine::Pump() {
  if (hooks_.processMessages && (!hooks_.messagesDue || hooks_.messagesDue())) hooks_.processMessages();
}

bool ScanEngine::ScanFolder(Level& level, const std::string& diskPath, const std::string& storedPath) {
  Pump();
  if (hooks_.status) hooks_.status(kScanStatusText);
  if (hooks_.state && hooks_.state() != kScanRunning) return false;
  ++visited_;

  source_.List(diskPath, entries_);
  // First pass: the folders. The request asks for hidden entries and
  // folders, so entries with the system attribute are not among them.
  for (const DirEntry& e : entries_) {
    if (e.system) continue;
    if (ClassifyEntry(e) == 1) {
      sink_.AppendFolder(e, storedPath);
      ++folders_;
      if (EntersFolder(e)) level.subfolders.push_back(e.name);
    }
    Pump();
  }
  // Second pass: every attribute, so hidden and system files are recorded.
  for (const DirEntry& e : entries_) {
    if (ClassifyEntry(e) == 0) {
      if (!RecordArchive(e, diskPath, storedPath)) sink_.AppendFile(e, storedPath);
      ++files_;
      bytes_ += e.size;
      if (hooks_.scannedKB) *hooks_.scannedKB += e.size / 1024;
    }
    Pump();
  }
  entries_.clear();
  return true;
}

bool ScanEngine::RecordArchive(const DirEntry& e, const std::string& diskPath, const std::string& storedPath) {
  if (!archives_ || !archives::IsArchiveName(e.name)) return false;
  listed_.clear();
  // Members are gathered first: an archive found damaged halfway is a plain
  // file, with none of them.
  const archives::ListOutcome outcome = archives_->List(diskPath + e.name, e.size, [&](const archives::ArchiveMember& m) {
    listed_.push_back(m);
    if (listed_.size() % 1024 == 0) Pump();  // a disc image of many entries
  });
  if (outcome != archives::ListOutcome::Listed || listed_.empty()) {
    listed_.clear();
    return false;
  }
  const std::vector<archives::ArchiveMember> members = archives::WithImpliedFolders(listed_);
  listed_.clear();
  sink_.AppendArchive(e, storedPath, static_cast<int64_t>(members.size()));
  std::string inside = storedPath;
  inside.append(e.name).push_back('\\');
  const size_t insideLength = inside.size();
  DirEntry row;
  for (const archives::ArchiveMember& m : members) {
    const size_t cut = m.path.rfind('\\');
    const size_t nameAt = cut == std::string::npos ? 0 : cut + 1;
    inside.resize(insideLength);
    inside.append(m.path, 0, nameAt);
    row.name.assign(m.path, nameAt);
    row.folder = m.isFolder;
    row.size = m.isFolder ? 0 : m.size;
    row.modified = m.modified;
    sink_.AppendMember(row, inside);
    Pump();
  }
  ++archivesListed_;
  members_ += static_cast<int64_t>(members.size());
  return true;
}

void ScanEngine::Walk(const std::string& root, std::string_view label) {
  const char sep = source_.Separator();
  std::string disk = root;
  std::string stored = catalog::SnapshotRoot(label);
  std::vector<Level> stack;
  stack.push_back(Level{disk.size(), stored.size(), {}, 0});
  if (!ScanFolder(stack.back(), disk, stored)) return;
  while (!stack.empty()) {
    Level& top = stack.back();
    if (top.next == top.subfolders.size()) {
      stack.pop_back();
      continue;
    }
    disk.resize(top.diskLength);
    stored.resize(top.storedLength);
    const std::string& name = top.subfolders[top.next++];
    disk.append(name).push_back(sep);
    stored.append(name).push_back('\\');
    stack.push_back(Level{disk.size(), stored.size(), {}, 0});
    // Once stopped or cancelled, every later visit would return at once
    // without recording anything: the walk is over.
    if (!ScanFolder(stack.back(), disk, stored)) return;
  }
}

}  // namespace create
