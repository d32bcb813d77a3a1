// Updating a snapshot in place: the change counts (added, removed, changed,
// a rename as one removed and one added), the label, memo and creation date
// kept, and that a stop, an error or the end of the process at any moment
// leaves exactly one whole snapshot, the old one or the new one.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <stdexcept>

#include "catalog/connection.h"
#include "catalog/statements.h"
#include "create/memory_source.h"
#include "create/snapshot_update.h"
#include "platform/file_time.h"
#include "tests/native/test_support.h"

using namespace create;

namespace {

constexpr int64_t kDay = 864000000000;  // ticks

class SnapshotUpdateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::MakeEmptyCatalog(dir.File("Kestrova"));
    Connect();
    // M:\ with folders A (3 files) and B (2 files) and a file at the root.
    const std::string a = src.AddFolder(MemorySource::kRoot, "A");
    const std::string b = src.AddFolder(MemorySource::kRoot, "B");
    for (int i = 0; i < 3; ++i) AddFile(a, "a" + std::to_string(i) + ".txt", 100 + i);
    AddFile(b, "b0.doc", 7);
    AddFile(b, "report.doc", 9);
    AddFile(MemorySource::kRoot, "root.bin", 1);
  }
  void Connect() {
    cn.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
    cn.Open();
  }
  void AddFile(const std::string& parent, const std::string& name, int64_t size) {
    src.AddFile(parent, name, size);
    src.Find(parent, name)->modified = 1000 * kDay + size;
  }
  ScanHooks Hooks() {
    ScanHooks h;
    h.processMessages = [this] {
      if (onPump) onPump();
    };
    h.state = [this] { return state; };
    return h;
  }
  SnapshotRequest Request() { return SnapshotRequest{"CD_1", MemorySource::kRoot, 10485760, "我的备注", volume}; }
  void Take() {
    state = kScanIdle;
    TakeSnapshot(q, src, Request(), Hooks(), [this] { state = kScanRunning; });
  }
  UpdateResult Update() {
    state = kScanIdle;
    SnapshotRequest r = Request();
    r.memo = "ignored";
    return UpdateSnapshot(q, src, r, Hooks(), [this] { state = kScanRunning; });
  }
  // "path|name|type|size|modified" of every row of the snapshot, sorted.
  static std::set<std::string> Rows(catalog::Connection& c) {
    std::set<std::string> rows;
    catalog::Query r(&c);
    catalog::OpenSnapshotEntries(r, "CD_1");
    for (; !r.Eof(); r.Next())
      rows.insert(std::string(r.TextAt(1)) + "|" + std::string(r.TextAt(2)) + "|" + std::to_string(r.IntegerAt(3)) +
                  "|" + std::to_string(r.IntegerAt(4)) + "|" + std::to_string(r.IntegerAt(5)));
    return rows;
  }
  catalog::SnapshotFacts Facts(std::string* memo = nullptr) {
    catalog::Query r(&cn);
    catalog::OpenSnapshotRow(r, "CD_1");
    EXPECT_FALSE(r.Eof());
    if (memo) *memo = r.AsString("Memo1");
    return catalog::SnapshotFactsOf(r);
  }
  // Changes 1 file's size, 1 file's time, removes 1, renames 1, adds 2.
  void ChangeTheDisk() {
    src.Find("M:\\A\\", "a0.txt")->size = 555;
    src.Find("M:\\A\\", "a1.txt")->modified += kDay;
    src.Remove("M:\\A\\", "a2.txt");
    src.Remove("M:\\B\\", "b0.doc");
    AddFile("M:\\B\\", "b0 renamed.doc", 7);
    AddFile("M:\\B\\", "new.jpg", 4096);
    src.AddFolder("M:\\B\\", "C");
  }

  testsupport::TempDir dir;
  catalog::Connection cn;
  catalog::Query q{&cn};
  MemorySource src;
  catalog::VolumeIdentity volume{0x1234ABCD, "USB", "FAT32", 2, 16000000000, 8000000000};
  int state = kScanIdle;
  std::function<void()> onPump;
};

