#include "create/catalog_sink.h"

#include "catalog/connection.h"
#include "catalog/statements.h"

#include <exception>

namespace create {

CatalogSink::CatalogSink(catalog::Query& q, std::function<Clock::time_point()> now)
    : q_(q), batch_(q.GetConnection()), now_(std::move(now)) {
  catalog::OpenEntryAppend(q_);
  catalog::OpenEntryAppend(batch_, kRowsPerStatement);
  catalog::SetCheckpointPages(*q_.GetConnection(), catalog::kScanCheckpointPages);
}

CatalogSink::~CatalogSink() {
  try {
    Finish();
  } catch (...) {
    // Finish gave the group up and left no transaction open; the caller
    // that wanted to know called Finish itself.
  }
}

void CatalogSink::BeforeRow() {
  catalog::Connection* cn = q_.GetConnection();
  // A transaction someone else opened is theirs to commit; ours is opened
  // lazily so that an empty folder costs no commit.
  if (!ownTransaction_ && cn && !cn->InTransaction()) {
    cn->BeginTransaction();
    ownTransaction_ = true;
    opened_ = now_();
  }
}

void CatalogSink::AfterRow() {
  ++posted_;
  if (!ownTransaction_) return;
  ++pending_;
  if (pending_ >= kRowsPerCommit || now_() - opened_ >= kCommitInterval) CommitPending();
}

void CatalogSink::CommitPending() {
  if (!ownTransaction_) return;
  Flush();  // a failed row ends the walk; the rows before it are committed as it unwinds
  ownTransaction_ = false;
  pending_ = 0;
  catalog::Connection* cn = q_.GetConnection();
  if (!cn || !cn->InTransaction()) return;
  try {
    cn->Commit();
  } catch (...) {
    // A failed commit (the file locked beyond the wait, a full disk) leaves
    // the transaction open: every later statement of the program would run
    // inside it and never reach the file. The group is given up instead;
    // the rows committed before it stay.
    try {
      cn->Rollback();
    } catch (...) {
    }
    throw;
  }
  ++commits_;
}

void CatalogSink::Hold(const DirEntry& e, std::string_view storedPath, int type, const catalog::ArchiveMark& mark) {
  BeforeRow();
  Held& h = held_[heldCount_++];
  h.name.assign(e.name);
  h.path.assign(storedPath);
  h.type = type;
  h.size = e.size;
  h.modified = e.modified;  // an unknown time stays empty rather than 1601-01-01
  h.attributes = e.attributes;
  h.mark = mark;
  if (heldCount_ == kRowsPerStatement) Flush();
  AfterRow();
}

void CatalogSink::Flush() {
  const int count = heldCount_;
  // Taken out first: rows dropped after a failure are never tried again.
  heldCount_ = 0;
  if (count == 0) return;
  if (count < kRowsPerStatement) return WriteOneByOne(count);
  for (int i = 0; i < count; ++i) {
    const Held& h = held_[i];
    catalog::SetEntry(batch_, i, h.name, h.path, h.type, h.size, h.modified, h.attributes, h.mark);
  }
  try {
    catalog::AppendEntries(batch_);
  } catch (const catalog::DbError&) {
    // The statement took none of its rows. Row by row, the ones before the
    // refused one go in, as they would have one at a time; unless the
    // engine gave up the whole transaction (a full disk), which leaves
    // nothing to add to.
    catalog::Connection* cn = q_.GetConnection();
    if (ownTransaction_ && cn && !cn->InTransaction()) throw;
    WriteOneByOne(count);
  }
}

void CatalogSink::WriteOneByOne(int count) {
  for (int i = 0; i < count; ++i) {
    const Held& h = held_[i];
    catalog::SetEntry(q_, 0, h.name, h.path, h.type, h.size, h.modified, h.attributes, h.mark);
    catalog::AppendEntries(q_);
  }
}

void CatalogSink::AppendFolder(const DirEntry& e, std::string_view storedPath) { Hold(e, storedPath, 1, {}); }

void CatalogSink::AppendFile(const DirEntry& e, std::string_view storedPath) { Hold(e, storedPath, 0, {}); }

void CatalogSink::AppendArchive(const DirEntry& e, std::string_view storedPath, int64_t members) {
  Hold(e, storedPath, 0, catalog::ArchiveMark{members, false});
}

void CatalogSink::AppendMember(const DirEntry& e, std::string_view storedPath) {
  Hold(e, storedPath, e.folder ? 1 : 0, catalog::ArchiveMark{0, true});
}

void CatalogSink::AppendRow(const DirEntry& e, std::string_view storedPath, int type,
                            const catalog::ArchiveMark& mark) {
  Hold(e, storedPath, type, mark);
}

void CatalogSink::Finish() {
  if (finished_) return;
  finished_ = true;
  std::exception_ptr refused;
  try {
    Flush();
  } catch (...) {
    refused = std::current_exception();
  }
  q_.Close();
  batch_.Close();
  // Back to the usual folds: the next commit (the snapshot's facts) folds
  // the scan's log into the file.
  struct Restore {
    catalog::Connection* cn;
    ~Restore() {
      if (cn) catalog::SetCheckpointPages(*cn, catalog::kCheckpointPages);
    }
  } restore{q_.GetConnection()};
  CommitPending();
  if (refused) std::rethrow_exception(refused);
}

}  // namespace create
