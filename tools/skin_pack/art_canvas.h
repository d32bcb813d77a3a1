// A small anti-aliased painter for drawing skin images: shapes are inside
// tests sampled 4×4 per pixel and blended over what is already there.
#pragma once

#include <functional>

#include "skin/image/bitmap.h"

namespace art {

using skin::Bitmap;

struct RGBf {
  double r = 0, g = 0, b = 0;
};

RGBf FromPixel(uint32_t p);
uint32_t ToPixel(RGBf c);
uint32_t Mix(uint32_t a, uint32_t b, double t);  // t = 0: a, t = 1: b
uint32_t Lighten(uint32_t p, double t);          // towards white
uint32_t Darken(uint32_t p, double t);           // towards black

using Inside = std::function<bool(double x, double y)>;
using Paint = std::function<uint32_t(double x, double y)>;

// Blends `paint` over the pixels of box (x0, y0)-(x1, y1) by the share of
// their area that `inside` covers.
void Fill(Bitmap& b, int x0, int y0, int x1, int y1, const Inside& inside, const Paint& paint, double alpha = 1);
// The same over the whole bitmap.
inline void FillAll(Bitmap& b, const Inside& inside, const Paint& paint, double alpha = 1) {
  Fill(b, 0, 0, b.Width(), b.Height(), inside, paint, alpha);
}
inline Paint Solid(uint32_t c) {
  return [c](double, double) { return c; };
}
// Vertical gradient from `top` at y0 to `bottom` at y1.
Paint VGradient(double y0, double y1, uint32_t top, uint32_t bottom);
Paint HGradient(double x0, double x1, uint32_t left, uint32_t right);

// Inside tests.
Inside RoundRect(double x0, double y0, double x1, double y1, double radius);
// Only the top corners rounded.
Inside TopRoundRect(double x0, double y0, double x1, double y1, double radius);
Inside Circle(double cx, double cy, double r);
Inside Ring(double cx, double cy, double outer, double inner);
Inside Capsule(double ax, double ay, double bx, double by, double halfWidth);  // a thick line
Inside Triangle(double ax, double ay, double bx, double by, double cx, double cy);
Inside Heart(double cx, double cy, double size);
Inside Outline(Inside outer, Inside inner);  // in outer, not in inner
Inside Both(Inside a, Inside b);
Inside Either(Inside a, Inside b);
Inside Below(double y);  // y >= the line
Inside Above(double y);  // y < the line

// A rounded body: a rim, a gradient face inside it, and optionally a glossy
// upper half. Pixels it does not reach stay as they are.
void Body(Bitmap& f, double x0, double y0, double x1, double y1, double r, uint32_t rim, uint32_t top,
          uint32_t bottom, bool gloss = false);

// Pixels that `inside` does not touch at all become magenta.
void MaskOutside(Bitmap& b, const Inside& inside);

}  // namespace art
