#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "maintain/compaction.h"
#include "platform/file_io.h"
#include "tests/native/maintain_fixture.h"

using namespace maintain;

TEST(CompactRate, WholePercentTowardZeroIn64Bits) {
  EXPECT_EQ(CompactionRate(1000000, 750000), 25);
  EXPECT_EQ(CompactionRate(1000, 661), 33);  // 33.9
  EXPECT_EQ(CompactionRate(1000, 1000), 0);
  EXPECT_EQ(CompactionRate(1000, 1100), -10);
  EXPECT_EQ(CompactionRate(1000, 1339), -33);  // -33.9
  EXPECT_EQ(CompactionRate(6000000000LL, 1500000000LL), 75);
  EXPECT_EQ(CompactionRate(1, 1), 0);
}

TEST(CompactDialog, StatesAcrossShowings) {
  CompactDialogState d;
  d.Show();
  EXPECT_TRUE(d.CompactEnabled());
  EXPECT_FALSE(d.ResultVisible());
  EXPECT_EQ(d.CancelCaption(), "取消(&C)");
  d.Start();
  EXPECT_FALSE(d.CompactEnabled());
  CompactOutcome ok;
  ok.ok = true;
  ok.rate = 25;
  d.Finish(ok);
  EXPECT_EQ(d.CancelCaption(), "退出(&X)");
  EXPECT_TRUE(d.ResultVisible());
  EXPECT_EQ(d.ResultText(), "数据整理优化率：25%");
  d.Show();
  EXPECT_FALSE(d.CompactEnabled());
  EXPECT_TRUE(d.ResultVisible());
  EXPECT_EQ(d.ResultText(), "您已进行过数据整理，暂不需再进行此操作。");
}

TEST(CompactDialog, AFailureChangesNothingShown) {
  CompactDialogState d;
  d.Show();
  d.Start();
  d.Finish(CompactOutcome{});
  EXPECT_FALSE(d.CompactEnabled());
  EXPECT_FALSE(d.ResultVisible());
  EXPECT_EQ(d.CancelCaption(), "取消(&C)");
  d.Show();
  EXPECT_FALSE(d.ResultVisible());
  EXPECT_EQ(d.ResultText(), "您已进行过数据整理，暂不需再进行此操作。");
}

namespace {

class CompactTest : public testsupport::CatalogFixture {
 protected:
  void Fill() {
    cn.BeginTransaction();
    for (int s = 0; s < 4; ++s) {
      std::string label = "CD" + std::to_string(s);
      AddSnapshot(label);
      for (int i = 0; i < 500; ++i) AddRow(catalog::SnapshotRoot(label), "file" + std::to_string(i) + ".txt", 0, i);
    }
    cn.Commit();
  }
  std::string File(const char* name) { return dir.File(name); }
};

}  // namespace

TEST_F(CompactTest, CompactsKeepsABackupAndReopens) {
  Fill();
  for (const char* label : {"CD0", "CD1"}) {
    catalog::DeleteSnapshotFiles(q, label);
    catalog::DeleteSnapshotRow(q, label);
  }
  catalog::Query other(&cn);
  catalog::OpenSnapshotList(other);  // left open: the compaction closes it
  CompactOutcome out = CompactCatalog(cn, {&q, &other}, Folder());
  EXPECT_TRUE(out.ok) << out.error;
  EXPECT_GT(out.rate, 0);
  EXPECT_FALSE(other.Active());
  EXPECT_TRUE(cn.Connected());
  EXPECT_EQ(Labels(), (std::vector<std::string>{"CD2", "CD3"}));
  EXPECT_EQ(Count("Select count(*) As n from CDFile"), 1000);
  EXPECT_FALSE(fileio::FileExists(File("Kestrova2")));
  EXPECT_FALSE(fileio::FileExists(File("Kestrova.tmp")));
  ASSERT_TRUE(fileio::FileExists(File("Kestrova.bak")));
  EXPECT_EQ(CompactionRate(fileio::FileSize(File("Kestrova.bak")), fileio::FileSize(File("Kestrova"))), out.rate);
  // The backup is a whole catalogue as it was.
  catalog::Connection old;
  old.SetConnectionString("Data Source=" + File("Kestrova.bak") + ";Jet OLEDB:Database Password=vortagenil");
  ASSERT_NO_THROW(old.Open());
}

TEST_F(CompactTest, AStaleCompactedCopyIsRemovedFirst) {
  Fill();
  ASSERT_NO_THROW(fileio::WriteFileAtomic(File("Kestrova2"), "left over from a failed run"));
  CompactOutcome out = CompactCatalog(cn, {&q}, Folder());
  EXPECT_TRUE(out.ok) << out.error;
  EXPECT_EQ(Count("Select count(*) As n from CDFile"), 2000);
  EXPECT_FALSE(fileio::FileExists(File("Kestrova2")));
}

