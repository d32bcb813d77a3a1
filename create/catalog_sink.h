// Appends the scan's rows to CDFile through statements that stay prepared
// for the whole walk. Rows are held back until kRowsPerStatement of them
// can go in one statement (the engine's cost per statement is then paid once
// for all of them), and written at once when Flush is called: the scan calls
// it before it lets window messages through, so the program's own statements
// see every row posted before any of its handlers runs. Rows are grouped
// into short transactions on the same connection: a commit follows every
// half second or every kRowsPerCommit rows, so a crash loses at most the
// last moments of a scan.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "catalog/query.h"
#include "catalog/statements.h"
#include "create/row_sink.h"

namespace create {

class CatalogSink : public RowSink {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int64_t kRowsPerCommit = 10000;
  static constexpr std::chrono::milliseconds kCommitInterval{500};
  static constexpr int kRowsPerStatement = 16;

  // `q` must be bound to the catalogue connection; it is opened on CDFile.
  explicit CatalogSink(catalog::Query& q, std::function<Clock::time_point()> now = Clock::now);
  // Commits what is pending (never throws); see Finish.
  ~CatalogSink() override;
  CatalogSink(const CatalogSink&) = delete;
  CatalogSink& operator=(const CatalogSink&) = delete;

  void AppendFolder(const DirEntry& e, std::string_view storedPath) override;
  void AppendFile(const DirEntry& e, std::string_view storedPath) override;
  void AppendArchive(const DirEntry& e, std::string_view storedPath, int64_t members) override;
  void AppendMember(const DirEntry& e, std::string_view storedPath) override;
  // Any row: type 1 folder, 0 file, with what it says of archives.
  void AppendRow(const DirEntry& e, std::string_view storedPath, int type, const catalog::ArchiveMark& mark);

  // Writes the rows held back. Throws DbError when one is refused: the rows
  // before it are written, the ones after it dropped, as if the walk had
  // ended at the refused row.
  void Flush();
  // Writes and commits the pending rows and closes the statements. Throws
  // DbError when a row or the commit fails (the rows committed before stay).
  void Finish();
  int64_t RowsPosted() const { return posted_; }
  int64_t Commits() const { return commits_; }

 private:
  struct Held {
    std::string name, path;  // kept, so the statement can bind them without a copy
    int type = 0;
    int64_t size = 0, modified = 0;
    uint32_t attributes = 0;
    catalog::ArchiveMark mark;
  };
  void BeforeRow();
  void AfterRow();
  void CommitPending();
  void Hold(const DirEntry& e, std::string_view storedPath, int type, const catalog::ArchiveMark& mark);
  void WriteOneByOne(int count);

  catalog::Query& q_;     // one row a run
  catalog::Query batch_;  // kRowsPerStatement rows a run
  std::function<Clock::time_point()> now_;
  std::array<Held, kRowsPerStatement> held_;
  int heldCount_ = 0;
  bool ownTransaction_ = false;
  bool finished_ = false;
  Clock::time_point opened_{};
  int64_t pending_ = 0;
  int64_t posted_ = 0;
  int64_t commits_ = 0;
};

}  // namespace create
