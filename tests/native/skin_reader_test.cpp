// The archive reader: version check, names without regard to case, and
// refusal of archives whose counts and sizes do not add up.
#include <gtest/gtest.h>

#include "skin/archive/skin_read.h"
#include "skin_test_support.h"

namespace {

using skin::TSkinReader;
using skintest::MessageRecorder;

std::string RawArchive(int32_t version, const std::string& names, const std::vector<int32_t>& sizes,
                       const std::string& bytes) {
  std::string a;
  skin::AppendLE32(a, static_cast<uint32_t>(version));
  skin::AppendLE32(a, static_cast<uint32_t>(names.size()));
  skin::AppendLE32(a, 0);
  skin::AppendLE32(a, 0);
  a += names;
  for (int32_t s : sizes) skin::AppendLE32(a, static_cast<uint32_t>(s));
  return skin::PackStoredSkin(a + bytes);
}

TEST(SkinReader, ServesEntriesByNameWithoutRegardToCase) {
  TSkinReader reader;
  ASSERT_TRUE(reader.Open(skin::PackStoredSkin(
      skin::BuildArchive({{"Skin.INI", "[a]"}, {"Close.bmp", "CLOSE"}, {"empty.bmp", ""}}))));
  EXPECT_EQ(reader.Count(), 3);
  EXPECT_EQ(reader.Names()[0], "skin.ini");
  std::string out = "stale";
  reader.GetEntry("CLOSE.BMP", out);
  EXPECT_EQ(out, "CLOSE");
  reader.GetEntry("missing.bmp", out);
  EXPECT_TRUE(out.empty());
  std::string name = "unchanged";
  EXPECT_TRUE(reader.FindEntry(".ini", out, name));
  EXPECT_EQ(name, "skin.ini");
  EXPECT_EQ(out, "[a]");
  name = "unchanged";
  EXPECT_FALSE(reader.FindEntry(".INI", out, name));  // the text itself is not lower-cased
  EXPECT_EQ(name, "unchanged");
  EXPECT_TRUE(out.empty());
}

TEST(SkinReader, NameLinesFollowStringListRules) {
  EXPECT_EQ(skin::SplitNameLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(skin::SplitNameLines("a\r\n"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(skin::SplitNameLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(skin::SplitNameLines("").empty());
  TSkinReader reader;
  ASSERT_TRUE(reader.Open(RawArchive(20000, "one\r\ntwo", {2, 3}, "11222")));  // last line without CR LF
  std::string out;
  reader.GetEntry("two", out);
  EXPECT_EQ(out, "222");
}

TEST(SkinReader, OlderVersionsAndEmptySkinsShowTheOlderSkinMessage) {
  for (const std::string& stored : {std::string(4, '\0'), RawArchive(19999, "", {}, ""), std::string()}) {
    MessageRecorder recorder;
    TSkinReader reader;
    EXPECT_FALSE(reader.Open(stored));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], "This is Older Skin File\rPlease update to new version !");
    EXPECT_EQ(reader.Count(), 0);
  }
}

TEST(SkinReader, RefusesArchivesWhoseCountsDoNotAddUp) {
  std::string manyNames;
  for (int i = 0; i < 1002; ++i) manyNames += "n" + std::to_string(i) + "\r\n";
  std::vector<std::string> damaged = {
      RawArchive(20000, "a\r\nb", {1}, "x"),               // a name without a size
      RawArchive(20000, "a", {100}, "short"),              // entry past the end
      RawArchive(20000, "a\r\nb", {-1, 2}, "xyz"),         // negative size
      RawArchive(20000, "a\r\nb", {0x7FFFFFFF, 0x7FFFFFFF}, "x"),  // sizes whose sum overflows 32 bits
      RawArchive(20000, manyNames, std::vector<int32_t>(1002, 0), ""),
  };
  for (const auto& stored : damaged) {
    MessageRecorder recorder;
    TSkinReader reader;
    EXPECT_FALSE(reader.Open(stored));
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_NE(recorder.messages[0].find("damaged"), std::string::npos) << recorder.messages[0];
    EXPECT_EQ(reader.Count(), 0);
  }
  // A name length beyond the archive.
  std::string a;
  for (uint32_t v : {20000u, 1000u, 0u, 0u}) skin::AppendLE32(a, v);
  std::string error;
  EXPECT_EQ(TSkinReader().OpenQuietly(skin::PackStoredSkin(a + "abc"), error), TSkinReader::OpenResult::kDamaged);
  // 1001 entries are still taken.
  std::string names;
  for (int i = 0; i < 1001; ++i) names += "e" + std::to_string(i) + "\r\n";
  TSkinReader reader;
  EXPECT_TRUE(reader.Open(RawArchive(20000, names, std::vector<int32_t>(1001, 0), "")));
  EXPECT_EQ(reader.Count(), 1001);
}

}  // namespace
