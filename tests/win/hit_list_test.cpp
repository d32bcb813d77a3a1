// The main list over a million hits under Wine: the hits are shown at the
// cost of their count, scrolled to the end, selected, sorted in memory, the
// actions on a selection, a new search while the old hits are shown, and the
// conditions of "更多条件".
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "tests/win/main_window_fixture.h"

namespace {

class HitListTest : public MainWindowTest {
 protected:
  // One snapshot BIG of `rows` files: f1.txt ... with every tenth an .iso,
  // file i of size i and modified at tick base + i, 1,000 a folder.
  void MakeBigCatalog(int rows) {
    catalog::CreateEmptyCatalog(folder + "Kestrova", catalog::kDatabasePassword);
    catalog::Connection cn;
    cn.SetConnectionString(catalog::BuildConnectionString(folder));
    cn.Open();
    catalog::Query q(&cn);
    catalog::AppendSnapshot(q, "BIG", 700, "");
    catalog::AppendSnapshot(q, "OTHER", 700, "");
    q.Clear();
    q.Add("With Recursive n(i) As (Select 1 Union All Select i+1 From n Where i < ?) "
          "Insert Into CDFile(Name, Path, Type, Size, Modified) "
          "Select 'f' || i || Case When i % 10 = 0 Then '.iso' Else '.txt' End, "
          "'[BIG]:\\d' || (i / 1000) || '\\', 0, i, 132000000000000000 + i From n");
    q.Bind(static_cast<int64_t>(rows));
    q.ExecSQL();
    AddRow(q, "[OTHER]:\\", "f5.iso", 0, 5);
  }
  std::wstring TextAt(int row, int column) {
    wchar_t buf[260] = {};
    ListView_GetItemText(main->ListView1->Handle(), row, column, buf, 260);
    return buf;
  }
  void Search(const std::string& text) {
    main->EdtSearch->SetText(text);
    main->BtnBeginSearchClick();
  }
};

TEST_F(HitListTest, AMillionHitsScrollSortSelectAndGiveWayToTheNextSearch) {
  constexpr int kRows = 1000000;
  MakeBigCatalog(kRows);
  Start();
  main->SetListStyle(app::ListViewStyle::Report);
  ui::ListView& lv = *main->ListView1;
  Search("%");
  ASSERT_EQ(lv.ItemCount(), kRows + 1);
  EXPECT_EQ(main->StatusBar1->PanelText(1), "搜索到：" + std::to_string(kRows + 1) + "项");
  EXPECT_EQ(SendMessageW(lv.Handle(), LVM_GETITEMCOUNT, 0, 0), kRows + 1);
  // Rowid order, the names in their own letter case, read when shown.
  EXPECT_EQ(TextAt(0, 0), L"f1.txt");
  EXPECT_EQ(TextAt(0, 2), L"[BIG]:\\d0\\");
  EXPECT_EQ(TextAt(0, 5), L"BIG");
  lv.SelectOnly(kRows - 1);
  testsupport::PumpPosted();
  EXPECT_EQ(TextAt(kRows - 1, 0), L"f1000000.iso");
  EXPECT_EQ(TextAt(kRows - 1, 3), L"976.6 KB");
  ASSERT_NE(lv.Selected(), nullptr);
  EXPECT_EQ(lv.Selected()->Caption(), "f1000000.iso");
  EXPECT_EQ(lv.Selected()->SubItem(1), "[BIG]:\\d1000\\");

  // Sorting by size: ascending at the first click, descending at the next.
  lv.OnColumnClick(lv.Column(3));
  EXPECT_EQ(TextAt(0, 0), L"f1.txt");
  EXPECT_EQ(TextAt(kRows, 0), L"f1000000.iso");
  lv.OnColumnClick(lv.Column(3));
  EXPECT_EQ(TextAt(0, 0), L"f1000000.iso");
  EXPECT_EQ(TextAt(1, 0), L"f999999.txt");
  EXPECT_EQ(lv.SelectedIndexes().size(), 0u);  // a sort leaves nothing selected

  // Several rows selected: their stored paths, one a line.
  lv.SetMultiSelect(true);
  ListView_SetItemState(lv.Handle(), 0, LVIS_SELECTED, LVIS_SELECTED);
  ListView_SetItemState(lv.Handle(), 2, LVIS_SELECTED, LVIS_SELECTED);
  main->Commands.copyPaths();
  EXPECT_EQ(testsupport::ClipboardText(), "[BIG]:\\d1000\\f1000000.iso\r\n[BIG]:\\d999\\f999998.txt");
  // No drive holds the disk: the message names the snapshot.
  boxes.Plan(IDOK);
  main->Commands.openLocation();
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.Last().text, "请插入 BIG");

  // A new search while a million hits are shown.
  Search("*.iso");
  EXPECT_EQ(lv.ItemCount(), kRows / 10 + 1);
  EXPECT_EQ(TextAt(0, 0), L"f10.iso");
  EXPECT_EQ(TextAt(kRows / 10, 5), L"OTHER");
  Search("f5.*|F6.TXT");
  EXPECT_EQ(lv.ItemCount(), 3);  // f5.txt, f6.txt and OTHER's f5.iso
  Search("f5");  // a plain text keeps its meaning: names containing it
  EXPECT_EQ(lv.ItemCount(), 111112);
}

TEST_F(HitListTest, ConditionsNarrowTheHitsOnlyWhileUnfolded) {
  MakeBigCatalog(2000);
  Start();
  ui::ListView& lv = *main->ListView1;
  main->PnlConditions->EdtMinSize.SetText("1990");
  main->PnlConditions->CmbSizeUnit.SetItemIndex(0);
  Search("%");
  EXPECT_EQ(lv.ItemCount(), 2001);  // folded away: no condition
  main->BtnMoreConditionsClick();
  ASSERT_TRUE(main->PnlConditions->Visible());
  Search("");
  EXPECT_EQ(lv.ItemCount(), 11);  // 1990 ... 2000 bytes
  main->PnlConditions->CmbKind.SetItemIndex(5);  // 压缩包: the .iso files
  Search("");
  EXPECT_EQ(lv.ItemCount(), 2);  // f1990.iso, f2000.iso
  main->PnlConditions->EdtMinSize.SetText("");
  main->PnlConditions->CmbSnapshots.SetItemIndex(2);
  main->PnlConditions->EdtSnapshots.SetText("OTH*");
  Search("");
  EXPECT_EQ(lv.ItemCount(), 1);
  EXPECT_EQ(TextAt(0, 0), L"f5.iso");
  main->PnlConditions->EdtMinSize.SetText("x");
  Search("");
  EXPECT_EQ(main->StatusBar1->PanelText(1).rfind("搜索条件有误", 0), 0u);
  EXPECT_EQ(lv.ItemCount(), 1);  // the hits before stay
  // The texts searched for are kept for the drop-down, the latest first.
  ASSERT_GE(main->SearchHistory.size(), 1u);
  EXPECT_EQ(main->SearchHistory.front(), "%");
}

}  // namespace
