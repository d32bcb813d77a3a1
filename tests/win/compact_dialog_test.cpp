// The compaction dialog under Wine: its states across showings, the result
// line, the files left afterwards and a failure with its message.
#include <gtest/gtest.h>

#include "maintain/win_commands.h"
#include "platform/file_io.h"
#include "tests/win/maintain_fixture.h"

using namespace maintain;

namespace {

class CompactDialogTest : public testsupport::SnapshotCommandTest {
 protected:
  void SetUp() override {
    SnapshotCommandTest::SetUp();
    cn.BeginTransaction();
    for (int s = 0; s < 6; ++s) {
      std::string label = "CD" + std::to_string(s);
      catalog::AppendSnapshot(q, label, 700, "");
      for (int i = 0; i < 300; ++i) AddRow(catalog::SnapshotRoot(label), "file" + std::to_string(i) + ".txt", 0, i);
    }
    cn.Commit();
    for (int s = 0; s < 5; ++s) DeleteSnapshot("CD" + std::to_string(s));
  }
  void DeleteSnapshot(const std::string& label) {
    catalog::DeleteSnapshotFiles(q, label);
    catalog::DeleteSnapshotRow(q, label);
  }
  struct Seen {
    bool compactEnabled = false, resultVisible = false;
    std::string cancel, result;
  };
};

}  // namespace

TEST_F(CompactDialogTest, CompactsOnceAndSaysSoWhenShownAgain) {
  TfrmCompactDB d(&cn, folder);
  d.Queries = {&q};
  EXPECT_EQ(d.Caption(), "Vorlune - 数据整理");
  EXPECT_EQ(d.lblNote.Caption(), CompactionNote());
  Seen first;
  {
    testsupport::ModalAction act([&] {
      first.compactEnabled = IsWindowEnabled(d.BtnCompact.Handle());
      first.resultVisible = IsWindowVisible(d.lblResult.Handle());
      first.cancel = d.BtnCancel.Caption();
      SendMessageW(d.BtnCompact.Handle(), BM_CLICK, 0, 0);
      first.result = d.lblResult.Caption();
      SendMessageW(d.BtnCancel.Handle(), BM_CLICK, 0, 0);
    });
    d.ShowModal();
  }
  EXPECT_TRUE(first.compactEnabled);
  EXPECT_FALSE(first.resultVisible);
  EXPECT_EQ(first.cancel, "取消(&C)");
  EXPECT_EQ(first.result.rfind("数据整理优化率：", 0), 0u);
  EXPECT_EQ(first.result.back(), '%');
  EXPECT_EQ(d.BtnCancel.Caption(), "退出(&X)");
  EXPECT_EQ(boxes.Count(), 0);
  EXPECT_TRUE(fileio::FileExists(folder + "Kestrova.bak"));
  EXPECT_FALSE(fileio::FileExists(folder + "Kestrova2"));
  EXPECT_TRUE(cn.Connected());
  EXPECT_EQ(Rows("CD5"), 300);

  Seen again;
  {
    testsupport::ModalAction act([&] {
      again.compactEnabled = IsWindowEnabled(d.BtnCompact.Handle());
      again.resultVisible = IsWindowVisible(d.lblResult.Handle());
      again.result = d.lblResult.Caption();
      SendMessageW(d.BtnCancel.Handle(), BM_CLICK, 0, 0);
    });
    d.ShowModal();
  }
  EXPECT_FALSE(again.compactEnabled);
  EXPECT_TRUE(again.resultVisible);
  EXPECT_EQ(again.result, "您已进行过数据整理，暂不需再进行此操作。");
}

TEST_F(CompactDialogTest, AFailureShowsItsMessageAndReopens) {
  TfrmCompactDB d(&cn, folder);
  d.Queries = {&q};
  catalog::Connection elsewhere;
  elsewhere.SetConnectionString(cn.ConnectionString());
  elsewhere.Open();
  catalog::Query reader(&elsewhere);
  catalog::OpenSnapshotList(reader);
  boxes.Plan(IDOK);
  bool resultVisible = true;
  {
    testsupport::ModalAction act([&] {
      SendMessageW(d.BtnCompact.Handle(), BM_CLICK, 0, 0);
      resultVisible = IsWindowVisible(d.lblResult.Handle());
      SendMessageW(d.BtnCancel.Handle(), BM_CLICK, 0, 0);
    });
    d.ShowModal();
  }
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().text, "软件冲突，数据整理失败。");
  EXPECT_EQ(boxes.Last().icon, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(boxes.Last().owner, d.Handle());
  EXPECT_FALSE(resultVisible);
  EXPECT_EQ(d.BtnCancel.Caption(), "取消(&C)");
  EXPECT_FALSE(IsWindowEnabled(d.BtnCompact.Handle()));
  EXPECT_TRUE(cn.Connected());
  EXPECT_EQ(Rows("CD5"), 300);
  EXPECT_FALSE(fileio::FileExists(folder + "Kestrova.bak"));
}
