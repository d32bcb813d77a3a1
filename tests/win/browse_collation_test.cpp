#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "browse/column_sort.h"
#include "browse/win_collator.h"
#include "ui/wide.h"

using namespace browse;

// The text columns sort in the user's locale (Simplified Chinese here), with
// letter case ignored.
TEST(BrowseCollation, ChineseNamesInLocaleOrderAndCaseIgnored) {
  WindowsCollator c;
  SortParams up{0, CompareMode::Text, true};
  EXPECT_EQ(CompareItems("Readme.TXT", "readme.txt", up, c), 0);
  EXPECT_LT(CompareItems("abc", "ABD", up, c), 0);
  std::vector<std::string> names = {"吃饭.txt", "不要.txt", "啊哈.txt"};
  std::sort(names.begin(), names.end(),
            [&](const std::string& a, const std::string& b) { return CompareItems(a, b, up, c) < 0; });
  // Pinyin a, bu, chi; the code points would give 不, 吃, 啊.
  EXPECT_EQ(names, (std::vector<std::string>{"啊哈.txt", "不要.txt", "吃饭.txt"}));
  EXPECT_EQ(c.SortKey("ABC"), c.SortKey("abc"));
}

// Sorting compares sort keys; they must order as the locale comparison does.
TEST(BrowseCollation, SortKeysOrderAsTheLocaleComparison) {
  auto localeCompare = [](std::wstring_view a, std::wstring_view b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) -
           CSTR_EQUAL;
  };
  const wchar_t* texts[] = {L"啊哈.txt", L"不要.txt", L"吃饭.txt", L"Readme.TXT", L"readme.txt", L"abc", L"ABD",
                            L"a-b", L"ab", L"文件10", L"文件9", L""};
  for (const wchar_t* a : texts)
    for (const wchar_t* b : texts) {
      int byKey = WindowsCollator::WideSortKey(a).compare(WindowsCollator::WideSortKey(b));
      int byCompare = localeCompare(a, b);
      EXPECT_EQ(byKey < 0, byCompare < 0) << ui::Narrow(a) << " / " << ui::Narrow(b);
      EXPECT_EQ(byKey == 0, byCompare == 0) << ui::Narrow(a) << " / " << ui::Narrow(b);
    }
}
