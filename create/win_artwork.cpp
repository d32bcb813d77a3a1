#include "create/win_artwork.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace create {
namespace {

struct EmbeddedPicture {
  const char* name;
  int size;  // square
  const unsigned char* rgba;
};

#include "create_pictures.inc"

const EmbeddedPicture* Find(std::string_view name) {
  for (const EmbeddedPicture& p : kEmbeddedPictures)
    if (name == p.name) return &p;
  return nullptr;
}

// A top-down 32-bit DIB section of width x height; bits receives its pixels
// (BGRA).
gdi::Bitmap NewDib(int width, int height, uint32_t** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* p = nullptr;
  gdi::Bitmap bmp(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
  *bits = static_cast<uint32_t*>(p);
  return bmp;
}

uint32_t Pack(unsigned r, unsigned g, unsigned b, unsigned a) { return (a << 24) | (r << 16) | (g << 8) | b; }

unsigned Blend(unsigned fg, unsigned bg, unsigned a) { return (fg * a + bg * (255 - a) + 127) / 255; }

}  // namespace

gdi::Bitmap EmbeddedPictureWithAlpha(std::string_view name) {
  const EmbeddedPicture* p = Find(name);
  if (!p) return {};
  uint32_t* bits = nullptr;
  gdi::Bitmap bmp = NewDib(p->size, p->size, &bits);
  if (!bmp) return {};
  for (int i = 0; i < p->size * p->size; ++i) {
    const unsigned char* s = p->rgba + 4 * i;
    unsigned a = s[3];
    bits[i] = Pack(s[0] * a / 255, s[1] * a / 255, s[2] * a / 255, a);
  }
  return bmp;
}

gdi::Bitmap EmbeddedPictureOn(std::string_view name, COLORREF background, bool disabledTwin) {
  const EmbeddedPicture* p = Find(name);
  if (!p) return {};
  int n = p->size, width = disabledTwin ? 2 * n : n;
  uint32_t* bits = nullptr;
  gdi::Bitmap bmp = NewDib(width, n, &bits);
  if (!bmp) return {};
  unsigned br = GetRValue(background), bg = GetGValue(background), bb = GetBValue(background);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const unsigned char* s = p->rgba + 4 * (y * n + x);
      unsigned a = s[3];
      bits[y * width + x] = Pack(Blend(s[0], br, a), Blend(s[1], bg, a), Blend(s[2], bb, a), 0);
      if (disabledTwin) {
        // Grey, lightened and half transparent over the background.
        unsigned grey = (s[0] * 30 + s[1] * 59 + s[2] * 11) / 100;
        grey = 128 + grey / 2;
        unsigned ga = a / 2;
        bits[y * width + n + x] = Pack(Blend(grey, br, ga), Blend(grey, bg, ga), Blend(grey, bb, ga), 0);
      }
    }
  return bmp;
}

namespace {

// Drawing at four times the size and scaling down smooths the edges that
// plain GDI draws hard.
constexpr int kScale = 4;
constexpr double kPi = 3.14159265358979323846;

class Canvas {
 public:
  Canvas(int size, COLORREF background) : size_(size), big_(size * kScale), dc_(nullptr) {
    uint32_t* bits = nullptr;
    bmp_ = NewDib(big_, big_, &bits);
    select_.emplace(dc_.get(), bmp_.get());
    RECT r{0, 0, big_, big_};
    FillRect(dc_.get(), &r, gdi::Brush(CreateSolidBrush(background)).get());
  }
  // A filled circle at centre (cx, cy), radius r, in picture units.
  void Circle(double cx, double cy, double r, COLORREF fill, COLORREF line, double lineWidth = 1) {
    Shape(fill, line, lineWidth, [&](HDC dc) { Ellipse(dc, X(cx - r), X(cy - r), X(cx + r), X(cy + r)); });
  }
  // A wedge of the circle from angle a0 to a1 (degrees, counter-clockwise).
  void Wedge(double cx, double cy, double r, double a0, double a1, COLORREF fill) {
    auto px = [&](double a) { return X(cx + r * std::cos(a * kPi / 180)); };
    auto py = [&](double a) { return X(cy - r * std::sin(a * kPi / 180)); };
    Shape(fill, fill, 0, [&](HDC dc) {
      Pie(dc, X(cx - r), X(cy - r), X(cx + r), X(cy + r), px(a0), py(a0), px(a1), py(a1));
    });
  }
  void Rect(double l, double t, double r, double b, double round, COLORREF fill, COLORREF line) {
    Shape(fill, line, 1, [&](HDC dc) { RoundRect(dc, X(l), X(t), X(r), X(b), X(round), X(round)); });
  }
  void Line(double x0, double y0, double x1, double y1, double width, COLORREF colour) {
    gdi::Pen pen(CreatePen(PS_SOLID, X(width), colour));
    gdi::SelectGuard selectPen(dc_.get(), pen.get());
    MoveToEx(dc_.get(), X(x0), X(y0), nullptr);
    LineTo(dc_.get(), X(x1), X(y1));
  }
  // The picture at its final size.
  gdi::Bitmap Result() {
    uint32_t* bits = nullptr;
    gdi::Bitmap out = NewDib(size_, size_, &bits);
    {
      gdi::MemoryDc dc(nullptr);
      gdi::SelectGuard selectOut(dc.get(), out.get());
      SetStretchBltMode(dc.get(), HALFTONE);
      SetBrushOrgEx(dc.get(), 0, 0, nullptr);
      StretchBlt(dc.get(), 0, 0, size_, size_, dc_.get(), 0, 0, big_, big_, SRCCOPY);
    }
    // GDI leaves the alpha bytes at 0; the picture is opaque.
    GdiFlush();
    for (int i = 0; i < size_ * size_; ++i) bits[i] |= 0xFF000000u;
    return out;
  }

