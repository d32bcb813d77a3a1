#include "platform/case_fold.h"

#include "platform/text.h"

namespace text {
namespace {
#include "platform/case_fold_table.inc"

// Length of the well-formed character at s[i], 0 when the bytes there are
// not one (stray continuation byte, overlong form, surrogate, cut short).
size_t WellFormedLength(std::string_view s, size_t i, char32_t& cp) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[i + k]); };
  const unsigned char c = b(0);
  size_t n;
  char32_t min;
  if (c < 0x80) {
    cp = c;
    return 1;
  } else if (c >= 0xC2 && c <= 0xDF) {
    n = 2, cp = c & 0x1F, min = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3, cp = c & 0x0F, min = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4, cp = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(k) & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

char32_t FoldCase(char32_t cp) {
  if (cp < 0x80) return cp >= 'A' && cp <= 'Z' ? cp + 32 : cp;
  if (cp > 0x10FFFF) return cp;
  return static_cast<char32_t>(static_cast<int>(cp) + kFoldDelta[kFoldPage[cp >> 8]][cp & 0xFF]);
}

void AppendFolded(std::string& out, std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      // Most names are ASCII: a run of it is lowered in one go.
      size_t end = i;
      while (end < s.size() && static_cast<unsigned char>(s[end]) < 0x80) ++end;
      const size_t at = out.size();
      out.append(s.data() + i, end - i);
      for (size_t k = at; k < out.size(); ++k)
        if (out[k] >= 'A' && out[k] <= 'Z') out[k] = static_cast<char>(out[k] + 32);
      i = end;
      continue;
    }
    char32_t cp = 0;
    const size_t n = WellFormedLength(s, i, cp);
    if (n == 0) {
      out += s[i++];
      continue;
    }
    const char32_t f = FoldCase(cp);
    if (f == cp)
      out.append(s.data() + i, n);
    else
      AppendUtf8(out, f);
    i += n;
  }
}

std::string Folded(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  AppendFolded(out, s);
  return out;
}

size_t FoldedCharLength(std::string_view s, size_t i) {
  if (static_cast<unsigned char>(s[i]) < 0x80) return 1;
  char32_t cp;
  const size_t n = WellFormedLength(s, i, cp);
  return n ? n : 1;
}

}  // namespace text
