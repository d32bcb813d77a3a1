#include "stats/squarify.h"

#include <algorithm>

namespace stats {

double RowWorstRatio(double largest, double smallest, double sum, double side) {
  const double side2 = side * side, sum2 = sum * sum;
  return std::max(side2 * largest / sum2, sum2 / (side2 * smallest));
}

void Squarify(std::span<const int64_t> sizes, const EdgeRect& area, std::vector<EdgeRect>& out,
              std::vector<SquarifiedRow>* rows) {
  const size_t n = sizes.size();
  double total = 0;
  for (int64_t s : sizes) total += static_cast<double>(s);
  if (n == 0 || total <= 0) return;
  const double scale = area.Width() * area.Height() / total;
  EdgeRect left = area;  // what the rows so far left free
  size_t i = 0;
  while (i < n) {
    const bool vertical = left.Width() >= left.Height();  // a column along the shorter side, the height
    const double side = vertical ? left.Height() : left.Width();
    const double largest = static_cast<double>(sizes[i]) * scale;
    double sum = largest, worst = RowWorstRatio(largest, largest, sum, side);
    size_t end = i + 1;
    for (; end < n; ++end) {
      const double a = static_cast<double>(sizes[end]) * scale;
      const double w = RowWorstRatio(largest, a, sum + a, side);
      if (w > worst) break;
      sum += a;
      worst = w;
    }
    if (rows) rows->push_back({i, end - i, vertical});
    const bool last = end == n;
    // The row's thickness; the last row takes exactly what is left.
    const double thick = side > 0 ? sum / side : 0;
    const double rowEnd = vertical ? (last ? left.x1 : left.x0 + thick) : (last ? left.y1 : left.y0 + thick);
    double pos = vertical ? left.y0 : left.x0, done = 0;
    for (size_t k = i; k < end; ++k) {
      done += static_cast<double>(sizes[k]) * scale;
      const double next = k + 1 == end ? (vertical ? left.y1 : left.x1)
                                       : (vertical ? left.y0 + side * done / sum : left.x0 + side * done / sum);
      out.push_back(vertical ? EdgeRect{left.x0, pos, rowEnd, next} : EdgeRect{pos, left.y0, next, rowEnd});
      pos = next;
    }
    if (vertical)
      left.x0 = rowEnd;
    else
      left.y0 = rowEnd;
    i = end;
  }
}

}  // namespace stats
