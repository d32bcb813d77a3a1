#include "stats/treemap_paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace stats {
namespace {

uint32_t Scaled(uint32_t argb, double k) {
  auto channel = [&](int shift) {
    const double v = ((argb >> shift) & 0xFF) * k;
    return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0) + 0.5) << shift;
  };
  return (argb & 0xFF000000u) | channel(16) | channel(8) | channel(0);
}

// Painting from the deepest rectangles up, each pixel once: a pixel a
// child has painted is left alone by its parents (a folder's room is under
// all its children).
class Canvas {
 public:
  Canvas(uint32_t* pixels, int width, int height, int stride, const TreemapColours& k)
      : pixels_(pixels), width_(width), height_(height), stride_(stride), k_(k),
        painted_(size_t(std::max(width, 0)) * size_t(std::max(height, 0)), 0) {
    const double len = std::sqrt(k.lightX * k.lightX + k.lightY * k.lightY + k.lightZ * k.lightZ);
    lx_ = k.lightX / len;
    ly_ = k.lightY / len;
    lz_ = k.lightZ / len;
  }

  void Fill(const PixelRect& r, uint32_t colour) {
    Each(r, [&](int, int, uint32_t& px) { px = colour; });
  }

  // The cushion's light at each pixel centre: the normal of the surface
  // (-dz/dx, -dz/dy, 1) against the light.
  void Shade(const PixelRect& r, const PlacedRect& p, uint32_t colour) {
    Each(r, [&](int x, int y, uint32_t& px) {
      const double nx = -(2.0 * p.ax * (x + 0.5) + p.bx), ny = -(2.0 * p.ay * (y + 0.5) + p.by);
      const double cosine = (nx * lx_ + ny * ly_ + lz_) / std::sqrt(nx * nx + ny * ny + 1.0);
      px = Scaled(colour, k_.ambient + k_.diffuse * std::max(cosine, 0.0));
    });
  }

 private:
  template <class F>
  void Each(const PixelRect& r, F f) {
    const int x0 = std::max(r.x0, 0), y0 = std::max(r.y0, 0), x1 = std::min(r.x1, width_), y1 = std::min(r.y1, height_);
    for (int y = y0; y < y1; ++y) {
      uint8_t* done = painted_.data() + size_t(y) * size_t(width_);
      uint32_t* row = pixels_ + size_t(y) * size_t(stride_);
      for (int x = x0; x < x1; ++x) {
        if (done[x]) continue;
        done[x] = 1;
        f(x, y, row[x]);
      }
    }
  }

  uint32_t* pixels_;
  int width_, height_, stride_;
  const TreemapColours& k_;
  std::vector<uint8_t> painted_;
  double lx_, ly_, lz_;
};

}  // namespace

void PaintTreemap(const SpaceTree& tree, const TreemapLayout& layout, const TreemapColours& colours, uint32_t* pixels,
                  int width, int height, int stride) {
  Canvas canvas(pixels, width, height, stride, colours);
  const TreemapOptions& o = layout.options;
  // Breadth first backwards: every child before its parent.
  for (size_t k = layout.rects.size(); k-- > 0;) {
    const PlacedRect& p = layout.rects[k];
    if (!tree.IsFolder(p.node)) {
      canvas.Shade(p.rect, p, colours.category[static_cast<size_t>(tree.Category(p.node))]);
      continue;
    }
    // The room of children too small to place, the name strip, the frame.
    const PixelRect content = ContentRect(p.rect, o);
    if (!content.Empty()) canvas.Shade(content, p, colours.folder);
    const PixelRect strip{content.x0, p.rect.y0 + o.frame, content.x1, content.y0};
    if (!strip.Empty()) canvas.Fill(strip, colours.header);
    canvas.Fill(p.rect, colours.frame);
  }
}

}  // namespace stats
