#include "stats/treemap_paint.h"

#include <algorithm>
#include <cmath>

namespace stats {
namespace {

uint32_t Scaled(uint32_t argb, double k) {
  auto part = [&](int shift) {
    const double v = ((argb >> shift) & 0xFF) * k;
    return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0) + 0.5) << shift;
  };
  return (argb & 0xFF000000u) | part(16) | part(8) | part(0);
}

struct Clip {
  int x0, y0, x1, y1;
};

Clip ClipOf(const PixelRect& r, int width, int height) {
  return {std::max(r.x0, 0), std::max(r.y0, 0), std::min(r.x1, width), std::min(r.y1, height)};
}

void Fill(uint32_t* pixels, int stride, const Clip& c, uint32_t colour) {
  for (int y = c.y0; y < c.y1; ++y) std::fill(pixels + y * stride + c.x0, pixels + y * stride + c.x1, colour);
}

// The cushion's light at each pixel centre: the normal of the surface
// (-dz/dx, -dz/dy, 1) against the light.
void Shade(uint32_t* pixels, int stride, const Clip& c, const PlacedRect& p, uint32_t colour,
           const TreemapColours& k) {
  const double len = std::sqrt(k.lightX * k.lightX + k.lightY * k.lightY + k.lightZ * k.lightZ);
  const double lx = k.lightX / len, ly = k.lightY / len, lz = k.lightZ / len;
  for (int y = c.y0; y < c.y1; ++y) {
    const double ny = -(2.0 * p.ay * (y + 0.5) + p.by);
    uint32_t* row = pixels + y * stride;
    for (int x = c.x0; x < c.x1; ++x) {
      const double nx = -(2.0 * p.ax * (x + 0.5) + p.bx);
      const double cosine = (nx * lx + ny * ly + lz) / std::sqrt(nx * nx + ny * ny + 1.0);
      row[x] = Scaled(colour, k.ambient + k.diffuse * std::max(cosine, 0.0));
    }
  }
}

}  // namespace

void PaintTreemap(const SpaceTree& tree, const TreemapLayout& layout, const TreemapColours& colours, uint32_t* pixels,
                  int width, int height, int stride) {
  for (const PlacedRect& p : layout.rects) {
    const Clip c = ClipOf(p.rect, width, height);
    if (c.x1 <= c.x0 || c.y1 <= c.y0) continue;
    if (!tree.IsFolder(p.node)) {
      Shade(pixels, stride, c, p, colours.category[static_cast<size_t>(tree.Category(p.node))], colours);
      continue;
    }
    // The frame, over it the name strip and the room of the children.
    Fill(pixels, stride, c, colours.frame);
    const TreemapOptions& o = layout.options;
    const PixelRect content = ContentRect(p.rect, o);
    const PixelRect strip{content.x0, p.rect.y0 + o.frame, content.x1, content.y0};
    if (!strip.Empty()) Fill(pixels, stride, ClipOf(strip, width, height), colours.header);
    const Clip room = ClipOf(content, width, height);
    if (room.x1 > room.x0 && room.y1 > room.y0) Shade(pixels, stride, room, p, colours.folder, colours);
  }
}

}  // namespace stats
