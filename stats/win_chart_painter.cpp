#include "stats/win_chart_painter.h"

#include <algorithm>

#include "ui/font.h"
#include "ui/gdi.h"
#include "ui/wide.h"

namespace stats {
namespace {

constexpr int kTitle = 20, kRow = 18, kAxis = 16, kGap = 4;

void Text(HDC dc, const std::string& s, RECT r, UINT format, COLORREF colour) {
  SetTextColor(dc, colour);
  const std::wstring w = ui::Wide(s);
  DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &r, format | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void Fill(HDC dc, RECT r, COLORREF colour) { FillRect(dc, &r, ui::SolidBrush(colour)); }

int TextWidth(HDC dc, const std::string& s) {
  const std::wstring w = ui::Wide(s);
  SIZE size{};
  GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
  return size.cx;
}

}  // namespace

int HorizontalChartHeight(size_t bars) { return kTitle + static_cast<int>(bars) * kRow + kAxis + kGap; }

void DrawChart(HDC dc, const RECT& area, const Chart& chart, const ChartColours& c, const COLORREF* barColours) {
  SetBkMode(dc, TRANSPARENT);
  RECT title{area.left, area.top, area.right, area.top + kTitle};
  Text(dc, chart.title, title, DT_LEFT | DT_VCENTER, c.title);
  const AxisScale scale = ScaleFor(chart.Largest(), 5, chart.bytes);
  const double axisMax = scale.step * scale.ticks;
  if (chart.bars.empty()) {
    RECT none{area.left, title.bottom, area.right, title.bottom + kRow};
    Text(dc, "（没有文件）", none, DT_LEFT | DT_VCENTER, c.text);
    return;
  }
  if (chart.kind == ChartKind::HorizontalBars) {
    int labelWidth = 0, textWidth = 0;
    for (const ChartBar& b : chart.bars) {
      labelWidth = std::max(labelWidth, TextWidth(dc, b.label));
      textWidth = std::max(textWidth, TextWidth(dc, b.text));
    }
    labelWidth = std::min<int>(labelWidth + 8, (area.right - area.left) / 4);
    const int left = area.left + labelWidth;
    const int right = std::max<int>(left + 20, area.right - textWidth - 8);
    const int top = title.bottom;
    const int bottom = top + static_cast<int>(chart.bars.size()) * kRow;
    auto x = [&](double v) { return left + static_cast<int>((right - left) * (axisMax > 0 ? v / axisMax : 0)); };
    for (int t = 0; t <= scale.ticks; ++t) {
      const int gx = x(scale.step * t);
      Fill(dc, RECT{gx, top, gx + 1, bottom}, c.grid);
      Text(dc, TickText(scale.step * t, chart.bytes), RECT{gx - 40, bottom, gx + 40, bottom + kAxis},
           DT_CENTER | DT_TOP, c.text);
    }
    for (size_t i = 0; i < chart.bars.size(); ++i) {
      const ChartBar& b = chart.bars[i];
      const int y = top + static_cast<int>(i) * kRow;
      Text(dc, b.label, RECT{area.left, y, left - 6, y + kRow}, DT_RIGHT | DT_VCENTER, c.text);
      const int end = x(b.value);
      Fill(dc, RECT{left, y + 3, std::max(end, left + (b.value > 0 ? 1 : 0)), y + kRow - 3},
           barColours ? barColours[i] : c.bar);
      if (b.extra > 0) Fill(dc, RECT{end, y + 3, x(b.value + b.extra), y + kRow - 3}, c.extra);
      Text(dc, b.text, RECT{x(b.value + b.extra) + 6, y, area.right, y + kRow}, DT_LEFT | DT_VCENTER, c.text);
    }
    return;
  }
  // Columns: the value axis up the left, a column a bar, labels below.
  const int axisWidth = 56;
  const int left = area.left + axisWidth, right = area.right - 4;
  const int top = title.bottom + 6, bottom = std::max<int>(top + 20, area.bottom - kAxis - 2);
  auto y = [&](double v) { return bottom - static_cast<int>((bottom - top) * (axisMax > 0 ? v / axisMax : 0)); };
  for (int t = 0; t <= scale.ticks; ++t) {
    const int gy = y(scale.step * t);
    Fill(dc, RECT{left, gy, right, gy + 1}, c.grid);
    Text(dc, TickText(scale.step * t, false), RECT{area.left, gy - 8, left - 4, gy + 8}, DT_RIGHT | DT_VCENTER,
         c.text);
  }
  const int n = static_cast<int>(chart.bars.size());
  // Columns no wider than 48 pixels: a few years do not fill the width.
  const double slot = std::min(48.0, static_cast<double>(right - left) / n);
  // Labels where they fit: every k-th one.
  const int labelRoom = std::max(1, TextWidth(dc, "0000") + 6);
  const int every = std::max(1, static_cast<int>(labelRoom / std::max(1.0, slot)) + 1);
  for (int i = 0; i < n; ++i) {
    const ChartBar& b = chart.bars[static_cast<size_t>(i)];
    const int x0 = left + static_cast<int>(slot * i) + 1;
    const int x1 = std::max(x0 + 1, left + static_cast<int>(slot * (i + 1)) - 1);
    Fill(dc, RECT{x0, y(b.value), x1, bottom}, barColours ? barColours[i] : c.bar);
    if (i % every == 0 || i == n - 1)
      Text(dc, b.label, RECT{(x0 + x1) / 2 - 30, bottom + 1, (x0 + x1) / 2 + 30, bottom + kAxis}, DT_CENTER | DT_TOP,
           c.text);
  }
}

}  // namespace stats
