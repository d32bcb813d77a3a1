#include "create/snapshot_job.h"

#include "catalog/statements.h"
#include "create/catalog_sink.h"
#include "create/scan_rules.h"

namespace create {

void DeleteSnapshot(catalog::Query& q, const std::string& label) {
  catalog::DeleteSnapshotFiles(q, label);
  catalog::DeleteSnapshotRow(q, label);
}

SnapshotOutcome TakeSnapshot(catalog::Query& q, DirectorySource& source, const SnapshotRequest& request,
                             const ScanHooks& hooks, const std::function<void()>& beforeWalk) {
  catalog::AppendSnapshot(q, request.label, TotalMFromKB(request.diskSizeKB), request.memo);
  if (beforeWalk) beforeWalk();
  {
    CatalogSink sink(q);
    ScanEngine engine(source, sink, hooks);
    engine.Walk(request.root, request.label);  // on error the sink commits as it goes away
    sink.Finish();
  }
  int state = hooks.state ? hooks.state() : kScanRunning;
  if (state == kScanCancelled) {
    DeleteSnapshot(q, request.label);
    return SnapshotOutcome::kCancelled;
  }
  return state == kScanStopped ? SnapshotOutcome::kStopped : SnapshotOutcome::kCompleted;
}

}  // namespace create
