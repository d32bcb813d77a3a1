#include <algorithm>

#include "skin/image/img_util.h"

namespace skin {
namespace {

Rect Intersect(Rect a, Rect b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// The nearest source coordinate for target coordinate i of n, taken at the
// pixel's centre.
int Nearest(int i, int n, int from, int count) {
  return from + static_cast<int>((2LL * i + 1) * count / (2LL * n));
}

}  // namespace

Rect LocateFrame(const Bitmap& image, int frameCount, int frameIndex, bool vertical) {
  frameCount = std::max(frameCount, 1);
  frameIndex = std::clamp(frameIndex, 1, frameCount);
  if (vertical) {
    int h = image.Height() / frameCount;
    return {0, (frameIndex - 1) * h, image.Width(), frameIndex * h};
  }
  int w = image.Width() / frameCount;
  return {(frameIndex - 1) * w, 0, frameIndex * w, image.Height()};
}

std::vector<Piece> NineSlicePieces(int W, int H, Rect f, Slices s, bool tile, bool withCentre) {
  int l = std::max(s.left, 0), t = std::max(s.top, 0), r = std::max(s.right, 0), b = std::max(s.bottom, 0);
  if (W < l + r) l = r = 0;
  if (H < t + b) t = b = 0;
  std::vector<Piece> p;
  auto add = [&](bool when, Rect src, Rect dst, bool tiled = false) {
    if (when) p.push_back({src, dst, tiled});
  };
  add(l * t > 0, {f.left, f.top, f.left + l, f.top + t}, {0, 0, l, t});
  add(l * b > 0, {f.left, f.bottom - b, f.left + l, f.bottom}, {0, H - b, l, H});
  add(r * t > 0, {f.right - r, f.top, f.right, f.top + t}, {W - r, 0, W, t});
  add(l > 0, {f.left, f.top + t, f.left + l, f.bottom - b}, {0, t, l, H - b});
  add(t > 0, {f.left + l, f.top, f.right - r, f.top + t}, {l, 0, W - r, t});
  add(withCentre, {f.left + l, f.top + t, f.right - r, f.bottom - b}, {l, t, W - r, H - b}, tile);
  add(r * b > 0, {f.right - r, f.bottom - b, f.right, f.bottom}, {W - r, H - b, W, H});
  add(r > 0, {f.right - r, f.top + t, f.right, f.bottom - b}, {W - r, t, W, H - b});
  add(b > 0, {f.left + l, f.bottom - b, f.right - r, f.bottom}, {l, H - b, W - r, H});
  return p;
}

void StretchCopy(Bitmap& to, Rect dst, const Bitmap& from, Rect src) {
  src = Intersect(src, {0, 0, from.Width(), from.Height()});
  if (src.Empty() || dst.Empty()) return;
  Rect clip = Intersect(dst, {0, 0, to.Width(), to.Height()});
  const int dw = dst.Width(), dh = dst.Height(), sw = src.Width(), sh = src.Height();
  for (int y = clip.top; y < clip.bottom; ++y) {
    const uint32_t* srcRow = from.Row(Nearest(y - dst.top, dh, src.top, sh));
    uint32_t* out = to.Row(y);
    for (int x = clip.left; x < clip.right; ++x) out[x] = srcRow[Nearest(x - dst.left, dw, src.left, sw)];
  }
}

void TileCopy(Bitmap& to, Rect dst, const Bitmap& from, Rect src) {
  src = Intersect(src, {0, 0, from.Width(), from.Height()});
  if (src.Empty() || dst.Empty()) return;
  for (int y = dst.top; y < dst.bottom; y += src.Height())
    for (int x = dst.left; x < dst.right; x += src.Width())
      StretchCopy(to, {x, y, x + src.Width(), y + src.Height()}, from, src);
}

void TransparentBlit(Bitmap& to, Rect dst, const Bitmap& bitmap, uint32_t key) {
  if (bitmap.Empty() || dst.Empty()) return;
  Rect clip = Intersect(dst, {0, 0, to.Width(), to.Height()});
  const int dw = dst.Width(), dh = dst.Height();
  for (int y = clip.top; y < clip.bottom; ++y) {
    const uint32_t* srcRow = bitmap.Row(Nearest(y - dst.top, dh, 0, bitmap.Height()));
    uint32_t* out = to.Row(y);
    for (int x = clip.left; x < clip.right; ++x) {
      uint32_t p = srcRow[Nearest(x - dst.left, dw, 0, bitmap.Width())];
      if (p != key) out[x] = p;
    }
  }
}

void CopyBlit(Bitmap& to, int x, int y, const Bitmap& bitmap) {
  StretchCopy(to, {x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap, {0, 0, bitmap.Width(), bitmap.Height()});
}

}  // namespace skin
