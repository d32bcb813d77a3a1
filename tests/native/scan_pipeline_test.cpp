// The scan's rows held back and written many to a statement: the program's
// own statements see every recorded row whenever messages are let through,
// a refused row keeps the rows before it, the log's folding is back to
// normal after every run, and a process killed mid-scan leaves a whole
// catalogue that lost at most the last group of rows.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "catalog/connection.h"
#include "catalog/statements.h"
#include "create/catalog_sink.h"
#include "create/memory_source.h"
#include "create/snapshot_job.h"
#include "tests/native/test_support.h"

using namespace create;

namespace {

class ScanPipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::MakeEmptyCatalog(dir.File("Kestrova"));
    Connect();
  }
  void Connect() {
    cn.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
    cn.Open();
  }
  // Messages let through at every `every`-th request, as the window paces
  // them.
  SnapshotOutcome Take(const std::string& label, int every) {
    ScanHooks h;
    h.messagesDue = [this, every] { return ++requests % every == 0; };
    h.processMessages = [this] {
      ++processed;
      if (onMessages) onMessages();
    };
    h.state = [this] { return state; };
    SnapshotRequest r{label, MemorySource::kRoot, 10485760, "", {}};
    return TakeSnapshot(q, src, r, h, [this] { state = kScanRunning; });
  }
  int64_t Count(const std::string& sql) {
    catalog::Query other(&cn);
    other.Add(sql);
    other.Open();
    const int64_t n = other.IntegerAt(0);
    other.Close();
    return n;
  }
  // The snapshot's names in rowid order.
  std::vector<std::string> Names(const std::string& label) {
    std::vector<std::string> out;
    catalog::Query other(&cn);
    catalog::OpenFolder(other, catalog::SnapshotRoot(label));
    for (; !other.Eof(); other.Next()) out.push_back(other.AsString("Name"));
    return out;
  }
  void AddFiles(int n) {
    for (int i = 0; i < n; ++i) src.AddFile(MemorySource::kRoot, "f" + std::to_string(i), i);
  }
  static std::vector<std::string> FirstFiles(int n) {
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) out.push_back("f" + std::to_string(i));
    return out;
  }

  testsupport::TempDir dir;
  catalog::Connection cn;
  catalog::Query q{&cn};
  MemorySource src;
  int state = kScanIdle;
  int64_t requests = 0, processed = 0;
  std::function<void()> onMessages;
};

TEST_F(ScanPipelineTest, EveryRecordedRowIsThereWhenMessagesAreLetThrough) {
  // A root of files only: request 1 is the visit, 2 to 101 the folder pass
  // (no rows), 102 to 201 the file pass, one row before each request.
  AddFiles(100);
  int wrong = 0;
  onMessages = [&] {
    const int64_t recorded = requests <= 101 ? 0 : requests - 101;
    if (Count("Select count(*) from CDFile") != recorded) ++wrong;
  };
  // Seven does not divide the statement's sixteen rows: the messages come
  // with rows held back.
  EXPECT_EQ(Take("SEEN", 7), SnapshotOutcome::kCompleted);
  EXPECT_EQ(processed, 201 / 7);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(Names("SEEN"), FirstFiles(100));  // in the order of the walk
}

TEST_F(ScanPipelineTest, ARefusedRowKeepsTheRowsBeforeItAndDropsTheRest) {
  AddFiles(40);
  // Inside the second statement's sixteen rows.
  cn.Execute(
      "CREATE TEMP TRIGGER refuse BEFORE INSERT ON CDFile WHEN NEW.Name='f20' "
      "BEGIN SELECT RAISE(ABORT, 'row refused'); END");
  EXPECT_THROW(Take("BROKEN", 1000), catalog::DbError);
  EXPECT_FALSE(cn.InTransaction());
  EXPECT_EQ(Names("BROKEN"), FirstFiles(20));
}

TEST_F(ScanPipelineTest, TheLogFoldsAsUsualAfterEveryRun) {
  auto pages = [&] { return Count("PRAGMA wal_autocheckpoint"); };
  AddFiles(50);
  int64_t during = 0;
  onMessages = [&] { during = pages(); };
  Take("ONE", 3);
  EXPECT_EQ(during, catalog::kScanCheckpointPages);
  EXPECT_EQ(pages(), catalog::kCheckpointPages);
  cn.Execute(
      "CREATE TEMP TRIGGER refuse BEFORE INSERT ON CDFile WHEN NEW.Name='f30' "
      "BEGIN SELECT RAISE(ABORT, 'row refused'); END");
  state = kScanIdle;
  EXPECT_THROW(Take("TWO", 3), catalog::DbError);
  EXPECT_EQ(pages(), catalog::kCheckpointPages);
}

// The process killed (SIGKILL, as kill -9) while messages are let through,
// rows held back by the sink and the log unfolded: what opens afterwards is
// a whole catalogue holding the first rows of the walk, in order, no fewer
// than were recorded before the last full group.
TEST_F(ScanPipelineTest, KilledMidScanLosesAtMostTheLastGroup) {
  constexpr int kFiles = 45000;  // commits every 10,000 rows: four of them, then the rest
  AddFiles(kFiles);
  cn.Close();
  const std::string original = dir.File("original");
  std::filesystem::copy_file(dir.File("Kestrova"), original);
  // Requests 1 to kFiles + 1 come before the first file row.
  const int64_t fileRows = kFiles + 1;
  for (int64_t at : {fileRows + 5000, fileRows + 10003, fileRows + 27777, fileRows + 44999}) {
    std::filesystem::remove(dir.File("Kestrova-wal"));
    std::filesystem::remove(dir.File("Kestrova-shm"));
    std::filesystem::copy_file(original, dir.File("Kestrova"), std::filesystem::copy_options::overwrite_existing);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Connect();
      onMessages = [&] {
        if (requests >= at) raise(SIGKILL);
      };
      try {
        Take("KILLED", 3);
      } catch (...) {
      }
      _exit(1);  // never reached: the kill comes first
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "killed at request " << at;
    Connect();
    EXPECT_EQ(Count("Select count(*) From pragma_integrity_check Where integrity_check <> 'ok'"), 0);
    const int64_t recorded = at - 1 - kFiles;  // rows the walk had recorded, give or take the last request
    const std::vector<std::string> names = Names("KILLED");
    EXPECT_LE(static_cast<int64_t>(names.size()), recorded + 3) << "killed at request " << at;
    EXPECT_GE(static_cast<int64_t>(names.size()), recorded - CatalogSink::kRowsPerCommit) << "killed at request " << at;
    EXPECT_EQ(names, FirstFiles(static_cast<int>(names.size())));
    cn.Close();
  }
}

}  // namespace
