#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maintain/snapshot_edit.h"
#include "tests/native/maintain_fixture.h"

using namespace maintain;

namespace {

class SnapshotEditTest : public testsupport::CatalogFixture {
 protected:
  using V = std::vector<std::string>;
};

std::string Han(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += "备";
  return s;
}

}  // namespace

TEST_F(SnapshotEditTest, DeleteRemovesOnlyThatSnapshot) {
  AddSmallSnapshot("CD1");
  AddSmallSnapshot("CD10");
  AddSmallSnapshot("CD1A");
  DeleteSnapshot(q, "CD1");
  EXPECT_EQ(Labels(), (V{"CD10", "CD1A"}));
  EXPECT_EQ(RowsUnder("CD1"), 0);
  EXPECT_EQ(RowsUnder("CD10"), 3);
  EXPECT_EQ(RowsUnder("CD1A"), 3);
  EXPECT_FALSE(q.Active());
}

TEST_F(SnapshotEditTest, DeleteTakesWildcardCharactersLiterally) {
  AddSmallSnapshot("A_B");
  AddSmallSnapshot("AXB");
  AddSmallSnapshot("C%D");
  AddSmallSnapshot("C1D");
  DeleteSnapshot(q, "A_B");
  DeleteSnapshot(q, "C%D");
  EXPECT_EQ(Labels(), (V{"AXB", "C1D"}));
  EXPECT_EQ(RowsUnder("AXB"), 3);
  EXPECT_EQ(RowsUnder("C1D"), 3);
  EXPECT_EQ(Count("Select count(*) As n from CDFile"), 6);
}

TEST_F(SnapshotEditTest, DeleteTheLastAndAnEmptySnapshot) {
  AddSnapshot("EMPTY");
  AddSmallSnapshot("LAST");
  DeleteSnapshot(q, "EMPTY");
  EXPECT_EQ(Labels(), V{"LAST"});
  DeleteSnapshot(q, "LAST");
  EXPECT_TRUE(Labels().empty());
  EXPECT_EQ(Count("Select count(*) As n from CDFile"), 0);
}

TEST(SnapshotEditTexts, DeleteQuestionAndReport) {
  EXPECT_EQ(DeleteQuestion("CD1"), "您确定要删除存储盘 [CD1] 的所有信息吗？");
  EXPECT_EQ(DeleteReport("CD1"), "存储盘 [CD1] 索引信息已删除！");
}

TEST_F(SnapshotEditTest, RenameMovesEveryPathAndKeepsTheRest) {
  AddSnapshot("CD1", 4300, "备注");
  AddRow("[CD1]:\\", "docs", 1);
  AddRow("[CD1]:\\docs\\", "a.txt", 0, 10);
  AddSmallSnapshot("CD10");
  EXPECT_EQ(ConfirmRename(q, "CD1", "DATA"), RenameResult::Renamed);
  EXPECT_EQ(Paths(), (V{"[DATA]:\\", "[DATA]:\\docs\\", "[CD10]:\\", "[CD10]:\\docs\\", "[CD10]:\\"}));
  EXPECT_EQ(Labels(), (V{"DATA", "CD10"}));
  catalog::OpenSnapshotRow(q, "DATA");
  EXPECT_EQ(q.AsInteger("TotalM"), 4300);
  EXPECT_EQ(q.AsString("Memo1"), "备注");
  q.Close();
}

TEST_F(SnapshotEditTest, RenameToOtherLetterCaseRuns) {
  AddSmallSnapshot("CD1");
  EXPECT_EQ(ConfirmRename(q, "CD1", "cd1"), RenameResult::Renamed);
  EXPECT_EQ(Labels(), V{"cd1"});
  EXPECT_EQ(Paths()[0], "[cd1]:\\");
}

TEST_F(SnapshotEditTest, RenameBlanksRules) {
  AddSmallSnapshot("CD1");
  EXPECT_EQ(ConfirmRename(q, "CD1", "CD1 "), RenameResult::Unchanged);
  EXPECT_EQ(Labels(), V{"CD1"});
  EXPECT_EQ(ConfirmRename(q, "CD1", "   "), RenameResult::Failed);
  EXPECT_EQ(Labels(), V{"CD1"});
  EXPECT_EQ(ConfirmRename(q, "CD1", " NEW"), RenameResult::Renamed);
  EXPECT_EQ(Labels(), V{" NEW"});
  EXPECT_EQ(Paths()[1], "[ NEW]:\\docs\\");
  EXPECT_TRUE(RenameOkEnabled(" x "));
  EXPECT_FALSE(RenameOkEnabled("  "));
}

