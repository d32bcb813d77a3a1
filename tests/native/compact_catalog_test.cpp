#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
