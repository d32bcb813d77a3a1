// A whole run into a real catalogue: the snapshot row, the rows as the
// program's own statements see them during and after the walk, stop, cancel,
// an empty disk, and an error in the middle of the walk.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "create/catalog_sink.h"
#include "create/memory_source.h"
#include "create/snapshot_job.h"
#include "tests/native/test_support.h"

using namespace create;

namespace {

class ScanCatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::MakeEmptyCatalog(dir.File("Kestrova"));
    cn.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
    cn.Open();
  }
  ScanHooks Hooks() {
    ScanHooks h;
    h.processMessages = [this] {
      if (onPump) onPump();
    };
    h.state = [this] { return state; };
    h.scannedKB = &scannedKB;
    return h;
  }
  SnapshotOutcome Take(const std::string& label, int64_t diskSizeKB = 10485760, const std::string& memo = "") {
    SnapshotRequest r{label, MemorySource::kRoot, diskSizeKB, memo, {}};
    return TakeSnapshot(q, src, r, Hooks(), [this] { state = kScanRunning; });
  }
  // Counts through a second query on the same connection, as another
  // window's statement would.
  int64_t Count(const std::string& where) {
    catalog::Query other(&cn);
    other.Clear();
    other.Add("Select count(*) As n from " + where);
    other.Open();
    int64_t n = other.AsInteger("n");
    other.Close();
    return n;
  }
  std::vector<std::string> Names(const std::string& storedPath) {
    std::vector<std::string> out;
    catalog::Query other(&cn);
    catalog::OpenFolder(other, storedPath);
    for (; !other.Eof(); other.Next()) out.push_back(other.AsString("Name"));
    return out;
  }
  // What another connection (a crash's survivor) would find on disk.
  int64_t CommittedRows() {
    sqlite3* db = nullptr;
    sqlite3_open_v2(cn.FileName().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "select count(*) from CDFile", -1, &st, nullptr);
    sqlite3_step(st);
    int64_t n = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return n;
  }

  testsupport::TempDir dir;
  catalog::Connection cn;
  catalog::Query q{&cn};
  MemorySource src;
  int state = kScanIdle;
  int64_t scannedKB = 0;
  std::function<void()> onPump;
  const std::string root = MemorySource::kRoot;
};

}  // namespace

TEST_F(ScanCatalogTest, CompletedRunRecordsEveryRowWithItsStoredPath) {
  std::string a = src.AddFolder(root, "照片");
  src.AddFile(root, "O'Brien.txt", 3000000000);
  src.AddFile(a, "big.iso", 5000000000);
  EXPECT_EQ(Take("BACKUP01", 10485760, " 备注 "), SnapshotOutcome::kCompleted);
  catalog::OpenSnapshotRow(q, "BACKUP01");
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsInteger("TotalM"), 10240);
  EXPECT_EQ(q.AsString("Memo1"), " 备注 ");
  q.Close();
  EXPECT_EQ(Names("[BACKUP01]:\\"), (std::vector<std::string>{"照片", "O'Brien.txt"}));
  catalog::OpenFileRow(q, "[BACKUP01]:\\照片\\", "big.iso");
  ASSERT_FALSE(q.Eof());
  EXPECT_EQ(q.AsInteger("Size"), 5000000000);
  EXPECT_EQ(q.AsInteger("Type"), 0);
  q.Close();
  catalog::OpenFileRow(q, "[BACKUP01]:\\", "照片");
  ASSERT_FALSE(q.Eof());
  EXPECT_TRUE(q.IsNull("Size"));  // a folder row has no size
  q.Close();
  EXPECT_FALSE(cn.InTransaction());
  EXPECT_EQ(CommittedRows(), 3);
}

TEST_F(ScanCatalogTest, EmptyDiskGivesSnapshotRowOnly) {
  EXPECT_EQ(Take("EMPTY", 1), SnapshotOutcome::kCompleted);
  EXPECT_EQ(Count("CDName Where CDName='EMPTY'"), 1);
  EXPECT_EQ(Count("CDFile"), 0);
}

TEST_F(ScanCatalogTest, EveryRowVisibleToOwnStatementsAtOnce) {
  for (int i = 0; i < 50; ++i) src.AddFile(root, "f" + std::to_string(i), i);
  int64_t seen = -1;
  onPump = [&] {
    // After the 20th file a listing on the same connection sees all 20.
    if (Count("CDFile") == 20) seen = 20;
  };
  Take("SEEN");
  EXPECT_EQ(seen, 20);
}

TEST_F(ScanCatalogTest, StopAtRootKeepsRootEntries) {
  std::string a = src.AddFolder(root, "A");
  src.AddFile(root, "f", 1);
  src.AddFile(a, "inA", 1);
  // Confirmed once the root's first row is written.
  onPump = [&] {
    if (state == kScanRunning && Count("CDFile") > 0) state = kScanStopped;
  };
  EXPECT_EQ(Take("STOP"), SnapshotOutcome::kStopped);
  EXPECT_EQ(Names("[STOP]:\\"), (std::vector<std::string>{"A", "f"}));
  EXPECT_TRUE(Names("[STOP]:\\A\\").empty());
  EXPECT_EQ(Count("CDName"), 1);
  EXPECT_EQ(CommittedRows(), 2);
}

