// Skin painting onto Windows device contexts: each operation composes in a
// portable Bitmap and hands the result to the device context, copied or
// with magenta see-through through a mask.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/win_gdi.h"

#include "skin/image/img_util.h"
#include "skin/model/skin_colour.h"

namespace skin::win32 {

// A top-down 32-bit DIB section with the bitmap's pixels.
gdi::Bitmap CreateDibFrom(const Bitmap& bitmap);
// What the device context shows in `r`.
Bitmap CaptureFromDC(HDC dc, RECT r);

// Copies `bitmap` 1:1 with its top-left corner at (x, y).
void CopyToDC(HDC dc, int x, int y, const Bitmap& bitmap);
// Draws `bitmap` stretched (nearest pixel) to `dst`, leaving the device
// context alone where the bitmap has colour `key`.
void TransparentBlitToDC(HDC dc, RECT dst, const Bitmap& bitmap, uint32_t key = kMagenta);

void DrawNineSlice(HDC dc, RECT dst, const Bitmap& image, bool vertical, bool transparent, int frameCount,
                   int frameIndex, Slices s, bool tile = false);
void DrawNineSliceBorder(HDC dc, RECT dst, const Bitmap& image, bool vertical, int frameCount, int frameIndex,
                         Slices s);
void DrawThreeSlice(HDC dc, RECT dst, const Bitmap& image, bool vertical, bool transparent, int frameCount,
                    int frameIndex, int leftCap, int rightCap);
void DrawFrame(HDC dc, RECT dst, const Bitmap& image, bool transparent, int frameCount, int frameIndex);
void Tile(HDC dc, RECT dst, const Bitmap& image, Rect src);

// A region of the bitmap's opaque pixels, or none when no pixel is opaque.
// Rectangles are combined in batches of 2000.
gdi::Region RegionFromBitmap(const Bitmap& bitmap, int xOffset, int yOffset, int blueTolerance, int greenTolerance,
                      int redTolerance, uint32_t key = kMagenta);
gdi::Region RegionFromRects(const std::vector<Rect>& rects);

// A skin colour as a COLORREF, system colours resolved now.
COLORREF ResolveColour(TColor colour);

inline Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace skin::win32
