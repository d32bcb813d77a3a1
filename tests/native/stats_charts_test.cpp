// The statistics charts' arithmetic (axis steps a reader can read, the
// used and free space of a disk, the undated files' column) and the PNG
// pictures read back.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/chart_model.h"
#include "stats/png_file.h"
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb_image.h>
#pragma GCC diagnostic pop

using stats::ScaleFor;

TEST(StatsCharts, AxisStepsCoverTheLargestValueInFewReadableSteps) {
  for (bool bytes : {false, true})
    for (double largest : {0.5, 1.0, 7.0, 10.0, 99.0, 1000.0, 1023.0, 1024.0, 1025.0, 3.7e6, 4.3e9, 1e12, 5e15}) {
      for (int maxTicks : {1, 4, 5, 8}) {
        const stats::AxisScale s = ScaleFor(largest, maxTicks, bytes);
        SCOPED_TRACE(testing::Message() << largest << " " << maxTicks << " " << bytes);
        EXPECT_GE(s.step * s.ticks, largest * (1 - 1e-12));
        EXPECT_LE(s.ticks, maxTicks);
        EXPECT_LT(s.step * (s.ticks - 1), largest);  // no empty step at the end
        // A step is 1, 2 or 5 times a power of ten, or a power of two of bytes.
        const double base = bytes ? 1024 : 10;
        double mantissa = s.step;
        while (mantissa >= base) mantissa /= base;
        while (mantissa < 1) mantissa *= base;
        if (bytes)
          EXPECT_EQ(std::exp2(std::round(std::log2(mantissa))), mantissa);
        else
          EXPECT_TRUE(mantissa == 1 || mantissa == 2 || mantissa == 5) << mantissa;
      }
    }
  EXPECT_EQ(stats::TickText(1536.0 * 1024 * 1024, true), "1.5 GB");
  EXPECT_EQ(stats::TickText(256.0 * 1024 * 1024, true), "256 MB");
  EXPECT_EQ(stats::TickText(12000, false), "12,000");
  EXPECT_EQ(stats::GroupedNumber(-1234567), "-1,234,567");
}

TEST(StatsCharts, DiskSpaceFromTheVolumeWhenKnownElseTheEntries) {
  const std::vector<stats::DiskSpace> disks = {{"CD_1", 600, 1000, 300}, {"OLD", 600, 0, 0}, {"BAD", 600, 1000, 2000}};
  const stats::Chart c = stats::SnapshotSpaceChart(disks);
  ASSERT_EQ(c.bars.size(), 3u);
  EXPECT_EQ(c.bars[0].value, 700);  // the disk's size less its free space
  EXPECT_EQ(c.bars[0].extra, 300);
  EXPECT_EQ(c.bars[1].value, 600);  // no volume figures: the entries' bytes
  EXPECT_EQ(c.bars[1].extra, 0);
  EXPECT_EQ(c.bars[2].value, 600);  // free space above the size is not believed
  EXPECT_EQ(c.Largest(), 1000);
}

TEST(StatsCharts, YearsThenTheUndatedFilesAndEveryCategory) {
  stats::CatalogStatistics s;
  s.years = {{2003, 5, 50}, {2019, 7, 70}};
  s.undated = {3, 30};
  s.categories[2] = {4, 4096};
  const stats::Chart years = stats::YearChart(s);
  ASSERT_EQ(years.bars.size(), 3u);
  EXPECT_EQ(years.bars[1].label, "2019");
  EXPECT_EQ(years.bars[2].label, "未知");
  EXPECT_EQ(years.bars[2].value, 3);
  const stats::Chart kinds = stats::CategoryChart(s);
  ASSERT_EQ(kinds.bars.size(), static_cast<size_t>(catalog::kFileCategoryCount));
  EXPECT_EQ(kinds.bars[2].label, "视频");
  EXPECT_EQ(kinds.bars[2].text, "4 KB（4 个）");
}

TEST(StatsPng, PixelsReadBackWithTheirSizeAndColours) {
  const int w = 37, h = 11;
  std::vector<uint32_t> pixels(w * h);
  for (int i = 0; i < w * h; ++i) pixels[i] = 0xFF000000u | (static_cast<uint32_t>(i) * 2654435761u >> 8);
  const std::string png = stats::EncodePng(pixels.data(), w, h);
  ASSERT_FALSE(png.empty());
  int rw = 0, rh = 0, channels = 0;
  unsigned char* back = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(png.data()),
                                              static_cast<int>(png.size()), &rw, &rh, &channels, 3);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(rw, w);
  EXPECT_EQ(rh, h);
  for (int i = 0; i < w * h; ++i) {
    const uint32_t p = pixels[i];
    ASSERT_EQ(back[i * 3], (p >> 16) & 0xFF) << i;
    ASSERT_EQ(back[i * 3 + 1], (p >> 8) & 0xFF) << i;
    ASSERT_EQ(back[i * 3 + 2], p & 0xFF) << i;
  }
  stbi_image_free(back);
  EXPECT_TRUE(stats::EncodePng(pixels.data(), 0, 5).empty());
}
