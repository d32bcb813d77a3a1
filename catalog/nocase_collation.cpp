#include "catalog/nocase_collation.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstring>

namespace catalog {
namespace {

unsigned char Folded(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

int Collate(void*, int length1, const void* text1, int length2, const void* text2) {
  return CompareNoCase(length1, text1, length2, text2);
}

}  // namespace

int CompareNoCase(int length1, const void* text1, int length2, const void* text2) {
  const auto* a = static_cast<const unsigned char*>(text1);
  const auto* b = static_cast<const unsigned char*>(text2);
  const int n = length1 < length2 ? length1 : length2;
  constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
  int i = 0;
  for (;;) {
    for (; i + 8 <= n; i += 8) {
      uint64_t x, y;
      std::memcpy(&x, a + i, 8);
      std::memcpy(&y, b + i, 8);
      // A zero byte ends the engine's comparison: looked at one by one.
      if (x != y || ((x - kOnes) & ~x & kHighs) != 0) break;
    }
    while (i < n && a[i] == b[i] && a[i] != 0) ++i;
    if (i == n) return length1 - length2;
    const int d = Folded(a[i]) - Folded(b[i]);
    // As the engine: what follows a zero byte of the first text is not compared.
    if (d != 0 || a[i] == 0) return d != 0 ? d : length1 - length2;
    ++i;  // the same letter in another case
  }
}

bool UseQuickNoCase(sqlite3* db) {
  return sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, &Collate) == SQLITE_OK;
}

}  // namespace catalog
