// The space map's layout: a node of the space tree laid into a rectangle of
// pixels as a squarified treemap, each folder's children into the folder's
// rectangle less its frame and name strip, down to rectangles of less than
// a pixel. Files of no bytes and empty folders take no area.
//
// The result is one flat list for painting and hit testing: the root
// first, then each placed folder's children as one block, breadth first,
// so a parent is always painted before its children and a point is found
// by walking down from the root through the blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "stats/space_tree.h"

namespace stats {

// Pixels [x0, x1) x [y0, y1).
struct PixelRect {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  int Width() const { return x1 - x0; }
  int Height() const { return y1 - y0; }
  bool Empty() const { return x1 <= x0 || y1 <= y0; }
  bool Contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

struct TreemapOptions {
  int frame = 1;      // a folder's frame, on each side
  int header = 14;    // the strip above a folder's children that shows its name...
  int headerMinWidth = 48, headerMinHeight = 40;  // ...where the folder has this room inside its frame
  // Cushions (van Wijk and van de Wetering): the ridge height of the
  // root's level and the factor each level down takes of it.
  double cushionHeight = 0.5, cushionFalloff = 0.75;
  // Children whose share of their folder's room is less than this many
  // square pixels are not laid out one by one: they keep their share as
  // one piece of the folder's own cushion (0: every child is laid out, and
  // those under a pixel are dropped after). A window asks for a few pixels:
  // the layout then costs the files that show, not all the files.
  double minArea = 0;
};

struct PlacedRect {
  uint32_t node = 0;
  uint16_t depth = 0;         // 0 for the root
  // The squarified row it lies in within its block is a column (all of it
  // shares x0 and x1) or a strip (y0 and y1); rowEnd is the first placed
  // rectangle after that row. A point outside the row's band skips it.
  bool columnRow = false;
  uint32_t rowEnd = 0;
  uint32_t firstChild = 0;    // its children's block in the list
  uint32_t children = 0;
  PixelRect rect;
  // The cushion's surface z = ax x^2 + bx x + ay y^2 + by y over pixel
  // coordinates, the ridges of this rectangle and all above it summed.
  float ax = 0, bx = 0, ay = 0, by = 0;
};

struct TreemapLayout {
  std::vector<PlacedRect> rects;
  TreemapOptions options;  // those it was laid out with
  static constexpr size_t kNone = SIZE_MAX;
  // The deepest rectangle holding the pixel, or kNone.
  size_t HitTest(int x, int y) const;
};

// Where a folder placed at `r` lays its children: inside the frame and
// below the name strip where there is room for one.
PixelRect ContentRect(const PixelRect& r, const TreemapOptions& options);

TreemapLayout LayoutTreemap(const SpaceTree& tree, uint32_t root, const PixelRect& area,
                            const TreemapOptions& options = {});

}  // namespace stats
