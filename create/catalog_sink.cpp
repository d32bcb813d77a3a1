#include "create/catalog_sink.h"

#include "catalog/connection.h"
#include "catalog/statements.h"

namespace create {

CatalogSink::CatalogSink(catalog::Query& q, std::function<Clock::time_point()> now) : q_(q), now_(std::move(now)) {
  catalog::OpenEntryAppend(q_);
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

void CatalogSink::AppendRow(const DirEntry& e, std::string_view storedPath, int type) {
  BeforeRow();
  // An unknown time stays empty rather than 1601-01-01.
  catalog::AppendEntry(q_, e.name, storedPath, type, e.size, e.modified, e.attributes);
  AfterRow();
}

void CatalogSink::AppendFolder(const DirEntry& e, std::string_view storedPath) { AppendRow(e, storedPath, 1); }

void CatalogSink::AppendFile(const DirEntry& e, std::string_view storedPath) { AppendRow(e, storedPath, 0); }

void CatalogSink::Finish() {
  if (finished_) return;
  finished_ = true;
  q_.Close();
  CommitPending();
}

}  // namespace create
