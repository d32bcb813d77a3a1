// Skin image painting on portable bitmaps: frames of image strips,
// nine-slice and three-slice stretching, tiling, magenta transparency and
// regions from shaped images. Stretching takes the nearest source pixel, as
// the COLORONCOLOR stretch mode does. Every operation clips to its target
// and ignores pieces without area, so any element sizes a skin gives are safe.
#pragma once

#include <vector>

#include "skin/image/bitmap.h"

namespace skin {

// Fixed edge sizes of an element: left width, top height, right width,
// bottom height.
struct Slices {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Frame `frameIndex` (from 1) of a strip of `frameCount` equal frames, side
// by side or, with `vertical`, stacked. Counts below 1 count as 1; an index
// outside 1..frameCount is moved to the nearest frame.
Rect LocateFrame(const Bitmap& image, int frameCount, int frameIndex, bool vertical = false);

struct Piece {
  Rect src;    // in the image
  Rect dst;    // in the target, relative to its top-left corner
  bool tiled;  // the centre under the tile flag
};

// The pieces of a nine-slice of `frame` into a W×H target, in drawing order:
// the corners and edges of the top-left side, the centre (unless
// `withCentre` is false), then the bottom-right side. Caps that do not fit
// the target are dropped in pairs.
std::vector<Piece> NineSlicePieces(int width, int height, Rect frame, Slices s, bool tile, bool withCentre);

// Copies `src` (part of `from`) stretched onto `dst` of `to`.
void StretchCopy(Bitmap& to, Rect dst, const Bitmap& from, Rect src);
// Copies `src` unscaled at every step of its size from dst's top-left
// corner while inside `dst` (the last copies may run past dst's right and
// bottom edges, up to the target's edge).
void TileCopy(Bitmap& to, Rect dst, const Bitmap& from, Rect src);
// Draws `bitmap` stretched onto `dst`, skipping pixels of colour `key`.
void TransparentBlit(Bitmap& to, Rect dst, const Bitmap& bitmap, uint32_t key = kMagenta);
// Copies `bitmap` unscaled with its top-left corner at (x, y).
void CopyBlit(Bitmap& to, int x, int y, const Bitmap& bitmap);

// A new bitmap of dest's size holding the nine-slice of one frame; an empty
// bitmap when the image is empty, so that drawing it leaves the target as it
// was.
Bitmap NineSliceToBitmap(Rect dest, const Bitmap& image, Slices s, bool vertical, bool tile, int frameCount,
                         int frameIndex);
void DrawNineSlice(Bitmap& canvas, Rect dest, const Bitmap& image, bool vertical, bool transparent,
                   int frameCount, int frameIndex, Slices s, bool tile = false);
// Only the four corners and four edges, straight onto the canvas.
void DrawNineSliceBorder(Bitmap& canvas, Rect dest, const Bitmap& image, bool vertical, int frameCount,
                         int frameIndex, Slices s);
// Caps of `leftCap` and `rightCap` pixels with the frame's middle repeated
// between them; each piece is stretched to dest's height. Empty for an
// empty image.
Bitmap ThreeSliceToBitmap(Rect dest, const Bitmap& image, bool vertical, int frameCount, int frameIndex,
                          int leftCap, int rightCap);
void DrawThreeSlice(Bitmap& canvas, Rect dest, const Bitmap& image, bool vertical, bool transparent,
                    int frameCount, int frameIndex, int leftCap, int rightCap);
// One frame of a horizontal strip stretched to dest.
void DrawFrame(Bitmap& canvas, Rect dest, const Bitmap& image, bool transparent, int frameCount, int frameIndex);
// Fills dest with copies of the `src` part of `image`.
void Tile(Bitmap& canvas, Rect dest, const Bitmap& image, Rect src);

// The opaque pixels of `bitmap` as rectangles, one per run of a row, moved
// by the offsets. A pixel is see-through when each of its channels lies
// between the key's and the key's plus its tolerance.
std::vector<Rect> RegionFromBitmap(const Bitmap& bitmap, int xOffset, int yOffset, int blueTolerance,
                                   int greenTolerance, int redTolerance, uint32_t key = kMagenta);

void FlipVertical(Bitmap& bitmap);
void RotateLeft(Bitmap& bitmap);   // a quarter turn counter-clockwise
void RotateRight(Bitmap& bitmap);  // a quarter turn clockwise

}  // namespace skin
