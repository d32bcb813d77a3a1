// The catalogue in hard places: a read-only medium or file, another program
// holding a lock, a full disk, a damaged file, a network drive. Each test
// checks the rows afterwards (their count and a checksum of all of them),
// not only the message.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "catalog/connection.h"
#include "catalog/schema.h"
#include "catalog/statements.h"
#include "catalog/store_messages.h"
#include "create/memory_source.h"
#include "create/snapshot_job.h"
#include "maintain/compaction.h"
#include "maintain/export.h"
#include "maintain/snapshot_edit.h"
#include "platform/file_io.h"
#include "platform/ini.h"
#include "platform/sha256.h"
#include "tests/native/test_support.h"

using catalog::StoreProblem;

namespace {

// Every row of both tables in their order, hashed.
struct Rows {
  int64_t count = 0;
  std::string checksum;
  bool operator==(const Rows&) const = default;
};

Rows AllRows(catalog::Connection& cn) {
  catalog::Query q(&cn);
  std::string all;
  Rows r;
  for (const char* sql : {"Select CDName || '|' || TotalM || '|' || Memo1 As v from CDName Order By ID",
                          "Select Name || '|' || Path || '|' || Type || '|' || ifnull(Size, '') As v from CDFile "
                          "Order By rowid"}) {
    q.Clear();
    q.Add(sql);
    q.Open();
    for (; !q.Eof(); q.Next(), ++r.count) all += q.AsString("v") + "\n";
    q.Close();
  }
  r.checksum = hashing::Sha256Hex(all);
  return r;
}

std::string Bytes(const std::string& path) {
  std::string s;
  fileio::ReadWholeFile(path, s);
  return s;
}

// A catalogue at `file` with two snapshots of `files` entries each.
void MakeCatalogue(const std::string& file, int files = 200) {
  testsupport::MakeEmptyCatalog(file);
  catalog::Connection cn;
  cn.SetConnectionString("Data Source=" + file + ";Jet OLEDB:Database Password=" + catalog::kDatabasePassword);
  cn.Open();
  catalog::Query q(&cn);
  cn.BeginTransaction();
  for (const char* label : {"CD1", "CD2"}) {
    catalog::AppendSnapshot(q, label, 700, "备注");
    q.OpenTable("CDFile");
    for (int i = 0; i < files; ++i) {
      q.Append();
      q.SetField("Name", "file" + std::to_string(i) + ".txt");
      q.SetField("Path", catalog::SnapshotRoot(label));
      q.SetField("Type", 0);
      q.SetField("Size", i);
      q.Post();
    }
    q.Close();
  }
  cn.Commit();
}

class PlaceTest : public ::testing::Test {
 protected:
  void Connect(const std::string& folder) {
    cn.SetConnectionString(catalog::BuildConnectionString(folder));
    cn.Open();
  }
  // A scan of `files` files in the root of a disk.
  create::SnapshotOutcome Scan(const std::string& label, int files) {
    src = create::MemorySource();
    for (int i = 0; i < files; ++i) src.AddFile(create::MemorySource::kRoot, "f" + std::to_string(i), i);
    create::ScanHooks hooks;
    hooks.processMessages = [this] {
      if (onPump) onPump();
    };
    hooks.state = [this] { return state; };
    create::SnapshotRequest r{label, create::MemorySource::kRoot, 1048576, "", {}};
    return create::TakeSnapshot(q, src, r, hooks, [this] { state = create::kScanRunning; });
  }
  // What a second connection finds on disk.
  int64_t CommittedFileRows() {
    catalog::Connection other;
    other.SetConnectionString(cn.ConnectionString());
    other.Open();
    catalog::Query count(&other);
    count.Add("Select count(*) As n from CDFile");
    count.Open();
    return count.AsInteger("n");
  }
  // Expects `call` to throw the DbError of `problem` with its message.
  template <class Call>
  void ExpectRefused(Call call, StoreProblem problem, const char* what) {
    try {
      call();
      ADD_FAILURE() << what << " was not refused";
    } catch (const catalog::DbError& e) {
      EXPECT_EQ(e.Problem(), problem) << what << ": " << e.what();
      EXPECT_EQ(e.what(), catalog::ProblemMessage(problem, cn.FileName())) << what;
    }
  }
  // Every command that writes, on the catalogue of `cn`.
  void ExpectEveryWriteRefused(StoreProblem problem, const std::string& folder) {
    ExpectRefused([&] { Scan("NEW", 3); }, problem, "a scan");
    ExpectRefused([&] { maintain::DeleteSnapshot(q, "CD1"); }, problem, "delete");
    ExpectRefused([&] { maintain::ConfirmRename(q, "CD1", "CD9"); }, problem, "rename");
    ExpectRefused([&] { maintain::SaveMemo(q, "CD1", "新备注"); }, problem, "memo");
    maintain::CompactOutcome c = maintain::CompactCatalog(cn, {&q}, folder);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.problem, problem);
    EXPECT_EQ(maintain::CompactionFailedMessage(c, folder), catalog::ProblemMessage(problem, cn.FileName()));
  }
  // After a scan of `files` files that stopped part way: no transaction
  // open, the rows committed before the stop on disk and nothing more, and
  // the program goes on (the partial snapshot is deleted, the old
  // snapshots are whole).
  void ExpectPartOfTheScanKept(const Rows& old, const std::string& label, int64_t files) {
    EXPECT_FALSE(cn.InTransaction());
    const int64_t scanned = AllRows(cn).count - old.count - 1;
    EXPECT_GT(scanned, 0);
    EXPECT_LT(scanned, files);
    EXPECT_EQ(CommittedFileRows(), 400 + scanned);
    maintain::DeleteSnapshot(q, label);
    EXPECT_EQ(AllRows(cn), old);
  }
  // The commands that only read.
  void ExpectReadsWork(const std::string& exportFolder) {
    EXPECT_TRUE(catalog::LabelTaken(q, "CD2"));
    catalog::OpenFolder(q, catalog::SnapshotRoot("CD1"));
    EXPECT_FALSE(q.Eof());
    q.Close();
    catalog::OpenSearch(q, "file19", true, true);
    EXPECT_FALSE(q.Eof());
    q.Close();
    maintain::ExportSnapshot(q, "CD2", exportFolder + "cd2.txt");
    EXPECT_NE(Bytes(exportFolder + "cd2.txt").find("file199.txt"), std::string::npos);
  }

