// Updating a snapshot in place: the disk is walked again and the
// snapshot's rows are made to match it, keeping its label, memo and
// creation date. Nothing is written until the walk is complete; then every
// change is written in one transaction. So a stop, a cancel, an error, a
// full disk or the end of the process at any moment leaves either the old
// snapshot whole or the new one whole.
#pragma once

#include <functional>
#include <string>

#include "catalog/query.h"
#include "create/dir_source.h"
#include "create/scan_engine.h"
#include "create/snapshot_diff.h"
#include "create/snapshot_job.h"

namespace create {

struct UpdateResult {
  bool replaced = false;  // false: stopped or cancelled, the old rows stay
  ChangeCounts counts;
};

// `request.label` names the snapshot; its memo is not used. The hooks and
// `beforeWalk` are those of TakeSnapshot; the message hook is also called
// while the changes are written. Throws DbError (the old snapshot kept)
// when the snapshot does not exist or the catalogue cannot be written.
UpdateResult UpdateSnapshot(catalog::Query& q, DirectorySource& source, const SnapshotRequest& request,
                            const ScanHooks& hooks, const std::function<void()>& beforeWalk);

// "新增 120 项，删除 8 项，改变 14 项"
std::string ChangeSummary(const ChangeCounts& counts);

}  // namespace create