TEST_F(CompactTest, TheCopiesOfACompactionKilledPartWayGoAtTheNext) {
  // A catalogue of some MB of which little is left after deletes: its
  // compacted copy is small, the backup copy of the file as it is large.
  cn.BeginTransaction();
  AddSnapshot("BIG");
  const std::string padding(200, 'x');
  for (int i = 0; i < 20000; ++i) AddRow(catalog::SnapshotRoot("BIG"), padding + std::to_string(i), 0, i);
  cn.Commit();
  Fill();
  catalog::DeleteSnapshotFiles(q, "BIG");
  catalog::DeleteSnapshotRow(q, "BIG");
  q.Close();
  cn.Close();
  ASSERT_GT(fileio::FileSize(File("Kestrova")), 4 << 20);
  // The compaction is killed while it writes the backup's temporary copy:
  // a process may not write a file beyond 2 MB, and the system kills it
  // with SIGXFSZ at that write.
  auto compactWithinTheLimit = [&] {
    rlimit noCore{0, 0}, fileSize{2 << 20, 2 << 20};
    setrlimit(RLIMIT_CORE, &noCore);
    setrlimit(RLIMIT_FSIZE, &fileSize);
    catalog::Connection child;
    child.SetConnectionString(catalog::BuildConnectionString(Folder()));
    child.Open();
    CompactCatalog(child, {}, Folder());
    std::exit(0);
  };
  EXPECT_EXIT(compactWithinTheLimit(), testing::KilledBySignal(SIGXFSZ), "");
  auto leftovers = [&] {
    std::vector<std::string> names;
    for (const std::string& n : fileio::FileNamesIn(Folder()))
      if (fileio::IsTemporaryNameOf(n, "Kestrova.bak")) names.push_back(n);
    return names;
  };
  ASSERT_EQ(leftovers().size(), 1u);
  EXPECT_EQ(fileio::FileSize(Folder() + leftovers()[0]), 2 << 20);
  // Files that only look alike are not ours and stay.
  const std::vector<std::string> others{"Kestrova.bak.~1234567.tmp", "Kestrova.bak.~0123ABCD.tmp",
                                        "Kestrova.bak.~0123abcd.tmp.keep", "Other.~0123abcd.tmp"};
  for (const std::string& n : others) fileio::WriteFileAtomic(File(n.c_str()), "someone else's");
  cn.Open();
  ASSERT_EQ(Count("Select count(*) As n from CDFile"), 2000);
  CompactOutcome out = CompactCatalog(cn, {&q}, Folder());
  EXPECT_TRUE(out.ok) << out.error;
  EXPECT_TRUE(leftovers().empty());
  for (const std::string& n : others) EXPECT_TRUE(fileio::FileExists(File(n.c_str()))) << n;
  EXPECT_EQ(Count("Select count(*) As n from CDFile"), 2000);
}

TEST(CompactFiles, TemporaryNamesOfAFile) {
  EXPECT_TRUE(fileio::IsTemporaryNameOf("Kestrova.bak.~0123abcd.tmp", "Kestrova.bak"));
  EXPECT_TRUE(fileio::IsTemporaryNameOf(
      fileio::TemporaryNameBeside("Kestrova.bak"), "Kestrova.bak"));
  EXPECT_FALSE(fileio::IsTemporaryNameOf("Kestrova.~0123abcd.tmp", "Kestrova.bak"));
  EXPECT_FALSE(fileio::IsTemporaryNameOf("Kestrova.bak.~0123abcg.tmp", "Kestrova.bak"));
  EXPECT_FALSE(fileio::IsTemporaryNameOf("Kestrova.bak.~0123abc.tmp", "Kestrova.bak"));
}

TEST_F(CompactTest, FailsWhileAnotherConnectionHoldsTheCatalogue) {
  Fill();
  catalog::Connection elsewhere;
  elsewhere.SetConnectionString(cn.ConnectionString());
  elsewhere.Open();
  catalog::Query reader(&elsewhere);
  catalog::OpenSnapshotList(reader);
  CompactOutcome out = CompactCatalog(cn, {&q}, Folder());
  EXPECT_FALSE(out.ok);
  EXPECT_FALSE(out.error.empty());
  EXPECT_TRUE(cn.Connected());
  EXPECT_TRUE(out.reopenError.empty());
  EXPECT_EQ(Count("Select count(*) As n from CDFile"), 2000);
  EXPECT_FALSE(fileio::FileExists(File("Kestrova.bak")));
  EXPECT_FALSE(fileio::FileExists(File("Kestrova2")));
}

TEST_F(CompactTest, AFailedReopenIsReportedNotThrown) {
  Fill();
  cn.Close();
  ASSERT_NO_THROW(fileio::WriteFileAtomic(File("Kestrova"), "no catalogue"));
  CompactOutcome out;
  ASSERT_NO_THROW(out = CompactCatalog(cn, {&q}, Folder()));
  EXPECT_FALSE(out.ok);
  EXPECT_FALSE(out.reopenError.empty());
  EXPECT_FALSE(cn.Connected());
  std::string data;
  ASSERT_TRUE(fileio::ReadWholeFile(File("Kestrova"), data));
  EXPECT_EQ(data, "no catalogue");
}

TEST_F(CompactTest, FailsWhenTheCopyCannotBeWritten) {
  Fill();
  std::filesystem::create_directory(File("Kestrova2"));
  std::filesystem::create_directory(File("Kestrova2") + "/x");  // cannot be deleted as a file
  CompactOutcome out = CompactCatalog(cn, {&q}, Folder());
  EXPECT_FALSE(out.ok);
  EXPECT_TRUE(cn.Connected());
  EXPECT_EQ(Count("Select count(*) As n from CDFile"), 2000);
  EXPECT_FALSE(fileio::FileExists(File("Kestrova.bak")));
}

TEST(CompactFiles, MissingFileMeasuresOne) {
  EXPECT_EQ(MeasuredSize("/nonexistent/Kestrova"), 1);
  EXPECT_EQ(CompactionNote().substr(0, 1), "\t");
  EXPECT_EQ(CompactionFailedMessage(), "软件冲突，数据整理失败。");
}