 private:
  int X(double v) const { return static_cast<int>(std::lround(v * kScale)); }
  template <class F>
  void Shape(COLORREF fill, COLORREF line, double lineWidth, F draw) {
    gdi::Brush brush(CreateSolidBrush(fill));
    gdi::Pen pen(lineWidth > 0 ? CreatePen(PS_SOLID, X(lineWidth), line) : CreatePen(PS_NULL, 0, 0));
    gdi::SelectGuard selectBrush(dc_.get(), brush.get()), selectPen(dc_.get(), pen.get());
    draw(dc_.get());
  }

  int size_, big_;
  gdi::MemoryDc dc_;
  gdi::Bitmap bmp_;
  std::optional<gdi::SelectGuard> select_;
};

// A compact disc: silver with coloured sheen at `turn` degrees, its data
// ring and its hole.
void DrawDisc(Canvas& c, double cx, double cy, double r, double turn, COLORREF background) {
  c.Circle(cx, cy, r, RGB(206, 212, 222), RGB(120, 128, 144), 1.2);
  static const COLORREF kSheen[] = {RGB(178, 208, 246), RGB(246, 196, 226), RGB(250, 238, 170)};
  for (int i = 0; i < 3; ++i) {
    double a = turn + i * 120;
    c.Wedge(cx, cy, r - 1.5, a, a + 28, kSheen[i]);
    c.Wedge(cx, cy, r - 1.5, a + 28, a + 40, RGB(232, 236, 242));
  }
  c.Circle(cx, cy, r * 0.36, RGB(236, 239, 244), RGB(150, 156, 170), 1);
  c.Circle(cx, cy, r * 0.22, RGB(214, 219, 228), RGB(150, 156, 170), 0.8);
  c.Circle(cx, cy, r * 0.1, background, RGB(120, 128, 144), 1);
}

void DrawMagnifier(Canvas& c, double x, double y, double r) {
  c.Line(x + r * 0.7, y + r * 0.7, x + r * 1.75, y + r * 1.75, r * 0.42, RGB(92, 60, 30));
  c.Circle(x, y, r, RGB(222, 234, 250), RGB(70, 76, 90), r * 0.22);
  c.Circle(x - r * 0.3, y - r * 0.3, r * 0.25, RGB(250, 252, 255), RGB(250, 252, 255), 0);
}

}  // namespace

gdi::Bitmap DrawAnimationFrame(int frame, COLORREF background) {
  const double s = kAnimationFrameSize;
  Canvas c(kAnimationFrameSize, background);
  DrawDisc(c, s * 0.44, s * 0.44, s * 0.4, frame * 40.0, background);
  // The magnifier moves over the disc's tracks from frame to frame.
  static const double kLens[3][2] = {{0.62, 0.56}, {0.55, 0.66}, {0.68, 0.66}};
  DrawMagnifier(c, s * kLens[frame % 3][0], s * kLens[frame % 3][1], s * 0.15);
  return c.Result();
}

gdi::Bitmap DrawIdlePicture(COLORREF background) {
  const double s = kPictureBoxSize;
  Canvas c(kPictureBoxSize, background);
  DrawDisc(c, s * 0.5, s * 0.4, s * 0.34, 15, background);
  // The drive, its tray slot, its light and its eject button.
  c.Rect(s * 0.08, s * 0.66, s * 0.92, s * 0.9, s * 0.05, RGB(86, 92, 104), RGB(48, 52, 60));
  c.Rect(s * 0.14, s * 0.71, s * 0.86, s * 0.75, s * 0.02, RGB(34, 36, 42), RGB(34, 36, 42));
  c.Circle(s * 0.2, s * 0.83, s * 0.025, RGB(90, 220, 90), RGB(40, 120, 40), 0.5);
  c.Rect(s * 0.7, s * 0.8, s * 0.84, s * 0.86, s * 0.02, RGB(170, 176, 188), RGB(60, 64, 72));
  return c.Result();
}

}  // namespace create
