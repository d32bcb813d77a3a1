#include <algorithm>

#include "skin/image/img_util.h"

namespace skin {
namespace {

void DrawPieces(Bitmap& to, int dx, int dy, const Bitmap& image, const std::vector<Piece>& pieces) {
  for (const Piece& p : pieces) {
    Rect dst = p.dst.Offset(dx, dy);
    if (p.tiled)
      TileCopy(to, dst, image, p.src);
    else
      StretchCopy(to, dst, image, p.src);
  }
}

void Present(Bitmap& canvas, Rect dest, const Bitmap& composed, bool transparent) {
  if (transparent)
    TransparentBlit(canvas, dest, composed);
  else
    CopyBlit(canvas, dest.left, dest.top, composed);
}

}  // namespace

Bitmap NineSliceToBitmap(Rect dest, const Bitmap& image, Slices s, bool vertical, bool tile, int frameCount,
                         int frameIndex) {
  if (image.Empty()) return {};  // an element without an image draws nothing, not a black block
  Bitmap out(dest.Width(), dest.Height());
  if (out.Empty()) return out;
  Rect frame = LocateFrame(image, frameCount, frameIndex, vertical);
  DrawPieces(out, 0, 0, image, NineSlicePieces(out.Width(), out.Height(), frame, s, tile, true));
  return out;
}

void DrawNineSlice(Bitmap& canvas, Rect dest, const Bitmap& image, bool vertical, bool transparent,
                   int frameCount, int frameIndex, Slices s, bool tile) {
  if (dest.Empty()) return;
  Present(canvas, dest, NineSliceToBitmap(dest, image, s, vertical, tile, frameCount, frameIndex), transparent);
}

void DrawNineSliceBorder(Bitmap& canvas, Rect dest, const Bitmap& image, bool vertical, int frameCount,
                         int frameIndex, Slices s) {
  if (dest.Empty() || image.Empty()) return;
  Rect frame = LocateFrame(image, frameCount, frameIndex, vertical);
  DrawPieces(canvas, dest.left, dest.top, image,
             NineSlicePieces(dest.Width(), dest.Height(), frame, s, false, false));
}

Bitmap ThreeSliceToBitmap(Rect dest, const Bitmap& image, bool vertical, int frameCount, int frameIndex,
                          int leftCap, int rightCap) {
  if (image.Empty()) return {};
  Bitmap out(dest.Width(), dest.Height());
  if (out.Empty()) return out;
  const Rect f = LocateFrame(image, frameCount, frameIndex, vertical);
  const int W = out.Width(), H = out.Height();
  leftCap = std::max(leftCap, 0);
  rightCap = std::max(rightCap, 0);
  StretchCopy(out, {0, 0, leftCap, H}, image, {f.left, f.top, f.left + leftCap, f.bottom});
  const int middle = f.Width() - leftCap - rightCap;
  if (middle > 0) {
    Rect piece{f.left + leftCap, f.top, f.right - rightCap, f.bottom};
    for (int x = leftCap; x < W - rightCap; x += middle) StretchCopy(out, {x, 0, x + middle, H}, image, piece);
  }
  StretchCopy(out, {W - rightCap, 0, W, H}, image, {f.right - rightCap, f.top, f.right, f.bottom});
  return out;
}

void DrawThreeSlice(Bitmap& canvas, Rect dest, const Bitmap& image, bool vertical, bool transparent,
                    int frameCount, int frameIndex, int leftCap, int rightCap) {
  if (dest.Empty()) return;
  Present(canvas, dest, ThreeSliceToBitmap(dest, image, vertical, frameCount, frameIndex, leftCap, rightCap),
          transparent);
}

void DrawFrame(Bitmap& canvas, Rect dest, const Bitmap& image, bool transparent, int frameCount, int frameIndex) {
  if (dest.Empty() || image.Empty()) return;
  Bitmap composed(dest.Width(), dest.Height());
  StretchCopy(composed, {0, 0, composed.Width(), composed.Height()}, image,
              LocateFrame(image, frameCount, frameIndex, false));
  Present(canvas, dest, composed, transparent);
}

void Tile(Bitmap& canvas, Rect dest, const Bitmap& image, Rect src) {
  if (src.Empty()) return;
  TileCopy(canvas, dest, image, src);
}

}  // namespace skin
