#include "stats/chart_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace stats {

double Chart::Largest() const {
  double most = 0;
  for (const ChartBar& b : bars) most = std::max(most, b.value + b.extra);
  return most;
}

AxisScale ScaleFor(double largest, int maxTicks, bool bytes) {
  maxTicks = std::max(1, maxTicks);
  AxisScale s;
  if (!(largest > 0)) return s;
  const double base = bytes ? 1024.0 : 10.0;
  // The smallest step of the series that needs no more than maxTicks.
  const double raw = largest / maxTicks;
  double power = 1;
  while (power * base <= raw) power *= base;
  const double factors10[] = {1, 2, 5, 10};
  const double factors1024[] = {1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024};
  const double* f = bytes ? factors1024 : factors10;
  const int n = bytes ? 11 : 4;
  for (int i = 0; i < n; ++i)
    if (power * f[i] >= raw) {
      s.step = power * f[i];
      break;
    }
  s.ticks = std::max(1, static_cast<int>(std::ceil(largest / s.step - 1e-9)));
  return s;
}

std::string TickText(double value, bool bytes) {
  if (!bytes) return GroupedNumber(static_cast<int64_t>(std::llround(value)));
  static const char* const kUnits[] = {"B", "KB", "MB", "GB", "TB", "PB"};
  int unit = 0;
  while (value >= 1024 && unit < 5) value /= 1024, ++unit;
  char buf[32];
  if (value == std::floor(value))
    std::snprintf(buf, sizeof buf, "%.0f %s", value, kUnits[unit]);
  else
    std::snprintf(buf, sizeof buf, "%.1f %s", value, kUnits[unit]);
  return buf;
}

Chart SnapshotSpaceChart(const std::vector<DiskSpace>& disks) {
  Chart c;
  c.title = "各快照的空间（深色：已用，浅色：可用）";
  c.bytes = true;
  for (const DiskSpace& d : disks) {
    ChartBar b;
    b.label = d.label;
    const bool known = d.totalBytes > 0 && d.freeBytes >= 0 && d.freeBytes <= d.totalBytes;
    const int64_t used = known ? d.totalBytes - d.freeBytes : d.entriesBytes;
    b.value = static_cast<double>(used);
    b.extra = known ? static_cast<double>(d.freeBytes) : 0;
    b.text = TickText(static_cast<double>(used), true) + " 已用";
    if (known) b.text += "，" + TickText(static_cast<double>(d.freeBytes), true) + " 可用";
    c.bars.push_back(std::move(b));
  }
  return c;
}

Chart CategoryChart(const CatalogStatistics& s) {
  Chart c;
  c.title = "各类文件的大小";
  c.bytes = true;
  for (int k = 0; k < catalog::kFileCategoryCount; ++k) {
    const Tally& t = s.categories[static_cast<size_t>(k)];
    ChartBar b;
    b.label = catalog::CategoryName(static_cast<catalog::FileCategory>(k));
    b.value = static_cast<double>(t.bytes);
    b.text = TickText(static_cast<double>(t.bytes), true) + "（" + GroupedNumber(t.files) + " 个）";
    c.bars.push_back(std::move(b));
  }
  return c;
}

Chart YearChart(const CatalogStatistics& s) {
  Chart c;
  c.title = "按修改年份的文件数";
  c.kind = ChartKind::Columns;
  for (const YearTally& y : s.years) {
    ChartBar b;
    b.label = std::to_string(y.year);
    b.value = static_cast<double>(y.files);
    b.text = GroupedNumber(y.files);
    c.bars.push_back(std::move(b));
  }
  if (s.undated.files > 0) {
    ChartBar b;
    b.label = "未知";
    b.value = static_cast<double>(s.undated.files);
    b.text = GroupedNumber(s.undated.files);
    c.bars.push_back(std::move(b));
  }
  return c;
}

}  // namespace stats
