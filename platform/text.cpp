#include "platform/text.h"

#include <algorithm>
#include <array>
#include <vector>

namespace text {
namespace {
#include "platform/gb18030_table.inc"

constexpr char32_t kReplacement = 0xFFFD;
constexpr unsigned kSupplementaryLinear = 189000;  // linear index of U+10000

// Code point -> two-byte code, built once from the decoding table.
const std::vector<unsigned short>& EncodeTable() {
  static const std::vector<unsigned short> table = [] {
    std::vector<unsigned short> t(0x10000, 0);
    for (size_t i = 0; i < std::size(kTwoByte); ++i) {
      if (unsigned cp = kTwoByte[i]) {
        unsigned lead = 0x81 + static_cast<unsigned>(i / 191);
        unsigned trail = 0x40 + static_cast<unsigned>(i % 191);
        t[cp] = static_cast<unsigned short>((lead << 8) | trail);
      }
    }
    return t;
  }();
  return table;
}

bool FourByteLinear(char32_t cp, unsigned& linear) {
  if (cp >= 0x10000) {
    linear = kSupplementaryLinear + (cp - 0x10000);
    return true;
  }
  auto it = std::upper_bound(std::begin(kFourByteRuns), std::end(kFourByteRuns), cp,
                             [](char32_t c, const FourByteRun& r) { return c < r.first; });
  if (it == std::begin(kFourByteRuns)) return false;
  --it;
  if (cp >= it->first + it->count) return false;
  linear = it->linear + (cp - it->first);
  return true;
}

bool FourByteCodePoint(unsigned linear, char32_t& cp) {
  if (linear >= kSupplementaryLinear) {
    unsigned v = linear - kSupplementaryLinear;
    if (v > 0x10FFFF - 0x10000) return false;
    cp = 0x10000 + v;
    return true;
  }
  for (const auto& r : kFourByteRuns) {
    if (linear >= r.linear && linear < r.linear + r.count) {
      cp = r.first + (linear - r.linear);
      return true;
    }
  }
  return false;
}

}  // namespace

char32_t NextCodePoint(std::string_view s, size_t& i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int extra = b0 >= 0xF5 ? -1 : b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC2 ? 1 : -1;
  if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) {
    ++i;
    return kReplacement;
  }
  char32_t cp = b0 & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    unsigned char b = byte(i + k);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
    ++i;
    return kReplacement;
  }
  i += extra + 1;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::u16string Utf8ToUtf16(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    char32_t cp = NextCodePoint(s, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

size_t GbCharLength(char32_t cp) {
  if (cp < 0x80) return 1;
  if (cp < 0x10000 && EncodeTable()[cp] != 0) return 2;
  return 4;
}

size_t GbByteLength(std::string_view utf8) {
  size_t n = 0;
  for (size_t i = 0; i < utf8.size();) n += GbCharLength(NextCodePoint(utf8, i));
  return n;
}

std::string GbCut(std::string_view utf8, size_t maxBytes) {
  size_t n = 0;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t next = i;
    size_t len = GbCharLength(NextCodePoint(utf8, next));
    if (n + len > maxBytes) break;
    n += len;
    i = next;
  }
  return std::string(utf8.substr(0, i));
}

std::string ToGb18030(std::string_view utf8) {
  const auto& table = EncodeTable();
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = NextCodePoint(utf8, i);
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    if (cp < 0x10000 && table[cp]) {
      out += static_cast<char>(table[cp] >> 8);
      out += static_cast<char>(table[cp] & 0xFF);
      continue;
    }
    unsigned linear = 0;
    if (!FourByteLinear(cp, linear)) FourByteLinear(kReplacement, linear);
    out += static_cast<char>(0x81 + linear / 12600);
    out += static_cast<char>(0x30 + linear / 1260 % 10);
    out += static_cast<char>(0x81 + linear / 10 % 126);
    out += static_cast<char>(0x30 + linear % 10);
  }
  return out;
}

std::string FromGb18030(std::string_view gb) {
  std::string out;
  out.reserve(gb.size() * 3 / 2);
  auto byte = [&](size_t k) { return static_cast<unsigned char>(gb[k]); };
  for (size_t i = 0; i < gb.size();) {
    unsigned char b0 = byte(i);
    if (b0 < 0x80) {
      out += static_cast<char>(b0);
      ++i;
      continue;
    }
    char32_t cp = kReplacement;
    size_t used = 1;
    if (b0 >= 0x81 && b0 <= 0xFE && i + 1 < gb.size()) {
      unsigned char b1 = byte(i + 1);
      if (b1 >= 0x40 && b1 <= 0xFE && b1 != 0x7F) {
        unsigned v = kTwoByte[(b0 - 0x81) * 191 + (b1 - 0x40)];
        if (v) cp = v;
        used = 2;
      } else if (b1 >= 0x30 && b1 <= 0x39 && i + 3 < gb.size()) {
        unsigned char b2 = byte(i + 2), b3 = byte(i + 3);
        if (b2 >= 0x81 && b2 <= 0xFE && b3 >= 0x30 && b3 <= 0x39) {
          unsigned linear = (b0 - 0x81) * 12600 + (b1 - 0x30) * 1260 + (b2 - 0x81) * 10 + (b3 - 0x30);
          char32_t c;
          if (FourByteCodePoint(linear, c)) cp = c;
          used = 4;
        }
      }
    }
    AppendUtf8(out, cp);
    i += used;
  }
  return out;
}

std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EqualsNoCaseAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

std::string TrimBlanks(std::string_view s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(' ');
  return std::string(s.substr(b, e - b + 1));
}

std::string TrimSpace(std::string_view s) {
  const char* ws = " \t\r\n";
  size_t b = s.find_first_not_of(ws);
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(ws);
  return std::string(s.substr(b, e - b + 1));
}

}  // namespace text
