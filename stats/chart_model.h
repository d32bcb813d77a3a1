// The statistics window's three charts as data: for each bar its label, its
// value (and a second value drawn after it: a disk's free space), and the
// text shown beside it; and the scale of the value axis, rounded to steps a
// reader can read (1, 2 or 5 times a power of ten, of bytes in 1024s). Kept
// apart from the drawing so that the arithmetic is tested natively.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "browse/entry_texts.h"
#include "stats/catalog_statistics.h"

namespace stats {

struct ChartBar {
  std::string label;
  double value = 0;
  double extra = 0;  // drawn after the value, paler (free space)
  std::string text;  // beside the bar
};

enum class ChartKind { HorizontalBars, Columns };

struct Chart {
  std::string title;
  ChartKind kind = ChartKind::HorizontalBars;
  bool bytes = false;  // the axis in bytes
  std::vector<ChartBar> bars;
  double Largest() const;  // value + extra, over the bars
};

struct AxisScale {
  double step = 1;  // between two ticks
  int ticks = 1;    // the last tick, step * ticks, is at least the largest value
};
// At most `maxTicks` steps; for bytes the steps are powers of 1024 times 1,
// 2 or 5 ... up to 512 (so that the ticks read "256 MB", "1 GB").
AxisScale ScaleFor(double largest, int maxTicks, bool bytes);
// A tick's text: "1.5 GB" for bytes, "12,000" for counts.
std::string TickText(double value, bool bytes);

// What a snapshot's disk holds: used (the entries' bytes, or the disk's
// size less its free space when known) and free space.
struct DiskSpace {
  std::string label;
  int64_t entriesBytes = 0;
  int64_t totalBytes = 0;  // 0: not known
  int64_t freeBytes = 0;
};

Chart SnapshotSpaceChart(const std::vector<DiskSpace>& disks);
Chart CategoryChart(const CatalogStatistics& s);
// Files by year; the files without a date as a last column "未知".
Chart YearChart(const CatalogStatistics& s);

// "12,345".
using browse::GroupedNumber;

}  // namespace stats