  catalog::Connection cn;
  catalog::Query q{&cn};
  create::MemorySource src;
  int state = create::kScanIdle;
  std::function<void()> onPump;
  testsupport::TempDir elsewhere;
};

}  // namespace

TEST_F(PlaceTest, ReadOnlyMediumBrowsesAndRefusesEveryWrite) {
  testsupport::SmallDisk disk(4 << 20);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system needs root";
  MakeCatalogue(disk.File("Kestrova"));
  {
    // Left in write-ahead mode, as a catalogue copied to a CD is.
    catalog::Connection local;
    local.SetConnectionString(catalog::BuildConnectionString(disk.Folder()));
    local.Open();
    ASSERT_EQ(local.JournalMode(), "wal");
  }
  ASSERT_TRUE(disk.SetReadOnly(true));
  const std::string before = Bytes(disk.File("Kestrova"));
  Connect(disk.Folder());
  EXPECT_TRUE(cn.ReadOnly());
  const Rows rows = AllRows(cn);
  EXPECT_EQ(rows.count, 402);
  ExpectReadsWork(elsewhere.Path() + "/");
  ExpectEveryWriteRefused(StoreProblem::kReadOnly, disk.Folder());
  EXPECT_TRUE(cn.Connected());
  EXPECT_NE(catalog::ReadOnlyMessage(cn.FileName()).find(cn.FileName()), std::string::npos);
  // The settings file beside it is given up without an error.
  ini::IniFile settings(disk.File("Kestrova.ini"));
  settings.WriteBool("AutoCD", "AutoCD", true);
  EXPECT_FALSE(settings.SaveIfWritable());
  EXPECT_EQ(AllRows(cn), rows);
  EXPECT_EQ(Bytes(disk.File("Kestrova")), before);
  disk.SetReadOnly(false);
}

