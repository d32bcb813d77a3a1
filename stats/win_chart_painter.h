// Draws a chart of the statistics (stats/chart_model.h) with GDI into a
// rectangle: its title, the value axis with its ticks, and the bars, each
// with its label and text. Horizontal bars put the labels left of them;
// columns put them below.
#pragma once

#include <windows.h>

#include <cstdint>

#include "stats/chart_model.h"

namespace stats {

struct ChartColours {
  COLORREF bar = RGB(70, 120, 200), extra = RGB(190, 210, 240), text = RGB(0, 0, 0), grid = RGB(220, 220, 220),
           title = RGB(0, 0, 128);
};

// `colours`: one for each bar when given (the categories' colours), else
// `c.bar` for all.
void DrawChart(HDC dc, const RECT& area, const Chart& chart, const ChartColours& c = {},
               const COLORREF* barColours = nullptr);

// The GDI colour of a painter's 0xAARRGGBB colour (stats/treemap_paint.h).
inline COLORREF ColourOf(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

// The height a chart of `bars` horizontal bars wants.
int HorizontalChartHeight(size_t bars);

}  // namespace stats
