// Painting the window borders and the window region they leave.
#include <algorithm>

#include "skin/layout/frame_layout.h"
#include "skin/image/img_util.h"

namespace skin {
namespace {

bool Stacked(BorderSide side) { return side == kTopBorder || side == kBottomBorder; }

// The opaque part of one border: its pixels as painted, or its whole
// rectangle where the shape is not taken from the image.
void AddBorderPart(std::vector<Rect>& out, const SkinModel& m, BorderSide side, Rect r, int height,
                   const Thickness& th, const Bitmap* caption) {
  if (r.Empty()) return;
  const TDataSkinBorder& b = m.borders[side];
  const bool shaped = b.trans == 1 && !(side == kBottomBorder && th.bottom < 2) &&
                      !(side != kBottomBorder && height == 1);
  if (!shaped) {
    out.push_back(r);
    return;
  }
  Bitmap painted;
  if (side == kTopBorder && caption) {
    painted = caption->Crop(r);
  } else {
    painted = Bitmap(r.Width(), r.Height(), kMagenta);
    DrawBorder(painted, {0, 0, r.Width(), r.Height()}, b, side, true);
  }
  std::vector<Rect> rows = RegionFromBitmap(painted, r.left, r.top, 1, 1, 1, kMagenta);
  out.insert(out.end(), rows.begin(), rows.end());
}

}  // namespace

Rect BorderRect(BorderSide side, int width, int height, const Thickness& th) {
  Rect r;
  switch (side) {
    case kLeftBorder: r = {0, 0, th.left, height}; break;
    case kRightBorder: r = {width - th.right, 0, width, height}; break;
    case kBottomBorder: r = {th.left, height - th.bottom, width - th.right, height}; break;
    case kTopBorder: r = {th.left, 0, width - th.right, th.top}; break;
  }
  r.right = std::max(r.right, r.left);
  r.bottom = std::max(r.bottom, r.top);
  return r;
}

void DrawBorder(Bitmap& canvas, Rect r, const TDataSkinBorder& b, BorderSide side, bool active) {
  if (b.image.Empty()) return;
  const int frame = active || b.frameCount <= 1 ? 1 : 2;
  DrawNineSlice(canvas, r, b.image, Stacked(side), true, b.frameCount, frame,
                {b.leftWidth, b.topHeight, b.rightWidth, b.bottomHeight}, b.tile != 1);
}

std::vector<Rect> FrameRegionRects(const SkinModel& m, int width, int height, const Thickness& th,
                                   const Bitmap* caption) {
  if (width <= 0 || height <= 0) return {};
  const bool anyTrans = std::any_of(m.borders.begin(), m.borders.end(), [](const auto& b) { return b.trans != 0; });
  if (!anyTrans) return {{0, 0, width, height}};
  std::vector<Rect> out;
  const Rect interior{th.left, th.top, width - th.right, height - th.bottom};
  if (!interior.Empty()) out.push_back(interior);
  for (BorderSide side : {kLeftBorder, kRightBorder, kTopBorder, kBottomBorder})
    AddBorderPart(out, m, side, BorderRect(side, width, height, th), height, th, caption);
  // Borders thicker than a small window reach past it; the region keeps to the window.
  std::vector<Rect> inside;
  for (const Rect& r : out) {
    Rect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width), std::min(r.bottom, height)};
    if (!c.Empty()) inside.push_back(c);
  }
  return inside;
}

}  // namespace skin