TEST_F(PlaceTest, ReadOnlyFileRefusesEveryWrite) {
  testsupport::TempDir dir;
  MakeCatalogue(dir.File("Kestrova"));
  if (!testsupport::SetImmutable(dir.File("Kestrova"), true)) GTEST_SKIP() << "no immutable flag here";
  Connect(dir.Path() + "/");
  EXPECT_TRUE(cn.ReadOnly());
  const Rows rows = AllRows(cn);
  ExpectReadsWork(dir.Path() + "/");
  ExpectEveryWriteRefused(StoreProblem::kReadOnly, dir.Path() + "/");
  EXPECT_EQ(AllRows(cn), rows);
  cn.Close();
  testsupport::SetImmutable(dir.File("Kestrova"), false);
}

TEST_F(PlaceTest, AShareThatMayOnlyBeReadSeesTheWritesOfAnotherMachine) {
  testsupport::TempDir share;
  MakeCatalogue(share.File("Kestrova"));
  testsupport::ReadOnlyView view(share.Path());
  if (!view.Mounted()) GTEST_SKIP() << "a read-only view of a folder needs root";
  // The machine that may write keeps the file on the share with a rollback
  // journal, as the program does on a network drive.
  catalog::Connection writer;
  writer.TreatAsNetwork(true);
  writer.SetConnectionString(catalog::BuildConnectionString(share.Path() + "/"));
  writer.Open();
  ASSERT_EQ(writer.JournalMode(), "delete");
  Connect(view.Folder());
  ASSERT_TRUE(cn.ReadOnly());
  EXPECT_EQ(AllRows(cn), AllRows(writer));
  // The other machine scans a disc and removes a snapshot while this one
  // has the catalogue open: each read here sees the file as committed.
  catalog::Query w(&writer);
  writer.BeginTransaction();
  catalog::AppendSnapshot(w, "CD3", 700, "");
  w.OpenTable("CDFile");
  for (int i = 0; i < 3000; ++i) {
    w.Append();
    w.SetField("Name", "new" + std::to_string(i) + ".txt");
    w.SetField("Path", catalog::SnapshotRoot("CD3"));
    w.SetField("Type", 0);
    w.Post();
  }
  w.Close();
  writer.Commit();
  EXPECT_EQ(AllRows(cn), AllRows(writer));
  maintain::DeleteSnapshot(w, "CD1");
  EXPECT_EQ(AllRows(cn), AllRows(writer));
  EXPECT_TRUE(catalog::LabelTaken(q, "CD3"));
  EXPECT_FALSE(catalog::LabelTaken(q, "CD1"));
  cn.Close();
}

TEST_F(PlaceTest, AWritableFileInAFolderThatTakesNoNewFileOpensReadOnly) {
  // The engine needs the folder for its journal and shared memory: a file
  // that can be written there is still a read-only catalogue.
  testsupport::TempDir dir;
  MakeCatalogue(dir.File("Kestrova"));
  if (!testsupport::SetImmutable(dir.Path(), true)) GTEST_SKIP() << "no immutable flag for a folder here";
  ASSERT_TRUE(fileio::CanWriteFile(dir.File("Kestrova")));
  try {
    Connect(dir.Path() + "/");
  } catch (const std::exception& e) {
    testsupport::SetImmutable(dir.Path(), false);
    FAIL() << "did not open: " << e.what();
  }
  EXPECT_TRUE(cn.ReadOnly());
  const Rows rows = AllRows(cn);
  EXPECT_EQ(rows.count, 402);
  ExpectReadsWork(elsewhere.Path() + "/");
  ExpectEveryWriteRefused(StoreProblem::kReadOnly, dir.Path() + "/");
  EXPECT_EQ(AllRows(cn), rows);
  cn.Close();
  testsupport::SetImmutable(dir.Path(), false);
}