TEST_F(SnapshotEditTest, RenameClashIsRefusedAsTheCatalogueComparesLabels) {
  AddSmallSnapshot("CD1");
  AddSmallSnapshot("DATA");
  EXPECT_EQ(ConfirmRename(q, "CD1", "data"), RenameResult::Failed);
  EXPECT_EQ(ConfirmRename(q, "CD1", "DATA"), RenameResult::Failed);
  EXPECT_EQ(Labels(), (V{"CD1", "DATA"}));
  EXPECT_EQ(RowsUnder("CD1"), 3);
  EXPECT_EQ(RowsUnder("DATA"), 3);
}

TEST_F(SnapshotEditTest, RenameRefusesCharactersThatBreakStoredPaths) {
  AddSmallSnapshot("CD1");
  for (const char* bad : {"A[B", "A]B", "A\\B", "[X]"}) {
    EXPECT_EQ(ConfirmRename(q, "CD1", bad), RenameResult::Refused) << bad;
  }
  EXPECT_EQ(Labels(), V{"CD1"});
  EXPECT_EQ(RowsUnder("CD1"), 3);
  EXPECT_EQ(ConfirmRename(q, "CD1", "O'NEIL 100%_x"), RenameResult::Renamed);
  EXPECT_EQ(RowsUnder("O'NEIL 100%_x"), 3);
}

TEST_F(SnapshotEditTest, ARenameThatFailsHalfwayChangesNothing) {
  AddSmallSnapshot("CD1");
  // The second update fails after the first has run inside the transaction.
  cn.Execute("CREATE TRIGGER no_rename BEFORE UPDATE OF CDName ON CDName BEGIN SELECT RAISE(ABORT, 'no'); END");
  EXPECT_EQ(ConfirmRename(q, "CD1", "DATA"), RenameResult::Failed);
  EXPECT_FALSE(q.Active());
  EXPECT_FALSE(cn.InTransaction());
  EXPECT_EQ(Labels(), V{"CD1"});
  EXPECT_EQ(RowsUnder("CD1"), 3);
  EXPECT_EQ(RowsUnder("DATA"), 0);
}

TEST(SnapshotEditTexts, RenameMessages) {
  EXPECT_EQ(RenameFailedMessage(), "快照重命名失败！请检查是否已经有同名快照存在。");
  EXPECT_NE(RenameRefusedMessage().find("\\"), std::string::npos);
}

TEST_F(SnapshotEditTest, MemoStoredExactlyAsTyped) {
  AddSnapshot("CD1", 700, "old");
  EXPECT_EQ(LoadMemo(q, "CD1"), "old");
  for (std::string memo : {std::string("It's Tom's disk"), std::string(), std::string("第一行\r\n第二行\r\n"),
                           Han(100)}) {
    SaveMemo(q, "CD1", memo);
    EXPECT_EQ(LoadMemo(q, "CD1"), memo);
  }
  EXPECT_EQ(LoadMemo(q, "NOSUCH"), "");
  cn.Execute("UPDATE CDName SET Memo1=NULL");
  EXPECT_EQ(LoadMemo(q, "CD1"), "");
  EXPECT_FALSE(q.Active());
}

TEST(SnapshotEditMemo, InsertionsStopAt200GbkBytes) {
  EXPECT_EQ(MemoInsertionThatFits("", Han(101)), Han(100));
  EXPECT_EQ(MemoInsertionThatFits(Han(99), "中文"), "中");
  EXPECT_EQ(MemoInsertionThatFits(std::string(199, 'a'), "中"), "");
  EXPECT_EQ(MemoInsertionThatFits(std::string(199, 'a'), "b中"), "b");
  EXPECT_EQ(MemoInsertionThatFits(std::string(199, 'a'), "\r\n"), "");
  EXPECT_EQ(MemoInsertionThatFits(std::string(198, 'a'), "\r\nx"), "\r\n");
  EXPECT_EQ(MemoInsertionThatFits(std::string(200, 'a'), "x"), "");
  EXPECT_EQ(MemoInsertionThatFits(std::string(250, 'a'), "x"), "");
}