TEST_F(SnapshotUpdateTest, CountsAddedRemovedChangedAndKeepsLabelMemoAndCreation) {
  Take();
  const catalog::SnapshotFacts first = Facts();
  EXPECT_EQ(first.folders, 2);
  EXPECT_EQ(first.files, 6);
  EXPECT_EQ(first.fileBytes, 100 + 101 + 102 + 7 + 9 + 1);
  EXPECT_NE(first.created, 0);

  UpdateResult nothing = Update();
  EXPECT_TRUE(nothing.replaced);
  EXPECT_EQ(ChangeSummary(nothing.counts), "新增 0 项，删除 0 项，改变 0 项");

  ChangeTheDisk();
  UpdateResult r = Update();
  EXPECT_TRUE(r.replaced);
  EXPECT_EQ(r.counts.added, 3);    // the renamed file, new.jpg, folder C
  EXPECT_EQ(r.counts.removed, 2);  // a2.txt, the old name of the renamed one
  EXPECT_EQ(r.counts.changed, 2);  // a0 by size, a1 by time
  EXPECT_EQ(ChangeSummary(r.counts), "新增 3 项，删除 2 项，改变 2 项");

  std::string memo;
  const catalog::SnapshotFacts after = Facts(&memo);
  EXPECT_EQ(memo, "我的备注");
  EXPECT_EQ(after.created, first.created);
  EXPECT_GE(after.updated, first.updated);
  EXPECT_EQ(after.folders, 3);
  EXPECT_EQ(after.files, 6);
  EXPECT_EQ(after.volume.serial, 0x1234ABCDu);
  EXPECT_TRUE(catalog::LabelTaken(q, "CD_1"));

  // The catalogue holds what a fresh snapshot of the disk would hold.
  const std::set<std::string> updated = Rows(cn);
  testsupport::TempDir fresh;
  testsupport::MakeEmptyCatalog(fresh.File("Kestrova"));
  catalog::Connection other;
  other.SetConnectionString(catalog::BuildConnectionString(fresh.Path() + "/"));
  other.Open();
  catalog::Query oq(&other);
  int s = kScanIdle;
  ScanHooks h;
  h.state = [&] { return s; };
  TakeSnapshot(oq, src, Request(), h, [&] { s = kScanRunning; });
  EXPECT_EQ(updated, Rows(other));
}

TEST_F(SnapshotUpdateTest, RowsWithoutATimeGetOneWithoutCountingAsChanged) {
  // A snapshot recorded before the catalogue kept times.
  catalog::AppendSnapshot(q, "CD_1", 10, "旧");
  q.OpenTable("CDFile");
  for (const char* n : {"a0.txt", "a1.txt", "a2.txt"}) {
    q.Append();
    q.SetField("Name", n);
    q.SetField("Path", "[CD_1]:\\A\\");
    q.SetField("Type", 0);
    q.SetField("Size", std::string(n) == "a0.txt" ? 1 : 101 + (n[1] - '1'));
    q.Post();
  }
  q.Close();
  src.Remove("M:\\A\\", "a2.txt");
  AddFile("M:\\A\\", "a2.txt", 102);
  UpdateResult r = Update();
  EXPECT_EQ(r.counts.changed, 1);  // a0.txt by its size only
  EXPECT_EQ(r.counts.added, 2 + 1 + 2);  // folders A and B, root.bin, b0.doc and report.doc
  EXPECT_EQ(r.counts.removed, 0);
  EXPECT_EQ(Facts().created, 0);  // not known before: not invented
  for (const char* n : {"a0.txt", "a1.txt", "a2.txt"}) {
    catalog::OpenFileRow(q, "[CD_1]:\\A\\", n);
    ASSERT_FALSE(q.Eof()) << n;
    EXPECT_EQ(q.AsInteger("Modified"), src.Find("M:\\A\\", n)->modified) << n;
  }
  q.Close();
}

