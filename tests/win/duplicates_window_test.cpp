// "查找重复文件" in the running program under Wine: opened from the maintain
// menu, the groups largest wasted space first, a group's members with their
// snapshots and folders, the actions on them, the other key, the minimum
// size, a bad minimum, and stopping or closing while it works.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "duplicates/win_duplicates_window.h"
#include "tests/win/main_window_fixture.h"
#include "tests/win/maintain_fixture.h"

namespace {

using testsupport::ModalAction;

class DuplicatesWindowTest : public MainWindowTest {
 protected:
  void MakeCatalog() {
    FillNewCatalog([](catalog::Query& q) {
      for (const char* label : {"CD1", "CD2", "CD3"}) catalog::AppendSnapshot(q, label, 700, "");
      const int64_t mb = 1 << 20;
      AddFile(q, "[CD1]:\\films\\", "b.mkv", 5 * mb, 1);
      AddFile(q, "[CD2]:\\", "B.MKV", 5 * mb, 2);
      AddFile(q, "[CD3]:\\old\\", "b.mkv", 5 * mb, 3);
      AddFile(q, "[CD1]:\\", "a.iso", 2 * mb, 7);
      AddFile(q, "[CD2]:\\iso\\", "a.iso", 2 * mb, 7);
      AddFile(q, "[CD3]:\\", "copy of a.iso", 2 * mb, 7);  // the same size and date, another name
      AddFile(q, "[CD1]:\\", "small.txt", 100, 9);          // under the minimum
      AddFile(q, "[CD2]:\\", "small.txt", 100, 9);
      AddRow(q, "[CD3]:\\", "b.mkv", 1);  // a folder is no file
    });
  }
  static void AddFile(catalog::Query& q, const std::string& path, const std::string& name, int64_t size,
                      int64_t modified) {
    q.OpenTable("CDFile");
    q.Append();
    q.SetField("Name", name);
    q.SetField("Path", path);
    q.SetField("Type", 0);
    q.SetField("Size", size);
    q.SetField("Modified", int64_t(132000000000000000) + modified * 10000000);
    q.Post();
    q.Close();
  }
  duplicates::TfrmDuplicates& Window() { return *static_cast<duplicates::TfrmDuplicates*>(program->frmDuplicates); }
  static std::wstring TextAt(ui::ListView& lv, int row, int column) {
    wchar_t buf[260] = {};
    ListView_GetItemText(lv.Handle(), row, column, buf, 260);
    return buf;
  }
};

TEST_F(DuplicatesWindowTest, GroupsMembersActionsKeysAndMinimum) {
  MakeCatalog();
  Start();
  duplicates::TfrmDuplicates& w = Window();
  bool checked = false;
  ModalAction act([&] {
    EXPECT_EQ(w.LblStatus.Text(), "按“查找”在全部快照中查找重复的文件。");
    w.BtnFindClick();
    ASSERT_NE(w.Found(), nullptr);
    // b.mkv three times (10 MB more than once), a.iso twice (2 MB).
    ASSERT_EQ(w.LvGroups.ItemCount(), 2);
    EXPECT_EQ(TextAt(w.LvGroups, 0, 0), L"b.mkv");
    EXPECT_EQ(TextAt(w.LvGroups, 0, 2), L"3");
    EXPECT_EQ(TextAt(w.LvGroups, 0, 3), L"10.0 MB");
    EXPECT_EQ(TextAt(w.LvGroups, 1, 0), L"a.iso");
    EXPECT_EQ(w.LblStatus.Text(), "找到 2 组重复文件（5 个），重复占用 12.0 MB。");
    // The first group is shown below: each member's own name, folder, snapshot.
    ASSERT_EQ(w.LvMembers.ItemCount(), 3);
    EXPECT_EQ(TextAt(w.LvMembers, 1, 0), L"B.MKV");
    EXPECT_EQ(TextAt(w.LvMembers, 0, 2), L"[CD1]:\\films\\");
    EXPECT_EQ(TextAt(w.LvMembers, 2, 5), L"CD3");
    ListView_SetItemState(w.LvMembers.Handle(), 0, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(w.LvMembers.Handle(), 2, LVIS_SELECTED, LVIS_SELECTED);
    w.CopyPaths();
    EXPECT_EQ(testsupport::ClipboardText(), "[CD1]:\\films\\b.mkv\r\n[CD3]:\\old\\b.mkv");
    boxes.Plan(IDOK);
    w.OpenLocation();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "请插入 CD1");
    // Another group selected: its members.
    w.LvGroups.SelectOnly(1);
    testsupport::PumpPosted();
    ASSERT_EQ(w.LvMembers.ItemCount(), 2);
    EXPECT_EQ(TextAt(w.LvMembers, 1, 2), L"[CD2]:\\iso\\");

    // By size and date: the copy under another name joins a.iso; the b.mkv
    // files have three dates.
    w.CmbKey.SetItemIndex(1);
    w.BtnFindClick();
    ASSERT_EQ(w.LvGroups.ItemCount(), 1);
    EXPECT_EQ(TextAt(w.LvGroups, 0, 2), L"3");
    EXPECT_EQ(TextAt(w.LvMembers, 2, 0), L"copy of a.iso");

    // No minimum: the small text files too; a minimum that is no number.
    w.CmbKey.SetItemIndex(0);
    w.EdtMinSize.SetText("0");
    w.BtnFindClick();
    EXPECT_EQ(w.LvGroups.ItemCount(), 3);
    w.EdtMinSize.SetText("一");
    w.BtnFindClick();
    EXPECT_EQ(w.LblStatus.Text().rfind("最小大小有误：", 0), 0u) << w.LblStatus.Text();
    EXPECT_EQ(w.LvGroups.ItemCount(), 3);  // the last groups stay
    checked = true;
    w.Close();
  });
  main->mnuFindDuplicates->Click();
  EXPECT_TRUE(checked);
}

TEST_F(DuplicatesWindowTest, StopAndCloseWhileFinding) {
  MakeCatalog();
  Start();
  duplicates::TfrmDuplicates& w = Window();
  w.PauseAfterEachPiece = true;  // the messages are let through after each piece
  bool checked = false;
  ModalAction act([&] {
    // Stopped at the first chance: no groups, and the window says so.
    ui::App().Post([&] {
      EXPECT_TRUE(w.Finding());
      EXPECT_TRUE(w.BtnStop.Enabled());
      EXPECT_FALSE(w.BtnFind.Enabled());
      w.BtnStop.Click();
    });
    w.BtnFindClick();
    EXPECT_FALSE(w.Finding());
    EXPECT_EQ(w.Found(), nullptr);
    EXPECT_EQ(w.LvGroups.ItemCount(), 0);
    EXPECT_EQ(w.LblStatus.Text(), "查找已停止。");
    EXPECT_TRUE(w.BtnFind.Enabled());
    // Closed while finding: the work ends and the window closes.
    ui::App().Post([&] { PostMessageW(w.Handle(), WM_CLOSE, 0, 0); });
    checked = true;
    w.BtnFindClick();
  });
  main->Commands.findDuplicates();
  EXPECT_TRUE(checked);
  EXPECT_FALSE(w.Visible());
  EXPECT_FALSE(w.Finding());
  EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
