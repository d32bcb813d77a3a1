// The squarified treemap of Bruls, Huizing and van Wijk for one level:
// areas in descending order laid into a rectangle in rows along its
// shorter side, each row taking items while that lowers its worst aspect
// ratio. Rectangles are kept as edges so that neighbours share the very
// same coordinate and round alike to pixels.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace stats {

struct EdgeRect {
  double x0, y0, x1, y1;
  double Width() const { return x1 - x0; }
  double Height() const { return y1 - y0; }
};

// One row of the layout: items [first, first + count), placed as a column
// at the left of what remained (`vertical`) or a strip along its top.
struct SquarifiedRow {
  size_t first, count;
  bool vertical;
};

// The worst aspect ratio (long side / short side, at least 1) of a row of
// total area `sum` along a side of length `side`, whose largest item has
// area `largest` and smallest `smallest`.
double RowWorstRatio(double largest, double smallest, double sum, double side);

// Lays `sizes` (descending, every one above zero) into `area`, in
// proportion; appends one rectangle per size to `out` and, when given, the
// rows to `rows`.
void Squarify(std::span<const int64_t> sizes, const EdgeRect& area, std::vector<EdgeRect>& out,
              std::vector<SquarifiedRow>* rows = nullptr);

}  // namespace stats
