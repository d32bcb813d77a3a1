// Appends the scan's rows to CDFile through one query that stays open for
// the whole walk. Rows are grouped into short transactions on the same
// connection: each row is visible to the program's own statements as soon as
// it is posted, and a commit follows every half second or every
// kRowsPerCommit rows, so a crash loses at most the last moments of a scan.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "catalog/query.h"
#include "create/row_sink.h"

namespace create {

class CatalogSink : public RowSink {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int64_t kRowsPerCommit = 10000;
  static constexpr std::chrono::milliseconds kCommitInterval{500};

  // `q` must be bound to the catalogue connection; it is opened on CDFile.
  explicit CatalogSink(catalog::Query& q, std::function<Clock::time_point()> now = Clock::now);
  // Commits what is pending (never throws); see Finish.
  ~CatalogSink() override;
  CatalogSink(const CatalogSink&) = delete;
  CatalogSink& operator=(const CatalogSink&) = delete;

  void AppendFolder(const DirEntry& e, std::string_view storedPath) override;
  void AppendFile(const DirEntry& e, std::string_view storedPath) override;

  // Commits the pending rows and closes the query. Throws DbError when the
  // commit fails.
  void Finish();
  int64_t RowsPosted() const { return posted_; }
  int64_t Commits() const { return commits_; }

 private:
  void BeforeRow();
  void AfterRow();
  void CommitPending();
  void AppendRow(const DirEntry& e, std::string_view storedPath, int type);

  catalog::Query& q_;
  std::function<Clock::time_point()> now_;
  bool ownTransaction_ = false;
  bool finished_ = false;
  Clock::time_point opened_{};
  int64_t pending_ = 0;
  int64_t posted_ = 0;
  int64_t commits_ = 0;
};

}  // namespace create
