// The stored-skin compression: round trips through our encoder, vectors
// worked out from the algorithm by hand, and refusal of damaged streams.
#include <gtest/gtest.h>

#include <random>

#include "skin/archive/lzh.h"
#include "skin/archive/stored_skin.h"

namespace {

using skin::PackStoredSkin;
using skin::UnpackStoredSkin;

std::string RoundTrip(const std::string& data) {
  std::string archive, error;
  EXPECT_TRUE(UnpackStoredSkin(PackStoredSkin(data), archive, error)) << error;
  return archive;
}

std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(gen() & 0xFF);
  return s;
}

TEST(SkinLzh, RoundTripsVariedData) {
  std::vector<std::string> cases = {"", "x", std::string(10000, 'a'), std::string(5000, ' '),
                                    RandomBytes(20000, 1)};
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "[Button" + std::to_string(i % 17) + "]\r\nAction=" + std::to_string(i) + "\r\n";
  cases.push_back(text);
  // Lengths around the ring size and the look-ahead.
  for (size_t n : {59u, 60u, 61u, 4035u, 4036u, 4095u, 4096u, 4097u, 8192u + 61u})
    cases.push_back(RandomBytes(n / 3, static_cast<unsigned>(n)) + std::string(n - n / 3, 'q'));
  for (const auto& c : cases) EXPECT_EQ(RoundTrip(c), c) << "length " << c.size();
}

TEST(SkinLzh, RoundTripsPastTheTreeRebuild) {
  // Over 0x8000 symbols of skewed data forces several rebuilds of the tree.
  std::mt19937 gen(7);
  std::string s;
  for (int i = 0; i < 300000; ++i) s += static_cast<char>("aaaaabbbc\x01\xFE"[gen() % 11]);
  EXPECT_EQ(RoundTrip(s), s);
}

TEST(SkinLzh, KnownVectors) {
  // In the starting tree symbols 0..115 sit nine branches deep and the rest
  // eight: the all-zero path ends at 't' (116) after eight bits, the all-one
  // path at 's' (115) after nine. The last byte is padded with zero bits.
  EXPECT_EQ(PackStoredSkin("t"), std::string("\x01\x00\x00\x00\x00", 5));
  EXPECT_EQ(PackStoredSkin("s"), std::string("\x01\x00\x00\x00\xFF\x80", 6));
  EXPECT_EQ(PackStoredSkin(""), std::string(4, '\0'));
  std::string archive, error;
  ASSERT_TRUE(UnpackStoredSkin(std::string("\x01\x00\x00\x00\x00", 5), archive, error)) << error;
  EXPECT_EQ(archive, "t");
}

TEST(SkinLzh, MatchesAgainstTheSpaceFilledRing) {
  // 60 spaces match the initial ring in full. The match finder keeps the
  // farthest of equal candidates it met last, position 59: length symbol 313
  // (path 11000101), then position prefix 000 and low bits 111011.
  EXPECT_EQ(PackStoredSkin(std::string(60, ' ')), std::string("\x3C\x00\x00\x00\xC5\x1D\x80", 7));
  EXPECT_EQ(RoundTrip(std::string(60, ' ')), std::string(60, ' '));
}

TEST(SkinLzh, RefusesDamagedStreams) {
  std::string archive, error;
  std::string big = PackStoredSkin(std::string(2000, 'z') + "tail" + std::string(3000, 'y'));
  // Negative length.
  EXPECT_FALSE(UnpackStoredSkin(std::string("\xFF\xFF\xFF\xFF\x00", 5), archive, error));
  // A length far beyond what the data can expand to is refused up front.
  EXPECT_FALSE(UnpackStoredSkin(std::string("\x00\x00\x00\x7F\x00\x00", 6), archive, error));
  EXPECT_NE(error.find("more than"), std::string::npos);
  // A cut stream runs out of bits before the stated length.
  EXPECT_FALSE(UnpackStoredSkin(big.substr(0, big.size() / 2), archive, error));
  EXPECT_TRUE(archive.empty());
  // A stream cut inside its last literal: the missing bits are not read as
  // the padding's zeros. "s" takes nine bits, "t" eight.
  std::string s = PackStoredSkin("s");
  EXPECT_FALSE(UnpackStoredSkin(s.substr(0, s.size() - 1), archive, error));
  EXPECT_TRUE(archive.empty());
  std::string t = PackStoredSkin("t");
  EXPECT_FALSE(UnpackStoredSkin(t.substr(0, t.size() - 1), archive, error));
  EXPECT_EQ(error, "compressed data ends early");
  // Shorter than the header: an empty archive.
  EXPECT_TRUE(UnpackStoredSkin("ab", archive, error));
  EXPECT_TRUE(archive.empty());
}

TEST(SkinLzh, CallbacksSeeBlocksAndStopAtTheLength) {
  std::string packed = PackStoredSkin(std::string(100, 'k'));
  size_t pos = 4;
  std::string out;
  lzh::TLZH coder;
  auto result = coder.Decode(
      [&](uint8_t* b, size_t want) {
        size_t n = std::min<size_t>(want, std::min<size_t>(3, packed.size() - pos));  // dribbles 3 bytes at a time
        std::copy(packed.begin() + pos, packed.begin() + pos + n, b);
        pos += n;
        return n;
      },
      [&](const uint8_t* d, size_t n) { out.append(reinterpret_cast<const char*>(d), n); }, 40);
  EXPECT_EQ(result, lzh::DecodeResult::kOk);
  EXPECT_EQ(out, std::string(40, 'k'));
  EXPECT_STREQ(lzh::kNoMemoryMessage, "LZH : Cannot get memory for dictionary tables");
}

}  // namespace
