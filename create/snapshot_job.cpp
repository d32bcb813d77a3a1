#include "create/snapshot_job.h"

#include "catalog/statements.h"
#include "create/catalog_sink.h"
#include "create/scan_rules.h"
#include "platform/file_time.h"

namespace create {

catalog::SnapshotFacts FactsOfWalk(const SnapshotRequest& request, const ScanEngine& engine, int64_t created,
                                   int64_t updated) {
  catalog::SnapshotFacts facts;
  facts.volume = request.volume;
  facts.folders = engine.FoldersRecorded();
  facts.files = engine.FilesRecorded();
  facts.fileBytes = engine.BytesRecorded();
  facts.created = created;
  facts.updated = updated;
  return facts;
}

void DeleteSnapshot(catalog::Query& q, const std::string& label) {
  catalog::DeleteSnapshotFiles(q, label);
  catalog::DeleteSnapshotRow(q, label);
}

SnapshotOutcome TakeSnapshot(catalog::Query& q, DirectorySource& source, const SnapshotRequest& request,
                             const ScanHooks& hooks, const std::function<void()>& beforeWalk) {
  catalog::AppendSnapshot(q, request.label, TotalMFromKB(request.diskSizeKB), request.memo);
  const int64_t started = filetime::Now();
  if (beforeWalk) beforeWalk();
  catalog::SnapshotFacts facts;
  {
    CatalogSink sink(q);
    // Whatever a message handler reads, the rows recorded so far are there.
    ScanHooks walkHooks = hooks;
    if (hooks.processMessages)
      walkHooks.processMessages = [&] {
        sink.Flush();
        hooks.processMessages();
      };
    ScanEngine engine(source, sink, walkHooks, request.archives);
    engine.Walk(request.root, request.label);  // on error the sink commits as it goes away
    sink.Finish();
    facts = FactsOfWalk(request, engine, started, started);
  }
  int state = hooks.state ? hooks.state() : kScanRunning;
  if (state == kScanCancelled) {
    DeleteSnapshot(q, request.label);
    return SnapshotOutcome::kCancelled;
  }
  catalog::RecordSnapshotFacts(q, request.label, TotalMFromKB(request.diskSizeKB), facts);
  return state == kScanStopped ? SnapshotOutcome::kStopped : SnapshotOutcome::kCompleted;
}

}  // namespace create
