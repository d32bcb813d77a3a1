// The walk that records one snapshot: for each folder its subfolders, then
// its files, then the folders below it, depth first. The walk keeps its own
// stack of folders (only the subfolder names of each open level), so a very
// deep tree cannot overflow the call stack.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive_lister.h"
#include "create/dir_source.h"
#include "create/row_sink.h"

namespace create {

// The create window's run state.
enum ScanState : int { kScanIdle = 0, kScanRunning = 1, kScanStopped = 2, kScanCancelled = 3 };

// 1 for a folder, 0 for a file, 2 for "." and "..".
int ClassifyEntry(const DirEntry& e);

// Whether the walk enters the entry: folders, except system folders (the
// folder pass does not ask for them) and links (they lead elsewhere).
bool EntersFolder(const DirEntry& e);

// What the walk asks of the window while it runs.
struct ScanHooks {
  // Lets the application process its pending messages; called at each
  // folder visit and after every entry of both passes, when messagesDue
  // allows.
  std::function<void()> processMessages;
  // The pacing of those calls (null: every time). Asked first, so that
  // whoever holds rows back for a moment (the catalogue's sink) can write
  // them just before the messages, whose handlers may read them.
  std::function<bool()> messagesDue;
  // The status text shown at each folder visit.
  std::function<void(std::string_view)> status;
  // The run state, read at each folder visit; anything but running ends the
  // walk there.
  std::function<int()> state;
  // Running sum of the recorded files' sizes in KB (may be null).
  int64_t* scannedKB = nullptr;
};

inline constexpr const char* kScanStatusText = "创建快照";

class ScanEngine {
 public:
  // With `archives`, the members of every archive and disc image the lister
  // reads are recorded below the archive's row (one level deep: an archive
  // inside an archive is a member file); without it archives are files.
  ScanEngine(DirectorySource& source, RowSink& sink, ScanHooks hooks, archives::ArchiveLister* archives = nullptr)
      : source_(source), sink_(sink), hooks_(std::move(hooks)), archives_(archives) {}

  // Walks the tree below `root` (a disk path ending in the source's
  // separator), recording every entry under the snapshot `label`. Errors of
  // the sink propagate; the rows posted before stay posted.
  void Walk(const std::string& root, std::string_view label);

  int64_t FoldersVisited() const { return visited_; }
  // What the walk recorded: folder rows, file rows, and the files' bytes.
  int64_t FoldersRecorded() const { return folders_; }
  int64_t FilesRecorded() const { return files_; }
  int64_t BytesRecorded() const { return bytes_; }
  // The archives whose members were recorded, and those members' rows
  // (none of them among the counts above: they are no entries of the disk).
  int64_t ArchivesListed() const { return archivesListed_; }
  int64_t MembersRecorded() const { return members_; }

 private:
  struct Level;
  // One folder's visit: records its subfolders, then its files. False when
  // the run state is no longer running.
  bool ScanFolder(Level& level, const std::string& diskPath, const std::string& storedPath);
  void Pump();
  // Records the file as an archive with its members; false (nothing
  // recorded) when it is none the lister reads, or one it cannot.
  bool RecordArchive(const DirEntry& e, const std::string& diskPath, const std::string& storedPath);

  DirectorySource& source_;
  RowSink& sink_;
  ScanHooks hooks_;
  int64_t visited_ = 0;
  int64_t folders_ = 0;
  int64_t files_ = 0;
  int64_t bytes_ = 0;
  archives::ArchiveLister* archives_;
  int64_t archivesListed_ = 0;
  int64_t members_ = 0;
  std::vector<DirEntry> entries_;  // the folder being visited
  std::vector<archives::ArchiveMember> listed_;  // the archive being listed
};

}  // namespace create
