// One run of the create window without the window: the snapshot's row, the
// walk into CDFile, and on cancel the removal of everything the run wrote.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "archive/archive_lister.h"
#include "catalog/query.h"
#include "catalog/snapshot_facts.h"
#include "create/dir_source.h"
#include "create/scan_engine.h"

namespace create {

struct SnapshotRequest {
  std::string label;  // trimmed, upper case
  std::string root;   // disk path of the drive's root
  int64_t diskSizeKB = 0;
  std::string memo;   // exactly as typed
  catalog::VolumeIdentity volume;  // recorded with the snapshot
  // Lists what archives and disc images hold (the create window's option);
  // null: they are recorded as files.
  archives::ArchiveLister* archives = nullptr;
};

// How the walk ended, by the run state at its end.
enum class SnapshotOutcome { kCompleted, kStopped, kCancelled };

// Writes the CDName row, calls `beforeWalk` (the window shows its progress
// and sets the run state to running there), walks the tree into CDFile
// through `q`, and deletes the snapshot's rows of both tables when the run
// was cancelled. A completed or stopped run records the volume's identity,
// the counts and the time (RecordSnapshotFacts). An error in the walk commits the rows written so far and
// propagates: they stay as a stopped snapshot would. When that commit itself
// fails, the rows of the last group (at most half a second of the walk) are
// given up and the connection is left with no transaction open.
SnapshotOutcome TakeSnapshot(catalog::Query& q, DirectorySource& source, const SnapshotRequest& request,
                             const ScanHooks& hooks, const std::function<void()>& beforeWalk);

// The facts a finished walk gives the snapshot's row.
catalog::SnapshotFacts FactsOfWalk(const SnapshotRequest& request, const ScanEngine& engine, int64_t created,
                                   int64_t updated);

// Removes the snapshot's CDFile rows, then its CDName row.
void DeleteSnapshot(catalog::Query& q, const std::string& label);

}  // namespace create
