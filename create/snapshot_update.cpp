#include "create/snapshot_update.h"

#include "catalog/connection.h"
#include "catalog/statements.h"
#include "create/catalog_sink.h"
#include "create/scan_rules.h"
#include "platform/file_time.h"

namespace create {
namespace {

// Lets the window breathe every so many rows while the rows are read or
// written.
constexpr int64_t kRowsPerPump = 256;

class Pacer {
 public:
  explicit Pacer(const ScanHooks& hooks) : hooks_(hooks) {}
  // `sink`: rows held back, written before the messages.
  void Row(CatalogSink* sink = nullptr) {
    if (++rows_ % kRowsPerPump == 0) Now(sink);
  }
  void Now(CatalogSink* sink = nullptr) {
    if (!hooks_.processMessages || (hooks_.messagesDue && !hooks_.messagesDue())) return;
    if (sink) sink->Flush();
    hooks_.processMessages();
  }

 private:
  const ScanHooks& hooks_;
  int64_t rows_ = 0;
};

catalog::SnapshotFacts ReadStored(catalog::Query& q, const std::string& label, SnapshotDiff& diff, Pacer& pace) {
  catalog::OpenSnapshotRow(q, label);
  if (q.Eof()) {
    q.Close();
    throw catalog::DbError("快照 " + label + " 不存在");
  }
  const catalog::SnapshotFacts facts = catalog::SnapshotFactsOf(q);
  q.Close();
  catalog::OpenSnapshotEntries(q, label);
  for (; !q.Eof(); q.Next()) {
    const int64_t type = q.IntegerAt(3);
    if (type == 0 || type == 1)
      diff.AddStored(q.TextAt(1), q.TextAt(2), static_cast<int>(type),
                     StoredEntry{q.IntegerAt(0), q.IntegerAt(4), q.IntegerAt(5), static_cast<uint32_t>(q.IntegerAt(6)),
                                 catalog::ArchiveMark{q.IntegerAt(7), q.IntegerAt(8) != 0}});
    pace.Row();
  }
  q.Close();
  return facts;
}

void WriteChanges(catalog::Query& q, const SnapshotDiff& diff, const std::string& label, int64_t totalM,
                  const catalog::SnapshotFacts& facts, Pacer& pace) {
  for (int64_t rowid : diff.RemovedRows()) {
    catalog::DeleteEntryRow(q, rowid);
    pace.Row();
  }
  pace.Now();
  for (const SnapshotDiff::Rewrite& r : diff.Rewrites()) {
    catalog::UpdateEntryRow(q, r.rowid, r.entry.size, r.entry.modified, r.entry.attributes, r.mark);
    pace.Row();
  }
  pace.Now();
  {
    catalog::Query rows(q.GetConnection());
    CatalogSink sink(rows);  // inside our transaction: it commits nothing itself
    for (const SnapshotDiff::Added& a : diff.AddedRows()) {
      sink.AppendRow(a.entry, a.path, a.type, a.mark);
      pace.Row(&sink);
    }
    sink.Finish();
  }
  pace.Now();
  catalog::RecordSnapshotFacts(q, label, totalM, facts);
}

}  // namespace

UpdateResult UpdateSnapshot(catalog::Query& q, DirectorySource& source, const SnapshotRequest& request,
                            const ScanHooks& hooks, const std::function<void()>& beforeWalk) {
  catalog::Connection* cn = q.GetConnection();
  if (!cn) throw catalog::DbError("查询未连接到目录数据库");
  cn->RequireWritable();
  Pacer pace(hooks);
  SnapshotDiff diff;
  const catalog::SnapshotFacts before = ReadStored(q, request.label, diff, pace);
  if (beforeWalk) beforeWalk();
  ScanEngine engine(source, diff, hooks, request.archives);
  engine.Walk(request.root, request.label);
  UpdateResult result;
  result.counts = diff.Counts();
  if (hooks.state && hooks.state() != kScanRunning) return result;

  const catalog::SnapshotFacts after = FactsOfWalk(request, engine, before.created, filetime::Now());
  cn->BeginTransaction();
  try {
    WriteChanges(q, diff, request.label, TotalMFromKB(request.diskSizeKB), after, pace);
    cn->Commit();
  } catch (...) {
    q.Close();
    try {
      cn->Rollback();
    } catch (...) {
      // The connection closes the transaction when it goes; the old rows
      // are what the file holds either way.
    }
    throw;
  }
  result.replaced = true;
  return result;
}

std::string ChangeSummary(const ChangeCounts& c) {
  return "新增 " + std::to_string(c.added) + " 项，删除 " + std::to_string(c.removed) + " 项，改变 " +
         std::to_string(c.changed) + " 项";
}

}  // namespace create
