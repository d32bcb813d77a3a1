// Delete, rename and memo from the main window's commands, with their
// dialogs and message boxes, under Wine.
#include <gtest/gtest.h>

#include "maintain/snapshot_edit.h"
#include "maintain/win_commands.h"
#include "tests/win/maintain_fixture.h"

using namespace maintain;
using testsupport::ModalAction;

namespace {

class MaintainCommandsTest : public testsupport::SnapshotCommandTest {
 protected:
  void SetUp() override {
    SnapshotCommandTest::SetUp();
    AddSnapshot("CD1", "旧备注");
    AddSnapshot("CD10");
    BrowseAll();
    browseAlls = 0;
    Select("CD1");
  }
  using V = std::vector<std::string>;
};

}  // namespace

TEST_F(MaintainCommandsTest, DeleteAsksAndNoKeepsEverything) {
  boxes.Plan(IDNO);
  TBtnDeleteClick(main);
  ASSERT_EQ(boxes.Count(), 1);
  const auto& box = boxes.Last();
  EXPECT_EQ(box.text, "您确定要删除存储盘 [CD1] 的所有信息吗？");
  EXPECT_EQ(box.caption, "Vorlune");
  EXPECT_EQ(box.icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_EQ(box.buttons, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(box.defaultButton, IDNO);
  EXPECT_EQ(box.owner, main.Handle());
  EXPECT_EQ(Labels(), (V{"CD1", "CD10"}));
  EXPECT_EQ(browseAlls, 0);
}

TEST_F(MaintainCommandsTest, DeleteYesRemovesOnlyThatSnapshotAndReports) {
  boxes.Plan(IDYES);
  boxes.Plan(IDOK);
  TBtnDeleteClick(main);
  ASSERT_EQ(boxes.Count(), 2);
  EXPECT_EQ(boxes.Last().text, "存储盘 [CD1] 索引信息已删除！");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_EQ(boxes.Last().buttons, static_cast<UINT>(MB_OK));
  EXPECT_EQ(Labels(), V{"CD10"});
  EXPECT_EQ(Rows("CD10"), 2);
  EXPECT_EQ(browseAlls, 1);
  EXPECT_EQ(main.list().ItemCount(), 1);
}

TEST_F(MaintainCommandsTest, CommandsDoNothingWithoutASelection) {
  main.list().SetSelected(nullptr);
  TfrmRename rename(&q);
  TfrmMemo memo;
  TBtnDeleteClick(main);
  TBtnRenameClick(main, rename);
  TBtnMemoClick(main, memo);
  EXPECT_EQ(boxes.Count(), 0);
  EXPECT_EQ(browseAlls, 0);
}

TEST_F(MaintainCommandsTest, RenameDialogRenamesAndRefreshes) {
  TfrmRename rename(&q);
  EXPECT_EQ(rename.Caption(), "Vorlune - 快照重命名");
  std::string offered;
  bool okEnabled = false;
  {
    ModalAction act([&] {
      offered = rename.EdtName.Text();
      okEnabled = rename.BtnOK.Enabled();
      rename.EdtName.SetText("DATA");
      SendMessageW(rename.BtnOK.Handle(), BM_CLICK, 0, 0);
    });
    TBtnRenameClick(main, rename);
  }
  EXPECT_EQ(offered, "CD1");
  EXPECT_TRUE(okEnabled);
  EXPECT_EQ(Labels(), (V{"DATA", "CD10"}));
  EXPECT_EQ(Rows("DATA"), 2);
  EXPECT_EQ(Rows("CD10"), 2);
  EXPECT_EQ(browseAlls, 1);
  EXPECT_EQ(boxes.Count(), 0);
}

TEST_F(MaintainCommandsTest, RenameClashAndRefusedCharactersKeepTheDialogOpen) {
  TfrmRename rename(&q);
  boxes.Plan(IDOK);
  boxes.Plan(IDOK);
  bool stillOpen = false;
  std::string kept;
  {
    ModalAction act([&] {
      rename.EdtName.SetText("cd10");
      SendMessageW(rename.BtnOK.Handle(), BM_CLICK, 0, 0);
      rename.EdtName.SetText("A[B");
      SendMessageW(rename.BtnOK.Handle(), BM_CLICK, 0, 0);
      testsupport::PumpPosted();
      stillOpen = IsWindowVisible(rename.Handle());
      kept = rename.EdtName.Text();
      SendMessageW(rename.BtnCancel.Handle(), BM_CLICK, 0, 0);
    });
    TBtnRenameClick(main, rename);
  }
  ASSERT_EQ(boxes.Count(), 2);
  EXPECT_EQ(boxes.Seen()[0].text, "快照重命名失败！请检查是否已经有同名快照存在。");
  EXPECT_EQ(boxes.Seen()[0].icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(boxes.Seen()[0].owner, rename.Handle());
  EXPECT_EQ(boxes.Seen()[1].text, RenameRefusedMessage());
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(kept, "A[B");
  EXPECT_EQ(Labels(), (V{"CD1", "CD10"}));
  EXPECT_EQ(browseAlls, 1);  // Cancel still refreshes
}

TEST_F(MaintainCommandsTest, RenameBlanksRules) {
  TfrmRename rename(&q);
  bool okForBlanks = true;
  {
    ModalAction act([&] {
      rename.EdtName.SetText("   ");
      okForBlanks = rename.BtnOK.Enabled();
      rename.EdtName.SetText("CD1 ");
      SendMessageW(rename.BtnOK.Handle(), BM_CLICK, 0, 0);
    });
    TBtnRenameClick(main, rename);
  }
  EXPECT_FALSE(okForBlanks);
  EXPECT_EQ(Labels(), (V{"CD1", "CD10"}));
  EXPECT_EQ(boxes.Count(), 0);
  Select("CD1");
  {
    ModalAction act([&] {
      rename.EdtName.SetText(" NEW");
      testsupport::PostKey(rename.EdtName.Handle(), VK_RETURN);
    });
    TBtnRenameClick(main, rename);
  }
  EXPECT_EQ(Labels(), (V{" NEW", "CD10"}));
}

TEST_F(MaintainCommandsTest, MemoSavedExactlyAsTyped) {
  TfrmMemo memo;
  EXPECT_EQ(memo.Caption(), "备注");
  std::string shown;
  bool saveAtOpening = true, saveAfterTyping = false;
  {
    ModalAction act([&] {
      shown = memo.Memo1.Text();
      saveAtOpening = memo.BtnSave.Enabled();
      memo.Memo1.SelectAll();
      memo.Memo1.InsertText("It's Tom's\r\n第二行");
      saveAfterTyping = memo.BtnSave.Enabled();
      SendMessageW(memo.BtnSave.Handle(), BM_CLICK, 0, 0);
    });
    TBtnMemoClick(main, memo);
  }
  EXPECT_EQ(shown, "旧备注");
  EXPECT_FALSE(saveAtOpening);
  EXPECT_TRUE(saveAfterTyping);
  EXPECT_EQ(Memo("CD1"), "It's Tom's\r\n第二行");
  EXPECT_EQ(browseAlls, 1);
}

TEST_F(MaintainCommandsTest, MemoExitWritesNothingAndEmptyingStoresEmpty) {
  TfrmMemo memo;
  {
    ModalAction act([&] {
      memo.Memo1.SetText("changed");
      SendMessageW(memo.BtnExit.Handle(), BM_CLICK, 0, 0);
    });
    TBtnMemoClick(main, memo);
  }
  EXPECT_EQ(Memo("CD1"), "旧备注");
  EXPECT_EQ(browseAlls, 0);
  {
    ModalAction act([&] {
      memo.Memo1.SetText("");
      SendMessageW(memo.BtnSave.Handle(), BM_CLICK, 0, 0);
    });
    TBtnMemoClick(main, memo);
  }
  EXPECT_EQ(Memo("CD1"), "");
}

TEST_F(MaintainCommandsTest, MemoStopsAt200GbkBytes) {
  TfrmMemo memo;
  std::string han101;
  for (int i = 0; i < 101; ++i) han101 += "备";
  {
    ModalAction act([&] {
      memo.Memo1.SetText("");
      memo.Memo1.InsertText(han101);
      memo.Memo1.InsertText("x");
      SendMessageW(memo.BtnSave.Handle(), BM_CLICK, 0, 0);
    });
    TBtnMemoClick(main, memo);
  }
  EXPECT_EQ(Memo("CD1"), han101.substr(0, 100 * 3));
}