TEST_F(PlaceTest, AScanWaitsForAWriteLockHeldBriefly) {
  testsupport::TempDir dir;
  MakeCatalogue(dir.File("Kestrova"));
  Connect(dir.Path() + "/");
  // Another program takes the write lock for 300 ms in the middle of the
  // scan, right after one of its commits; the scan's next transaction waits
  // for it and loses nothing.
  std::mutex m;
  std::condition_variable held;
  bool locked = false;
  std::thread other;
  int pumps = 0;
  onPump = [&] {
    if (++pumps < 40000 || other.joinable() || cn.InTransaction()) return;
    other = std::thread([&] {
      sqlite3* db = nullptr;
      sqlite3_open(cn.FileName().c_str(), &db);
      sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
      {
        std::lock_guard<std::mutex> lock(m);
        locked = true;
      }
      held.notify_all();
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
      sqlite3_close(db);
    });
    std::unique_lock<std::mutex> lock(m);
    held.wait(lock, [&] { return locked; });
  };
  EXPECT_EQ(Scan("LOCKED", 30000), create::SnapshotOutcome::kCompleted);
  other.join();
  EXPECT_EQ(AllRows(cn).count, 402 + 1 + 30000);
  EXPECT_EQ(CommittedFileRows(), 400 + 30000);
}

TEST_F(PlaceTest, AScanStopsWithTheMessageWhenTheLockIsNotLetGo) {
  testsupport::TempDir dir;
  MakeCatalogue(dir.File("Kestrova"));
  Connect(dir.Path() + "/");
  const Rows old = AllRows(cn);
  sqlite3* other = nullptr;
  sqlite3_open(cn.FileName().c_str(), &other);
  int pumps = 0;
  bool taken = false;
  onPump = [&] {
    // Right after one of the scan's commits, for good.
    if (++pumps < 40000 || taken || cn.InTransaction()) return;
    taken = sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
  };
  auto start = std::chrono::steady_clock::now();
  ExpectRefused([&] { Scan("LOCKED", 30000); }, StoreProblem::kBusy, "a scan against a held lock");
  EXPECT_TRUE(taken);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));  // the wait is bounded
  EXPECT_FALSE(cn.InTransaction());
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  ExpectPartOfTheScanKept(old, "LOCKED", 30000);
}

TEST_F(PlaceTest, AFullDiskStopsTheScanAndKeepsWhatWasCommitted) {
  testsupport::TempDir dir;
  MakeCatalogue(dir.File("Kestrova"));
  Connect(dir.Path() + "/");
  const Rows old = AllRows(cn);
  // Room for some ten thousand more rows only.
  q.Add("PRAGMA page_count");
  q.Open();
  const int64_t pages = q.AsInteger("page_count");
  q.Close();
  cn.Execute("PRAGMA max_page_count=" + std::to_string(pages + 300));
  ExpectRefused([&] { Scan("FULL", 60000); }, StoreProblem::kDiskFull, "a scan on a full disk");
  ExpectPartOfTheScanKept(old, "FULL", 60000);
}

TEST_F(PlaceTest, AFullDiskStopsTheCompactionWithTheCatalogueUnchanged) {
  testsupport::SmallDisk disk(8 << 20);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system needs root";
  MakeCatalogue(disk.File("Kestrova"), 5000);
  Connect(disk.Folder());
  const Rows old = AllRows(cn);
  const int64_t size = fileio::FileSize(disk.File("Kestrova"));
  // Room for a compacted copy, not for the backup besides.
  disk.Fill(size + size / 2);
  maintain::CompactOutcome c = maintain::CompactCatalog(cn, {&q}, disk.Folder());
  EXPECT_FALSE(c.ok);
  EXPECT_EQ(c.problem, StoreProblem::kDiskFull) << c.error;
  EXPECT_EQ(maintain::CompactionFailedMessage(c, disk.Folder()),
            catalog::CompactionDiskFullMessage(disk.File("Kestrova")));
  ASSERT_TRUE(cn.Connected()) << c.reopenError;
  EXPECT_EQ(AllRows(cn), old);
  for (const std::string& name : disk.Names())
    EXPECT_TRUE(name == "filler" || name == "Kestrova" || name == "Kestrova-wal" || name == "Kestrova-shm") << name;
}

