// The quick NOCASE comparison orders every pair of texts as the engine's
// own does (sqlite3_strnicmp over the shorter length, then the lengths), so
// an index built under either reads the same.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <random>
#include <string>

#include "catalog/nocase_collation.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

int EngineOrder(const std::string& a, const std::string& b) {
  const int n = static_cast<int>(std::min(a.size(), b.size()));
  const int r = sqlite3_strnicmp(a.data(), b.data(), n);
  return Sign(r != 0 ? r : static_cast<int>(a.size()) - static_cast<int>(b.size()));
}

int QuickOrder(const std::string& a, const std::string& b) {
  return Sign(catalog::CompareNoCase(static_cast<int>(a.size()), a.data(), static_cast<int>(b.size()), b.data()));
}

TEST(NoCaseCollationTest, OrdersAsTheEngineDoes) {
  // Letters of both cases, the characters beside them, path separators,
  // bytes of UTF-8 and a zero byte.
  const std::string alphabet = std::string("aAzZ@[`{\\]_09") + "\x80\xc3\xa9\xff" + std::string(1, '\0');
  std::mt19937 rng(7);
  auto text = [&](const std::string& from) {
    std::string t = from;
    for (int n = static_cast<int>(rng() % 24); n > 0; --n) t.push_back(alphabet[rng() % alphabet.size()]);
    return t;
  };
  int checked = 0;
  for (int i = 0; i < 200000; ++i) {
    // Long shared beginnings, as stored paths have, in either case.
    std::string stem = i % 3 ? "[BACKUP]:\\Photos\\2024\\" : "";
    std::string a = text(stem), b = text(i % 2 ? stem : "[backup]:\\photos\\2024\\");
    if (i % 5 == 0) b = a.substr(0, rng() % (a.size() + 1)) + text("");
    ASSERT_EQ(QuickOrder(a, b), EngineOrder(a, b)) << i;
    ASSERT_EQ(QuickOrder(b, a), EngineOrder(b, a)) << i;
    ++checked;
  }
  EXPECT_EQ(QuickOrder("ABC", "abc"), 0);
  EXPECT_LT(QuickOrder("ab", "abc"), 0);
  EXPECT_LT(QuickOrder("a[", "AZ"), 0);  // '[' comes after 'Z' as a byte, before 'z' once folded
  EXPECT_EQ(checked, 200000);
}

}  // namespace