TEST_F(SnapshotUpdateTest, AStopACancelAndAnErrorLeaveTheOldSnapshot) {
  Take();
  const std::set<std::string> old = Rows(cn);
  ChangeTheDisk();
  for (int end : {kScanStopped, kScanCancelled}) {
    int pumps = 0;
    onPump = [&] {
      if (++pumps == 4) state = end;
    };
    EXPECT_FALSE(Update().replaced);
    EXPECT_EQ(Rows(cn), old);
  }
  src.onList = [](const std::string& folder) {
    if (folder == "M:\\B\\") throw std::runtime_error("设备未就绪");
  };
  onPump = nullptr;
  EXPECT_THROW(Update(), std::runtime_error);
  EXPECT_EQ(Rows(cn), old);
  EXPECT_FALSE(cn.InTransaction());
  std::string memo;
  Facts(&memo);
  EXPECT_EQ(memo, "我的备注");
}

TEST_F(SnapshotUpdateTest, AFailedWriteOfTheChangesLeavesTheOldSnapshot) {
  Take();
  const std::set<std::string> old = Rows(cn);
  ChangeTheDisk();
  // A second connection holds the write lock once the walk is over: the
  // update's transaction cannot begin, or its statements fail.
  catalog::Connection holder;
  holder.SetConnectionString(cn.ConnectionString());
  holder.Open();
  onPump = [&] {
    if (!holder.InTransaction()) holder.BeginTransaction();
  };
  EXPECT_THROW(Update(), catalog::DbError);
  holder.Rollback();
  EXPECT_FALSE(cn.InTransaction());
  EXPECT_EQ(Rows(cn), old);
}

// The process killed (SIGKILL, as kill -9) at its n-th message call, while
// the old rows are read, during the walk and while the changes are written.
TEST_F(SnapshotUpdateTest, KilledAtAnyMomentLeavesExactlyOneWholeSnapshot) {
  // More rows than one pacing step, so the writing has moments of its own.
  for (int i = 0; i < 600; ++i) AddFile("M:\\A\\", "bulk" + std::to_string(i), i);
  Take();
  const std::set<std::string> old = Rows(cn);
  for (int i = 0; i < 600; i += 2) src.Remove("M:\\A\\", "bulk" + std::to_string(i));
  for (int i = 0; i < 300; ++i) AddFile("M:\\B\\", "more" + std::to_string(i), i);
  ChangeTheDisk();
  cn.Close();
  const std::string original = dir.File("original");
  std::filesystem::copy_file(dir.File("Kestrova"), original);

  // The new snapshot, and how many message calls a whole update makes.
  int total = 0;
  Connect();
  onPump = [&] { ++total; };
  ASSERT_TRUE(Update().replaced);
  const std::set<std::string> updated = Rows(cn);
  ASSERT_NE(updated, old);
  cn.Close();

  std::set<int> seen;
  for (int at : {1, 2, total / 4, total / 2, total - 4, total - 2, total - 1, total, total + 1}) {
    std::filesystem::remove(dir.File("Kestrova-wal"));
    std::filesystem::remove(dir.File("Kestrova-shm"));
    std::filesystem::copy_file(original, dir.File("Kestrova"), std::filesystem::copy_options::overwrite_existing);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Connect();
      int n = 0;
      onPump = [&] {
        if (++n == at) raise(SIGKILL);
      };
      try {
        Update();
      } catch (...) {
      }
      _exit(0);  // the last moment: after the commit
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
    Connect();
    const std::set<std::string> now = Rows(cn);
    EXPECT_TRUE(now == old || now == updated) << "killed at message call " << at << " of " << total;
    seen.insert(now == old ? 0 : 1);
    std::string memo;
    Facts(&memo);
    EXPECT_EQ(memo, "我的备注");
    cn.Close();
  }
  EXPECT_EQ(seen.size(), 2u);  // some moments before the commit, some after
}

}  // namespace