TEST_F(PlaceTest, ADamagedCatalogueIsNamedAndNotWritten) {
  testsupport::TempDir dir;
  const std::string file = dir.File("Kestrova");
  MakeCatalogue(file, 2000);
  std::string whole = Bytes(file);
  auto expectRefusedAtOpen = [&](const std::string& bytes, bool withBackup) {
    fileio::RemoveFile(dir.File("Kestrova.bak"));
    if (withBackup) fileio::WriteFileAtomic(dir.File("Kestrova.bak"), whole);
    fileio::WriteFileAtomic(file, bytes);
    catalog::Connection damaged;
    damaged.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
    try {
      damaged.Open();
      ADD_FAILURE() << "a damaged catalogue opened";
    } catch (const catalog::DbError& e) {
      EXPECT_EQ(e.Problem(), StoreProblem::kDamaged) << e.what();
      const std::string text = e.what();
      EXPECT_NE(text.find(file), std::string::npos) << text;
      EXPECT_EQ(text.find(dir.File("Kestrova.bak")) != std::string::npos, withBackup) << text;
    }
    EXPECT_EQ(Bytes(file), bytes);
  };
  expectRefusedAtOpen(whole.substr(0, whole.size() / 2), true);   // truncated
  expectRefusedAtOpen(whole.substr(0, whole.size() / 2), false);
  std::string noise(whole.size(), '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 2654435761u) >> 13);
  expectRefusedAtOpen(noise, true);                                 // random bytes
}

TEST_F(PlaceTest, DamageFoundLaterStopsEveryWrite) {
  testsupport::TempDir dir;
  const std::string file = dir.File("Kestrova");
  MakeCatalogue(file, 4000);
  // Pages in the middle of the rows overwritten with rubbish.
  std::string bytes = Bytes(file);
  ASSERT_GT(bytes.size(), 40u * 4096);
  std::fill(bytes.begin() + 10 * 4096, bytes.begin() + 40 * 4096, '\xA5');
  fileio::WriteFileAtomic(file, bytes);
  Connect(dir.Path() + "/");
  catalog::OpenSearch(q, "file", true, true);
  try {
    for (; !q.Eof(); q.Next()) {
    }
    ADD_FAILURE() << "the damage was not found";
  } catch (const catalog::DbError& e) {
    EXPECT_EQ(e.Problem(), StoreProblem::kDamaged) << e.what();
  }
  EXPECT_TRUE(cn.Damaged());
  ExpectEveryWriteRefused(StoreProblem::kDamaged, dir.Path() + "/");
  EXPECT_EQ(Bytes(file), bytes);
}

TEST_F(PlaceTest, NetworkDriveUsesARollbackJournal) {
  testsupport::TempDir dir;
  MakeCatalogue(dir.File("Kestrova"));
  {
    catalog::Connection local;
    local.SetConnectionString(catalog::BuildConnectionString(dir.Path() + "/"));
    local.Open();
    ASSERT_EQ(local.JournalMode(), "wal");
    // A change left in the write-ahead log when the program went.
    catalog::Query memo(&local);
    maintain::SaveMemo(memo, "CD2", "在日志里");
    sqlite3_db_config(local.Handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  }
  ASSERT_GT(fileio::FileSize(dir.File("Kestrova-wal")), 0);
  cn.TreatAsNetwork(true);
  Connect(dir.Path() + "/");
  EXPECT_TRUE(cn.OnNetwork());
  EXPECT_EQ(cn.JournalMode(), "delete");
  EXPECT_FALSE(fileio::FileExists(dir.File("Kestrova-wal")));
  EXPECT_EQ(maintain::LoadMemo(q, "CD2"), "在日志里");
  const Rows rows = AllRows(cn);
  EXPECT_EQ(rows.count, 402);
  // A scan works there, and its rows are on disk for another reader.
  EXPECT_EQ(Scan("NET", 500), create::SnapshotOutcome::kCompleted);
  EXPECT_EQ(CommittedFileRows(), 900);
  // Another program holding the file open in write-ahead mode: refused.
  cn.Close();
  catalog::Connection local;
  local.SetConnectionString(cn.ConnectionString());
  local.Open();
  catalog::Query reading(&local);
  catalog::OpenSnapshotList(reading);
  catalog::Connection second;
  second.SetConnectionString(cn.ConnectionString());
  second.TreatAsNetwork(true);
  try {
    second.Open();
    ADD_FAILURE() << "opened beside another program";
  } catch (const catalog::DbError& e) {
    EXPECT_EQ(e.Problem(), StoreProblem::kBusy) << e.what();
  }
}
