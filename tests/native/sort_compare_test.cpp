#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "browse/column_sort.h"

using namespace browse;

namespace {

// Sorts as the list does: each text's key made once, then the keys compared.
std::vector<std::string> Sorted(const std::vector<std::string>& v, const SortParams& p) {
  FoldingCollator c;
  std::vector<std::pair<ItemSortKey, std::string>> items;
  for (const std::string& s : v) items.emplace_back(MakeSortKey(s, p, c), s);
  std::stable_sort(items.begin(), items.end(),
                   [&](const auto& a, const auto& b) { return CompareSortKeys(a.first, b.first, p) < 0; });
  std::vector<std::string> out;
  for (auto& item : items) out.push_back(item.second);
  return out;
}

}  // namespace

TEST(SortColumns, CapacitiesCompareAsNumbersInTheSnapshotList) {
  ColumnSortState state;
  const std::vector<std::string> caps = {"700M", "4300M", "99M"};
  SortParams first = state.Click(1, /*snapshotList=*/true);
  EXPECT_EQ(first.mode, CompareMode::Number);
  EXPECT_TRUE(first.ascending);
  EXPECT_EQ(Sorted(caps, first), (std::vector<std::string>{"99M", "700M", "4300M"}));
  SortParams second = state.Click(1, true);
  EXPECT_FALSE(second.ascending);
  EXPECT_EQ(Sorted(caps, second), (std::vector<std::string>{"4300M", "700M", "99M"}));
  // As text the same values order differently.
  SortParams asText{1, CompareMode::Text, true};
  EXPECT_EQ(Sorted(caps, asText), (std::vector<std::string>{"4300M", "700M", "99M"}));
}

TEST(SortColumns, CapacityCountsAndDatesAreTheNumericColumns) {
  ColumnSortState state;
  EXPECT_EQ(state.Click(0, true).mode, CompareMode::Text);
  EXPECT_EQ(state.Click(2, true).mode, CompareMode::Number);  // "日期" of the snapshot list
  EXPECT_EQ(state.Click(5, true).mode, CompareMode::Text);    // "备 注", the last
  EXPECT_EQ(state.Click(3, false).mode, CompareMode::Number);  // "修改日期" of a folder listing
  EXPECT_EQ(state.Click(1, false).mode, CompareMode::Text);  // "类别" of a folder listing
}

TEST(SortColumns, FlagsAreSharedByPositionAcrossModes) {
  ColumnSortState state;
  EXPECT_TRUE(state.Click(0, true).ascending);    // "存储设备" in the snapshot list
  EXPECT_FALSE(state.Click(0, false).ascending);  // "名称" of a folder: the same position
  EXPECT_TRUE(state.Click(2, false).ascending);   // another position starts afresh
  EXPECT_TRUE(state.Click(0, false).ascending);
  EXPECT_FALSE(state.SortAscending(1));
}

TEST(SortColumns, NumberModeKeepsOnlyDigits) {
  EXPECT_EQ(DigitsValue("4300M"), 4300);
  EXPECT_EQ(DigitsValue("1.5 M"), 15);
  EXPECT_EQ(DigitsValue("-20M"), 20);
  EXPECT_EQ(DigitsValue("M"), 0);
  SortParams num{1, CompareMode::Number, true};
  FoldingCollator c;
  EXPECT_EQ(CompareItems("700M", "0700M", num, c), 0);
  EXPECT_EQ(CompareItems("12345678901234567890M", "9M", num, c), 1);
}

TEST(SortColumns, TextModeIgnoresLetterCaseAndMixesKinds) {
  FoldingCollator c;
  SortParams up{0, CompareMode::Text, true};
  SortParams down{0, CompareMode::Text, false};
  EXPECT_EQ(CompareItems("Readme.TXT", "readme.txt", up, c), 0);
  EXPECT_EQ(CompareItems("Readme.TXT", "readme.txt", down, c), 0);
  EXPECT_LT(CompareItems("abc", "ABD", up, c), 0);
  EXPECT_GT(CompareItems("abc", "ABD", down, c), 0);
  EXPECT_LT(CompareItems("ab", "abc", up, c), 0);
  // Every ASCII letter folds, the first and the last of the alphabet too.
  EXPECT_EQ(CompareItems("Zip", "zip", up, c), 0);
  EXPECT_EQ(CompareItems("Apple", "aPPLE", up, c), 0);
  EXPECT_EQ(c.SortKey("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "abcdefghijklmnopqrstuvwxyz");
  EXPECT_GT(CompareItems("Zip", "_zip", up, c), 0);  // '_' sits between the two cases
  EXPECT_EQ(Sorted({"文件", "目录", "文件", "目录"}, {1, CompareMode::Text, true}),
            (std::vector<std::string>{"文件", "文件", "目录", "目录"}));
}

TEST(SortColumns, DatesSortAsMomentsNotAsText) {
  // "9" after "10" as text; here the digits make the moment, and an entry
  // without a date comes first.
  const browse::FoldingCollator c;
  browse::SortParams p{3, browse::CompareMode::Number, true};
  EXPECT_LT(browse::CompareItems("2025-12-31 23:59", "2026-01-01 00:00", p, c), 0);
  EXPECT_LT(browse::CompareItems("2026-11-02 09:05", "2026-11-02 10:00", p, c), 0);
  EXPECT_LT(browse::CompareItems("", "1969-12-31 23:59", p, c), 0);
  EXPECT_EQ(browse::CompareItems("2026-11-02 09:05", "2026-11-02 09:05", p, c), 0);
}
