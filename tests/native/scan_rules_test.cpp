// Capacities, the gauge, and the label and memo rules.
#include <gtest/gtest.h>

#include "create/message_pacer.h"
#include "create/scan_rules.h"
#include "platform/ini.h"
#include "platform/text.h"

using namespace create;

TEST(ScanRulesTest, CapacityArithmetic) {
  EXPECT_EQ(DiskSizeKBFromBytes(10737418240ull), 10485760);
  EXPECT_EQ(TotalMFromKB(DiskSizeKBFromBytes(10737418240ull)), 10240);
  EXPECT_EQ(DiskSizeKBFromBytes(1023), 0);  // under 1 KB: refused as empty
  EXPECT_EQ(DiskSizeKBFromBytes(1024), 1);
  EXPECT_EQ(TotalMFromKB(1023), 0);
  EXPECT_EQ(TotalMFromKB(1048575), 1023);
  // 16 TiB and beyond stay exact in 64 bits.
  EXPECT_EQ(TotalMFromKB(DiskSizeKBFromBytes(17592186044416ull)), 16777216);
}

TEST(ScanRulesTest, GaugeShareAndClamping) {
  EXPECT_EQ(GaugeAfterTick(0, 370, 1000), 37);
  EXPECT_EQ(GaugeAfterTick(0, 999, 1000), 99);  // truncated
  EXPECT_EQ(GaugeAfterTick(5, 0, 1000), 0);
  EXPECT_EQ(GaugeAfterTick(40, 5000, 1000), 100);  // more than the capacity
  EXPECT_EQ(GaugeAfterTick(40, -5, 1000), 0);
  // A disk of 100 KB or less leaves the gauge as it is.
  EXPECT_EQ(GaugeAfterTick(7, 50, 100), 7);
  EXPECT_EQ(GaugeAfterTick(7, 50, 0), 7);
  // Large capacities: the product stays within 64 bits.
  int64_t pb = int64_t(1) << 50;  // KB
  EXPECT_EQ(GaugeAfterTick(0, pb / 2, pb), 50);
}

TEST(ScanRulesTest, LabelCleaning) {
  EXPECT_EQ(CleanLabelText("a[b]\\c"), "ABC");
  EXPECT_EQ(CleanLabelText("备份[一]"), "备份一");
  EXPECT_EQ(CleanLabelText("x\\\\y"), "XY");
  EXPECT_EQ(LabelFromField("  BACKUP  "), "BACKUP");
  EXPECT_EQ(LabelFromField("   "), "");
}

TEST(ScanRulesTest, FitToLimitCutsWhatWasInserted) {
  // Under the limit: unchanged, caret at the end.
  FittedText t = FitToLimit("AB", "ABC", 40);
  EXPECT_EQ(t.text, "ABC");
  EXPECT_EQ(t.caret, 3u);
  // Exactly at the limit: taken whole, caret at its end, nothing cut.
  std::string exact = std::string(20, 'A') + "汉" + std::string(18, 'Z');
  t = FitToLimit(std::string(20, 'A') + std::string(18, 'Z'), exact, 40);
  EXPECT_EQ(t.text, exact);
  EXPECT_EQ(t.caret, exact.size());
  // A paste in the middle is cut so that the whole holds 40 GBK bytes.
  std::string before = std::string(18, 'A') + std::string(18, 'Z');  // 36 bytes
  std::string after = std::string(18, 'A') + "汉字汉字" + std::string(18, 'Z');
  t = FitToLimit(before, after, 40);
  EXPECT_EQ(t.text, std::string(18, 'A') + "汉字" + std::string(18, 'Z'));
  EXPECT_EQ(t.caret, 18 + std::string("汉字").size());
  EXPECT_EQ(text::GbByteLength(t.text), 40u);
  // A character is never split: one byte left, a Chinese character needs two.
  before = std::string(39, 'A');
  t = FitToLimit(before, before + "汉", 40);
  EXPECT_EQ(t.text, before);
  // A replacement of a selection: what stays on both sides is kept.
  t = FitToLimit(std::string(40, 'A'), std::string(20, 'A') + std::string(30, 'B') + std::string(10, 'A'), 40);
  EXPECT_EQ(t.text, std::string(20, 'A') + std::string(10, 'B') + std::string(10, 'A'));
  // Inserting a character equal to its neighbours (prefix and suffix overlap).
  t = FitToLimit(std::string(40, 'A'), std::string(41, 'A'), 40);
  EXPECT_EQ(t.text, std::string(40, 'A'));
  // Shared bytes inside a multi-byte character do not split it: 汊 and 汉
  // share their first two UTF-8 bytes.
  t = FitToLimit("汉", "汊汉", 2);
  EXPECT_EQ(t.text, "汉");
  // Text over the limit to begin with is cut at the end.
  t = FitToLimit(std::string(50, 'A'), std::string(51, 'A'), 40);
  EXPECT_EQ(t.text, std::string(40, 'A'));
  // A character outside GBK takes four GB18030 bytes.
  t = FitToLimit(std::string(36, 'A'), std::string(36, 'A') + "😀😀", 40);
  EXPECT_EQ(t.text, std::string(36, 'A') + "😀");
}

// On for a new user; a settings file from before the option keeps it off;
// a kept choice wins either way.
TEST(ScanRulesTest, ArchivesOptionByTheSettingsFilesAge) {
  EXPECT_TRUE(ListArchivesSetting(ini::IniFile::FromText("")));
  EXPECT_FALSE(ListArchivesSetting(ini::IniFile::FromText("[AutoCD]\r\nAutoCD=0\r\n")));
  EXPECT_TRUE(ListArchivesSetting(ini::IniFile::FromText("[AutoCD]\r\nAutoCD=0\r\n[Create]\r\nArchives=1\r\n")));
  EXPECT_FALSE(ListArchivesSetting(ini::IniFile::FromText("[Create]\r\nArchives=0\r\n")));
}

TEST(MessagePacerTest, PassesRequestsOnAtMostOncePerInterval) {
  uint64_t now = 1000;
  int calls = 0;
  create::MessagePacer pace([&] { ++calls; }, [&] { return now; }, 10);
  pace();  // the first request always goes through
  pace();
  EXPECT_EQ(calls, 1);
  now += 9;
  pace();
  EXPECT_EQ(calls, 1);
  now += 1;
  pace();
  EXPECT_EQ(calls, 2);
  create::MessagePacer every([&] { ++calls; }, [&] { return now; }, 0);
  every();
  every();
  EXPECT_EQ(calls, 4);
}
