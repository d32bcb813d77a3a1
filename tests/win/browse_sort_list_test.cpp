// Sorting the list by a header click, under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browse/win_sort_list.h"
#include "ui/ui.h"

using namespace browse;

namespace {

class SortListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetClientSize(400, 300);
    list.SetBounds(0, 0, 400, 300);
    list.SetViewStyle(ui::vsReport);
    for (const char* c : {"存储设备", "容量", "备 注"}) list.AddColumn(c, 100, true);
  }
  std::vector<std::string> Column(int position) {
    std::vector<std::string> out;
    for (int i = 0; i < list.ItemCount(); ++i)
      out.push_back(position == 0 ? list.Item(i)->Caption() : list.Item(i)->SubItem(position - 1));
    return out;
  }
  using V = std::vector<std::string>;

  ui::Form form{"TfrmSortTest"};
  ui::ListView list{&form};
  ColumnSortState flags;
};

}  // namespace

TEST_F(SortListTest, CapacitiesAsNumbersThenReversed) {
  list.AddItem("CD1", 0, {"700M", "a"});
  list.AddItem("CD2", 0, {"4300M", "b"});
  list.AddItem("CD3", 0, {"99M", "c"});
  list.AddItem("CD4", 0, {"1200M", "d"});
  EXPECT_EQ(ColumnPosition(list, list.Column(1)), 1);
  SortByColumn(list, 1, flags, true);
  EXPECT_EQ(Column(1), (V{"99M", "700M", "1200M", "4300M"}));
  SortByColumn(list, 1, flags, true);
  EXPECT_EQ(Column(1), (V{"4300M", "1200M", "700M", "99M"}));
  // The same column of a folder listing sorts as text: the digits one by one.
  SortByColumn(list, 1, flags, false);
  EXPECT_EQ(Column(1), (V{"1200M", "4300M", "700M", "99M"}));
}

TEST_F(SortListTest, FlagsSharedAcrossModesAndChineseInLocaleOrder) {
  list.AddItem("吃饭.txt", 2, {"文件", "[CD1]:\\"});
  list.AddItem("Readme.TXT", 2, {"文件", "[CD1]:\\"});
  list.AddItem("啊哈", 1, {"目录", "[CD1]:\\"});
  list.AddItem("不要.doc", 7, {"文件", "[CD1]:\\"});
  list.AddItem("readme.txt", 2, {"文件", "[CD2]:\\"});
  SortByColumn(list, 0, flags, true);  // "存储设备" once in the snapshot list
  SortByColumn(list, 0, flags, false);  // then "名称" in a folder: descending
  V names = Column(0);
  ASSERT_EQ(names.size(), 5u);
  // Descending: Chinese in pinyin order chi, bu, a, then the Latin names
  // (which go first ascending); the two readme texts compare equal and sort
  // together.
  EXPECT_EQ(names[0], "吃饭.txt");
  EXPECT_EQ(names[1], "不要.doc");
  EXPECT_EQ(names[2], "啊哈");
  EXPECT_TRUE((names[3] == "Readme.TXT" && names[4] == "readme.txt") ||
              (names[3] == "readme.txt" && names[4] == "Readme.TXT"));
  SortByColumn(list, 1, flags, false);  // "类别" groups the kinds
  EXPECT_EQ(Column(1), (V{"目录", "文件", "文件", "文件", "文件"}));
}
