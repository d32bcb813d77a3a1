#include "catalog/name_pattern.h"

#include <cstdint>
#include <cstring>

#include "platform/case_fold.h"

namespace catalog {
namespace {

constexpr size_t npos = std::string_view::npos;

// How common a byte is in file names, lower is rarer: letters by their
// frequency in English and Pinyin, then digits, the dot and the bytes that
// begin or continue a CJK character. Only the order matters.
int Commonness(unsigned char c) {
  static const char kByFrequency[] = "qjzxvkwyfbghmpducnlrsoitae";
  if (c >= 'a' && c <= 'z') return 10 + static_cast<int>(std::strchr(kByFrequency, c) - kByFrequency);
  if (c >= '0' && c <= '9') return 40;
  if (c == '.' || c == ' ') return 45;
  if (c >= 0xE4 && c <= 0xE9) return 50;  // lead byte of most CJK characters
  if (c >= 0x80 && c <= 0xBF) return 30;  // one continuation value among 64
  return 5;
}

const char* FindByte(const char* p, const char* end, unsigned char c) {
#if defined(__GLIBC__)
  const void* r = std::memchr(p, c, static_cast<size_t>(end - p));
  return r ? static_cast<const char*>(r) : end;
#else
  // Eight bytes a step: the C library's memchr of some systems goes a byte
  // at a time.
  const uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull, pattern = ones * c;
  while (p < end && (reinterpret_cast<uintptr_t>(p) & 7) != 0) {
    if (static_cast<unsigned char>(*p) == c) return p;
    ++p;
  }
  for (; end - p >= 8; p += 8) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    w ^= pattern;
    if (((w - ones) & ~w & highs) != 0) break;
  }
  for (; p < end; ++p)
    if (static_cast<unsigned char>(*p) == c) return p;
  return end;
#endif
}

}  // namespace

const char* FindBytes(const char* begin, const char* end, std::string_view needle) {
  const size_t n = needle.size();
  if (n == 0) return begin;
  if (static_cast<size_t>(end - begin) < n) return end;
  size_t rare = 0;
  for (size_t i = 1; i < n; ++i)
    if (Commonness(static_cast<unsigned char>(needle[i])) < Commonness(static_cast<unsigned char>(needle[rare])))
      rare = i;
  const unsigned char key = static_cast<unsigned char>(needle[rare]);
  const char* last = end - n;  // the last place a match can start
  for (const char* p = begin; p <= last;) {
    const char* hit = FindByte(p + rare, last + rare + 1, key);
    if (hit > last + rare) break;
    const char* start = hit - rare;
    if (std::memcmp(start, needle.data(), n) == 0) return start;
    p = start + 1;
  }
  return end;
}

NamePattern::NamePattern(std::string_view text) {
  // The engine reads the text as a C string: it ends at a zero byte.
  text = text.substr(0, text.find('\0'));
  const std::string folded = text::Folded(text);
  Piece piece;
  auto endPiece = [&] {
    if (!piece.empty()) pieces_.push_back(std::move(piece));
    piece.clear();
  };
  for (char c : folded) {
    if (c == '%') {
      endPiece();
    } else if (c == '_') {
      piece.push_back(Token{true, {}});
    } else {
      if (piece.empty() || piece.back().any) piece.push_back(Token{});
      piece.back().literal += c;
    }
  }
  endPiece();
  for (const Piece& p : pieces_)
    for (const Token& t : p)
      if (t.literal.size() > anchor_.size()) anchor_ = t.literal;
}

size_t NamePattern::MatchAt(const Piece& piece, std::string_view s, size_t pos) {
  for (const Token& t : piece) {
    if (t.any) {
      if (pos >= s.size()) return npos;
      pos += text::FoldedCharLength(s, pos);
    } else {
      if (s.compare(pos, t.literal.size(), t.literal) != 0) return npos;
      pos += t.literal.size();
    }
  }
  return pos;
}

// The leftmost match of the piece at or after `from`. Between two "%" the
// leftmost match of each piece in turn is the one to take: any match further
// right leaves less room for the pieces that follow.
size_t NamePattern::Find(const Piece& piece, std::string_view s, size_t from, size_t& end) {
  const Token& first = piece.front();
  if (!first.any) {
    for (size_t p = s.find(first.literal, from); p != npos; p = s.find(first.literal, p + 1))
      if ((end = MatchAt(piece, s, p)) != npos) return p;
    return npos;
  }
  for (size_t p = from; p < s.size(); p += text::FoldedCharLength(s, p))
    if ((end = MatchAt(piece, s, p)) != npos) return p;
  return npos;
}

bool NamePattern::Matches(std::string_view s) const {
  size_t pos = 0;
  for (const Piece& piece : pieces_) {
    size_t end = 0;
    if (Find(piece, s, pos, end) == npos) return false;
    pos = end;
  }
  return true;
}

}  // namespace catalog
