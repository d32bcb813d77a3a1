#include "tools/skin_pack/art_canvas.h"

#include <algorithm>
#include <cmath>

namespace art {

RGBf FromPixel(uint32_t p) { return {double(skin::RedOf(p)), double(skin::GreenOf(p)), double(skin::BlueOf(p))}; }

uint32_t ToPixel(RGBf c) {
  auto q = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); };
  return skin::Rgb(q(c.r), q(c.g), q(c.b));
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  RGBf x = FromPixel(a), y = FromPixel(b);
  return ToPixel({x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t});
}
uint32_t Lighten(uint32_t p, double t) { return Mix(p, 0xFFFFFF, t); }
uint32_t Darken(uint32_t p, double t) { return Mix(p, 0x000000, t); }

void Fill(Bitmap& b, int x0, int y0, int x1, int y1, const Inside& inside, const Paint& paint, double alpha) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, b.Width());
  y1 = std::min(y1, b.Height());
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) hits += inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
      if (hits) b.Set(x, y, Mix(b.At(x, y), paint(x + 0.5, y + 0.5), alpha * hits / 16.0));
    }
  }
}

Paint VGradient(double y0, double y1, uint32_t top, uint32_t bottom) {
  return [=](double, double y) { return Mix(top, bottom, std::clamp((y - y0) / std::max(y1 - y0, 1e-9), 0.0, 1.0)); };
}

Paint HGradient(double x0, double x1, uint32_t left, uint32_t right) {
  return [=](double x, double) { return Mix(left, right, std::clamp((x - x0) / std::max(x1 - x0, 1e-9), 0.0, 1.0)); };
}

Inside RoundRect(double x0, double y0, double x1, double y1, double r) {
  return [=](double x, double y) {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    double cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
  };
}

Inside TopRoundRect(double x0, double y0, double x1, double y1, double r) {
  return [=](double x, double y) {
    if (x < x0 || x > x1 || y < y0 || y > y1) return false;
    if (y >= y0 + r) return true;
    double cx = std::clamp(x, x0 + r, x1 - r), cy = y0 + r;
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
  };
}

Inside Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Inside Ring(double cx, double cy, double outer, double inner) {
  return Outline(Circle(cx, cy, outer), Circle(cx, cy, inner));
}

Inside Capsule(double ax, double ay, double bx, double by, double hw) {
  return [=](double x, double y) {
    double dx = bx - ax, dy = by - ay;
    double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / std::max(dx * dx + dy * dy, 1e-9), 0.0, 1.0);
    double px = ax + t * dx - x, py = ay + t * dy - y;
    return px * px + py * py <= hw * hw;
  };
}

Inside Triangle(double ax, double ay, double bx, double by, double cx, double cy) {
  return [=](double x, double y) {
    auto side = [](double x1, double y1, double x2, double y2, double x, double y) {
      return (x2 - x1) * (y - y1) - (y2 - y1) * (x - x1);
    };
    double d1 = side(ax, ay, bx, by, x, y), d2 = side(bx, by, cx, cy, x, y), d3 = side(cx, cy, ax, ay, x, y);
    bool neg = d1 < 0 || d2 < 0 || d3 < 0, pos = d1 > 0 || d2 > 0 || d3 > 0;
    return !(neg && pos);
  };
}

Inside Heart(double cx, double cy, double size) {
  return [=](double x, double y) {
    double u = (x - cx) / size * 1.25, v = -(y - cy) / size * 1.25 + 0.2;
    double a = u * u + v * v - 1;
    return a * a * a - u * u * v * v * v <= 0;
  };
}

Inside Outline(Inside outer, Inside inner) {
  return [outer = std::move(outer), inner = std::move(inner)](double x, double y) {
    return outer(x, y) && !inner(x, y);
  };
}

Inside Both(Inside a, Inside b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && b(x, y); };
}
Inside Either(Inside a, Inside b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}
Inside Below(double line) {
  return [line](double, double y) { return y >= line; };
}
Inside Above(double line) {
  return [line](double, double y) { return y < line; };
}

// A rounded body: a rim, a gradient face inside it, and optionally a glossy
// upper half. Pixels it does not reach stay as they are.
void Body(Bitmap& f, double x0, double y0, double x1, double y1, double r, uint32_t rim, uint32_t top,
          uint32_t bottom, bool gloss) {
  FillAll(f, RoundRect(x0, y0, x1, y1, r), Solid(rim));
  double ir = std::max(r - 1, 0.0);
  FillAll(f, RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, ir), VGradient(y0 + 1, y1 - 1, top, bottom));
  if (gloss) FillAll(f, RoundRect(x0 + 1.5, y0 + 1.5, x1 - 1.5, (y0 + y1) / 2, ir), Solid(0xFFFFFF), 0.35);
}


void MaskOutside(Bitmap& b, const Inside& inside) {
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      bool any = false;
      for (int s = 0; s < 16 && !any; ++s) any = inside(x + (s % 4 + 0.5) / 4, y + (s / 4 + 0.5) / 4);
      if (!any) b.Set(x, y, skin::kMagenta);
    }
  }
}

}  // namespace art