TEST_F(ScanCatalogTest, CancelRemovesEveryRowOfTheLabelOnly) {
  // Another snapshot whose label differs only where a wildcard would match.
  src.AddFile(root, "keep", 1);
  Take("A_B");
  MemorySource big;
  for (int i = 0; i < 30000; ++i) big.AddFile(root, "f" + std::to_string(i), 1);  // spans commits
  src = big;
  int pumps = 0;
  onPump = [&] {
    if (++pumps == 25000) state = kScanCancelled;
  };
  EXPECT_EQ(Take("AXB"), SnapshotOutcome::kCancelled);
  EXPECT_EQ(Count("CDName Where CDName='AXB'"), 0);
  EXPECT_EQ(Count("CDFile Where Path Like '[AXB]%'"), 0);
  EXPECT_EQ(Count("CDFile"), 1);
  EXPECT_EQ(Count("CDName"), 1);
}

TEST_F(ScanCatalogTest, ErrorMidWalkKeepsRowsSoFarAsStopped) {
  src.AddFile(root, "a", 1);
  src.AddFile(root, "b", 1);
  src.AddFile(root, "c", 1);
  // The catalogue refuses the third row.
  cn.Execute(
      "CREATE TEMP TRIGGER refuse BEFORE INSERT ON CDFile WHEN NEW.Name='c' "
      "BEGIN SELECT RAISE(ABORT, 'row refused'); END");
  EXPECT_THROW(Take("BROKEN"), catalog::DbError);
  EXPECT_FALSE(cn.InTransaction());
  EXPECT_EQ(Names("[BROKEN]:\\"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(CommittedRows(), 2);
  EXPECT_EQ(Count("CDName Where CDName='BROKEN'"), 1);
}

TEST_F(ScanCatalogTest, AFailedCommitEndsTheRunWithNoTransactionLeftOpen) {
  // With a rollback journal another program's read lock holds a commit back
  // (with the write-ahead log it would not).
  cn.Execute("PRAGMA journal_mode=DELETE");
  ASSERT_EQ(cn.JournalMode(), "delete");
  for (int i = 0; i < 30000; ++i) src.AddFile(root, "f" + std::to_string(i), 1);  // spans commits
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open_v2(cn.FileName().c_str(), &other, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* reading = nullptr;
  int pumps = 0;
  onPump = [&] {
    // Well after the first commit (the folder pass pumps 30,000 times, then
    // the file pass), the other program starts reading and keeps its lock:
    // the next commit cannot be made.
    if (++pumps == 45000) {
      sqlite3_prepare_v2(other, "select Name from CDFile", -1, &reading, nullptr);
      sqlite3_step(reading);
    }
  };
  EXPECT_THROW(Take("LOCKED"), catalog::DbError);
  ASSERT_NE(reading, nullptr);
  EXPECT_FALSE(cn.InTransaction());
  sqlite3_finalize(reading);
  sqlite3_close(other);
  // What the program shows is what is on disk: the groups committed before.
  const int64_t shown = Count("CDFile");
  EXPECT_GT(shown, 0);
  EXPECT_LT(shown, 30000);
  EXPECT_EQ(CommittedRows(), shown);
  // Later changes take effect at once, not inside a transaction left open.
  DeleteSnapshot(q, "LOCKED");
  EXPECT_EQ(CommittedRows(), 0);
  EXPECT_FALSE(cn.InTransaction());
}

TEST(CatalogSinkTest, CommitsEveryHalfSecondOrEveryTenThousandRows) {
  testsupport::TempDir dir;
  testsupport::MakeEmptyCatalog(dir.File("Kestrova"));
  catalog::Connection cn;
  cn.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
  cn.Open();
  catalog::Query q(&cn);
  auto t = CatalogSink::Clock::time_point{};
  CatalogSink sink(q, [&] { return t; });
  const DirEntry f{"f", false, false, false, false, 1}, d{"d", true}, last{"last", false, false, false, false, 1};
  for (int i = 0; i < 3; ++i) sink.AppendFile(f, "[X]:\\");
  EXPECT_EQ(sink.Commits(), 0);
  EXPECT_TRUE(cn.InTransaction());
  t += std::chrono::milliseconds(499);
  sink.AppendFile(f, "[X]:\\");
  EXPECT_EQ(sink.Commits(), 0);
  t += std::chrono::milliseconds(1);
  sink.AppendFile(f, "[X]:\\");
  EXPECT_EQ(sink.Commits(), 1);
  EXPECT_FALSE(cn.InTransaction());
  for (int i = 0; i < CatalogSink::kRowsPerCommit; ++i) sink.AppendFolder(d, "[X]:\\");
  EXPECT_EQ(sink.Commits(), 2);
  sink.AppendFile(last, "[X]:\\");
  sink.Finish();
  EXPECT_EQ(sink.Commits(), 3);
  EXPECT_EQ(sink.RowsPosted(), 5 + CatalogSink::kRowsPerCommit + 1);
  EXPECT_FALSE(cn.InTransaction());
}
