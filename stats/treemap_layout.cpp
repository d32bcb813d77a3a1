#include "stats/treemap_layout.h"

#include <cmath>

#include "stats/squarify.h"

namespace stats {
namespace {

// A ridge over [lo, hi) added to the coefficients: a parabola falling to
// its edges with slope 4h there whatever its width, so that small and
// large rectangles look alike (the height grows with the width).
void AddRidge(float& a, float& b, int lo, int hi, double h) {
  const double w = hi - lo;
  a = static_cast<float>(a - 4 * h / w);
  b = static_cast<float>(b + 4 * h * (lo + hi) / w);
}

}  // namespace

PixelRect ContentRect(const PixelRect& r, const TreemapOptions& o) {
  PixelRect c{r.x0 + o.frame, r.y0 + o.frame, r.x1 - o.frame, r.y1 - o.frame};
  if (c.Width() >= o.headerMinWidth && c.Height() >= o.headerMinHeight) c.y0 += o.header;
  return c;
}

size_t TreemapLayout::HitTest(int x, int y) const {
  if (rects.empty() || !rects[0].rect.Contains(x, y)) return kNone;
  size_t at = 0;
  for (;;) {
    const PlacedRect& p = rects[at];
    size_t next = kNone;
    for (size_t k = p.firstChild; k < p.firstChild + p.children;) {
      const PlacedRect& r = rects[k];
      const bool inBand = r.columnRow ? x >= r.rect.x0 && x < r.rect.x1 : y >= r.rect.y0 && y < r.rect.y1;
      if (!inBand) {
        k = r.rowEnd;
        continue;
      }
      if (r.rect.Contains(x, y)) {
        next = k;
        break;
      }
      ++k;
    }
    if (next == kNone) return at;
    at = next;
  }
}

TreemapLayout LayoutTreemap(const SpaceTree& tree, uint32_t root, const PixelRect& area,
                            const TreemapOptions& options) {
  TreemapLayout layout;
  layout.options = options;
  if (area.Empty() || root >= tree.Size() || tree.Bytes(root) <= 0) return layout;
  PlacedRect top;
  top.node = root;
  top.rect = area;
  AddRidge(top.ax, top.bx, area.x0, area.x1, options.cushionHeight);
  AddRidge(top.ay, top.by, area.y0, area.y1, options.cushionHeight);
  layout.rects.push_back(top);
  std::vector<EdgeRect> placed;
  std::vector<SquarifiedRow> rows;
  std::vector<int64_t> rest;
  // Breadth first: each rectangle's children are appended as one block.
  for (size_t k = 0; k < layout.rects.size(); ++k) {
    const PlacedRect parent = layout.rects[k];
    if (!tree.IsFolder(parent.node)) continue;
    const PixelRect content = ContentRect(parent.rect, options);
    if (content.Empty()) continue;
    std::span<const int64_t> sizes = tree.ChildSizes(parent.node);
    size_t n = sizes.size();
    while (n > 0 && sizes[n - 1] <= 0) --n;  // largest first: those of no bytes are at the end
    if (n == 0) continue;
    placed.clear();
    rows.clear();
    const EdgeRect room{double(content.x0), double(content.y0), double(content.x1), double(content.y1)};
    // The children too small to show: their bytes as one last piece that
    // keeps its room but is not placed, so the others keep their shares.
    size_t shown = n;
    if (options.minArea > 0) {
      const double perByte = double(content.Width()) * content.Height() / double(tree.Bytes(parent.node));
      while (shown > 0 && double(sizes[shown - 1]) * perByte < options.minArea) --shown;
    }
    if (shown < n) {
      if (shown == 0) continue;
      rest.assign(sizes.begin(), sizes.begin() + static_cast<ptrdiff_t>(shown));
      int64_t restBytes = 0;
      for (size_t j = shown; j < n; ++j) restBytes += sizes[j];
      rest.push_back(restBytes);
      Squarify(rest, room, placed, &rows);
    } else {
      Squarify(sizes.first(n), room, placed, &rows);
    }
    const double h = options.cushionHeight * std::pow(options.cushionFalloff, parent.depth + 1);
    const auto first = static_cast<uint32_t>(layout.rects.size());
    for (const SquarifiedRow& row : rows) {
      const size_t rowStart = layout.rects.size();
      for (size_t j = row.first; j < row.first + row.count; ++j) {
        if (j >= shown) continue;  // the piece of the children too small to show
        const EdgeRect& e = placed[j];
        const PixelRect r{static_cast<int>(std::lround(e.x0)), static_cast<int>(std::lround(e.y0)),
                          static_cast<int>(std::lround(e.x1)), static_cast<int>(std::lround(e.y1))};
        if (r.Empty()) continue;  // less than a pixel
        PlacedRect child;
        child.node = tree.FirstChild(parent.node) + static_cast<uint32_t>(j);
        child.depth = static_cast<uint16_t>(parent.depth + 1);
        child.columnRow = row.vertical;
        child.rect = r;
        child.ax = parent.ax;
        child.bx = parent.bx;
        child.ay = parent.ay;
        child.by = parent.by;
        AddRidge(child.ax, child.bx, r.x0, r.x1, h);
        AddRidge(child.ay, child.by, r.y0, r.y1, h);
        layout.rects.push_back(child);
      }
      const auto end = static_cast<uint32_t>(layout.rects.size());
      for (size_t c = rowStart; c < end; ++c) layout.rects[c].rowEnd = end;
    }
    layout.rects[k].firstChild = first;
    layout.rects[k].children = static_cast<uint32_t>(layout.rects.size()) - first;
  }
  return layout;
}

}  // namespace stats
