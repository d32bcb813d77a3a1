#include "tools/skin_pack/art_frame.h"

#include <cmath>

#include "skin/image/img_util.h"

namespace art {
namespace {

constexpr double kPi = 3.14159265358979;

void DrawPattern(Bitmap& b, const Style& s, const Inside& caption, int width) {
  const int H = s.captionHeight, P = s.patternPeriod;
  switch (s.pattern) {
    case Pattern::kNone:
      break;
    case Pattern::kPinstripe:
      for (int y = 2; y < H; y += 2) FillAll(b, Both(caption, [y](double, double v) { return v >= y && v < y + 1; }), Solid(s.patternColour), 0.32);
      break;
    case Pattern::kHearts:
      for (int x = 0; x < width + P; x += P) {
        FillAll(b, Both(caption, Heart(x + P * 0.25, H * 0.34, 4.2)), Solid(s.patternColour), 0.30);
        FillAll(b, Both(caption, Heart(x + P * 0.75, H * 0.70, 3.2)), Solid(s.patternColour), 0.22);
      }
      break;
    case Pattern::kWaves: {
      auto wave = [P](double base, double amp, double phase) {
        return [=](double x, double y) { return std::fabs(y - (base + amp * std::sin(2 * kPi * x / P + phase))) < 0.7; };
      };
      FillAll(b, Both(caption, wave(H * 0.68, 2.2, 0)), Solid(s.patternColour), 0.45);
      FillAll(b, Both(caption, wave(H * 0.82, 1.8, 1.7)), Solid(s.patternColour), 0.30);
      FillAll(b, Both(caption, [&](double x, double y) { return y > H * 0.82 + 1.8 * std::sin(2 * kPi * x / P + 1.7); }),
              Solid(s.patternColour), 0.12);
      break;
    }
  }
}

// A whole small window frame; the border images are cut from it so that
// corners, caption and sides meet exactly.
Bitmap RenderWindowFrame(const Style& s, bool active, int W, int Hh) {
  const int H = s.captionHeight, B = s.border, R = s.cornerRadius;
  Bitmap b(W, Hh, s.face);
  Inside outer = TopRoundRect(0, 0, W, Hh, R);
  Inside inner = TopRoundRect(1, 1, W - 1, Hh - 1, std::max(R - 1, 0));
  uint32_t top = active ? s.captionTop : s.inactiveTop, bottom = active ? s.captionBottom : s.inactiveBottom;
  FillAll(b, outer, Solid(active ? s.frame : s.frameInactive));
  Inside caption = Both(inner, Above(H));
  FillAll(b, caption, VGradient(1, H, top, bottom));
  if (s.gloss) FillAll(b, Both(caption, Above(H * 0.45)), Solid(0xFFFFFF), active ? 0.30 : 0.20);
  DrawPattern(b, s, caption, W);
  // Sides and bottom in the caption's lower colour, with a dark line where
  // the client area meets them.
  FillAll(b, Both(inner, Below(H)), Solid(bottom));
  b.FillRect({B, H, W - B, Hh - B}, s.face);
  uint32_t edge = Darken(bottom, 0.25);
  b.FillRect({B - 1, H, B, Hh - B + 1}, edge);
  b.FillRect({W - B, H, W - B + 1, Hh - B + 1}, edge);
  b.FillRect({B - 1, Hh - B, W - B + 1, Hh - B + 1}, edge);
  b.FillRect({1, H - 1, W - 1, H}, Darken(bottom, 0.15));
  MaskOutside(b, outer);
  return b;
}

struct FrameGeometry {
  int W, Hh;
};
FrameGeometry Geometry(const Style& s) {
  return {2 * s.border + 2 * s.cornerRadius + s.CaptionMiddle(), s.captionHeight + 24 + s.border};
}

Bitmap Stack2(const Bitmap& a, const Bitmap& b) {
  Bitmap out(a.Width(), a.Height() * 2);
  skin::CopyBlit(out, 0, 0, a);
  skin::CopyBlit(out, 0, a.Height(), b);
  return out;
}
Bitmap Side2(const Bitmap& a, const Bitmap& b) {
  Bitmap out(a.Width() * 2, a.Height());
  skin::CopyBlit(out, 0, 0, a);
  skin::CopyBlit(out, a.Width(), 0, b);
  return out;
}

void DrawButtonBody(Bitmap& f, const Style& s, Glyph g, int state) {
  // state: 0 normal, 1 pressed, 2 hot, 3 inactive
  const double S = f.Width();
  const bool close = g == Glyph::kClose;
  uint32_t base = close ? s.closeButton : s.accent;
  switch (s.captionButtons) {
    case CaptionButtons::kTrafficLights: {
      uint32_t light = g == Glyph::kClose ? 0xE0443E : g == Glyph::kMinimize ? 0xDEA123 : 0x3FAE3A;
      if (state == 3) light = 0xC4C4C4;
      if (state == 1) light = Darken(light, 0.25);
      FillAll(f, Circle(S / 2, S / 2, S / 2 - 0.2), Solid(Darken(light, 0.35)));
      FillAll(f, Circle(S / 2, S / 2, S / 2 - 1.1), VGradient(1, S, Lighten(light, 0.15), light));
      FillAll(f, Capsule(S / 2, S * 0.28, S / 2, S * 0.30, S * 0.26), Solid(0xFFFFFF), 0.45);  // gloss spot
      if (state == 2 || state == 1) DrawGlyph(f, g, S / 2, S / 2 + 0.3, S * 0.5, Darken(light, 0.6), 0.85);
      break;
    }
    case CaptionButtons::kRoundedSquares: {
      uint32_t top = Lighten(base, 0.35), bottom = base;
      if (state == 2) top = Lighten(base, 0.55), bottom = Lighten(base, 0.15);
      if (state == 1) top = Darken(base, 0.2), bottom = Lighten(base, 0.1);
      if (state == 3) top = Lighten(s.inactiveTop, 0.3), bottom = s.inactiveBottom;
      FillAll(f, RoundRect(0, 0, S, S, 3), Solid(0xFFFFFF), state == 3 ? 0.6 : 0.95);
      FillAll(f, RoundRect(1, 1, S - 1, S - 1, 2.2), VGradient(1, S - 1, top, bottom));
      DrawGlyph(f, g, S / 2, S / 2, S * 0.5, 0xFFFFFF, state == 3 ? 0.7 : 1);
      break;
    }
    case CaptionButtons::kRings: {
      uint32_t fill = state == 2 ? Lighten(base, 0.3) : state == 1 ? Darken(base, 0.2) : base;
      if (state == 3) fill = Mix(base, s.inactiveBottom, 0.6);
      FillAll(f, Circle(S / 2, S / 2, S / 2 - 0.2), Solid(0xFFFFFF), state == 3 ? 0.6 : 0.95);
      FillAll(f, Circle(S / 2, S / 2, S / 2 - 1.6), VGradient(1, S, Lighten(fill, 0.25), fill));
      DrawGlyph(f, g, S / 2, S / 2, S * 0.46, 0xFFFFFF);
      break;
    }
    case CaptionButtons::kGlassTiles: {
      // Tinted glass: darker than the caption so that the white glyph reads
      // on the light upper sky as well.
      uint32_t tint = close ? base : Darken(s.captionBottom, 0.15);
      double a = state == 2 ? 0.55 : state == 1 ? 0.9 : 0.7;
      if (state == 3) tint = s.inactiveBottom, a = 0.6;
      if (state == 1) tint = Darken(tint, 0.2);
      if (state == 2) tint = Lighten(tint, 0.15);
      FillAll(f, RoundRect(0, 0, S, S, 4), Solid(0xFFFFFF), state == 3 ? 0.5 : 0.9);
      FillAll(f, RoundRect(1, 1, S - 1, S - 1, 3.2), VGradient(1, S, Lighten(tint, 0.25), tint), a);
      FillAll(f, RoundRect(1.5, 1.5, S - 1.5, S * 0.48, 2.5), Solid(0xFFFFFF), 0.22);
      DrawGlyph(f, g, S / 2, S / 2, S * 0.5, 0xFFFFFF);
      break;
    }
  }
}

}  // namespace

void DrawGlyph(Bitmap& b, Glyph g, double cx, double cy, double size, uint32_t c, double alpha) {
  const double h = size / 2, w = std::max(size / 9, 0.9);
  switch (g) {
    case Glyph::kClose:
      FillAll(b, Either(Capsule(cx - h * 0.8, cy - h * 0.8, cx + h * 0.8, cy + h * 0.8, w),
                        Capsule(cx - h * 0.8, cy + h * 0.8, cx + h * 0.8, cy - h * 0.8, w)), Solid(c), alpha);
      break;
    case Glyph::kMaximize:
      FillAll(b, Outline(RoundRect(cx - h, cy - h, cx + h, cy + h, 1), RoundRect(cx - h + w * 1.6, cy - h + w * 3, cx + h - w * 1.6, cy + h - w * 1.6, 0.5)),
              Solid(c), alpha);
      break;
    case Glyph::kRestore: {
      const double q = h * 0.35, t = w * 1.6;
      Inside front = RoundRect(cx - h, cy - h + q, cx + h - q, cy + h, 1);
      Inside back = Outline(RoundRect(cx - h + q, cy - h, cx + h, cy + h - q, 1),
                            RoundRect(cx - h + q + t, cy - h + t * 1.6, cx + h - t, cy + h - q - t, 0.5));
      FillAll(b, Outline(back, front), Solid(c), alpha);
      FillAll(b, Outline(front, RoundRect(cx - h + t, cy - h + q + t * 1.6, cx + h - q - t, cy + h - t, 0.5)), Solid(c), alpha);
      break;
    }
    case Glyph::kMinimize:
      FillAll(b, Capsule(cx - h * 0.75, cy + h * 0.55, cx + h * 0.75, cy + h * 0.55, w * 1.2), Solid(c), alpha);
      break;
    case Glyph::kUp:
      FillAll(b, Triangle(cx - h * 0.8, cy + h * 0.4, cx + h * 0.8, cy + h * 0.4, cx, cy - h * 0.45), Solid(c), alpha);
      break;
    case Glyph::kDown:
      FillAll(b, Triangle(cx - h * 0.8, cy - h * 0.4, cx + h * 0.8, cy - h * 0.4, cx, cy + h * 0.45), Solid(c), alpha);
      break;
    case Glyph::kLeft:
      FillAll(b, Triangle(cx + h * 0.4, cy - h * 0.8, cx + h * 0.4, cy + h * 0.8, cx - h * 0.45, cy), Solid(c), alpha);
      break;
    case Glyph::kRight:
      FillAll(b, Triangle(cx - h * 0.4, cy - h * 0.8, cx - h * 0.4, cy + h * 0.8, cx + h * 0.45, cy), Solid(c), alpha);
      break;
    case Glyph::kCheck:
      FillAll(b, Either(Capsule(cx - h * 0.75, cy, cx - h * 0.2, cy + h * 0.6, w * 1.3),
                        Capsule(cx - h * 0.2, cy + h * 0.6, cx + h * 0.8, cy - h * 0.7, w * 1.3)), Solid(c), alpha);
      break;
    case Glyph::kDot:
      FillAll(b, Circle(cx, cy, h * 0.55), Solid(c), alpha);
      break;
  }
}

Bitmap Strip(int frames, int w, int h, const std::function<void(Bitmap&, int)>& draw, bool stacked) {
  Bitmap out(stacked ? w : w * frames, stacked ? h * frames : h);
  for (int i = 0; i < frames; ++i) {
    Bitmap f(w, h, skin::kMagenta);
    draw(f, i);
    skin::CopyBlit(out, stacked ? 0 : i * w, stacked ? i * h : 0, f);
  }
  return out;
}

FrameImages DrawFrameImages(const Style& s) {
  const auto [W, Hh] = Geometry(s);
  const int H = s.captionHeight, B = s.border;
  Bitmap on = RenderWindowFrame(s, true, W, Hh), off = RenderWindowFrame(s, false, W, Hh);
  FrameImages f;
  f.left = Side2(on.Crop({0, 0, B, Hh}), off.Crop({0, 0, B, Hh}));
  f.right = Side2(on.Crop({W - B, 0, W, Hh}), off.Crop({W - B, 0, W, Hh}));
  f.top = Stack2(on.Crop({B, 0, W - B, H}), off.Crop({B, 0, W - B, H}));
  f.bottom = Stack2(on.Crop({B, Hh - B, W - B, Hh}), off.Crop({B, Hh - B, W - B, Hh}));
  return f;
}

Bitmap DrawCaptionButton(const Style& s, Glyph g) {
  const int S = s.titleButtonSize, H = s.captionHeight;
  const auto [W, Hh] = Geometry(s);
  Bitmap on = RenderWindowFrame(s, true, W, Hh), off = RenderWindowFrame(s, false, W, Hh);
  const int y = (H - S) / 2, x = W / 2 - S / 2;
  return Strip(4, S, S, [&](Bitmap& f, int state) {
    f = (state == 3 ? off : on).Crop({x, y, x + S, y + S});
    DrawButtonBody(f, s, g, state);
    Bitmap shape(S, S, 0);
    DrawButtonBody(shape, s, g, state);  // drawn on black and white to find the
    Bitmap shape2(S, S, 0xFFFFFF);       // pixels the button leaves untouched
    DrawButtonBody(shape2, s, g, state);
    for (int py = 0; py < S; ++py)
      for (int px = 0; px < S; ++px)
        if (shape.At(px, py) == 0 && shape2.At(px, py) == 0xFFFFFF) f.Set(px, py, skin::kMagenta);
  });
}

Bitmap DrawTextBack(const Style& s) {
  const int H = s.captionHeight;
  return Strip(2, 60, H, [&](Bitmap& f, int i) {
    uint32_t fill = i == 0 ? s.ribbonColour : Mix(s.ribbonColour, s.inactiveBottom, 0.5);
    Inside pill = RoundRect(1, 3, 59, H - 3, (H - 6) / 2.0);
    f.Fill(i == 0 ? s.captionBottom : s.inactiveBottom);
    FillAll(f, pill, Solid(s.ribbonBorder));
    FillAll(f, RoundRect(2.2, 4.2, 57.8, H - 4.2, (H - 8.4) / 2.0), VGradient(4, H - 4, Lighten(fill, 0.4), fill));
    FillAll(f, Heart(8, H / 2.0, 3.2), Solid(s.ribbonBorder), 0.8);
    FillAll(f, Heart(52, H / 2.0, 3.2), Solid(s.ribbonBorder), 0.8);
    MaskOutside(f, pill);
  }, true);
}

Bitmap DrawMdiControls(const Style& s) {
  const Glyph glyphs[3] = {Glyph::kMinimize, Glyph::kRestore, Glyph::kClose};
  const int u = 16, h = 14;
  Bitmap out(12 * u, h);
  for (int j = 0; j < 3; ++j) {
    Bitmap group = Strip(4, u, h, [&](Bitmap& f, int state) {
      f.Fill(s.face);
      uint32_t fill = state == 1 ? Darken(s.face, 0.15) : state == 2 ? Lighten(s.accent, 0.6) : s.face;
      FillAll(f, RoundRect(0.5, 0.5, u - 0.5, h - 0.5, 2), Solid(s.buttonBorder));
      FillAll(f, RoundRect(1.5, 1.5, u - 1.5, h - 1.5, 1.5), Solid(fill));
      DrawGlyph(f, glyphs[j], u / 2.0, h / 2.0, 8, state == 3 ? Lighten(s.text, 0.6) : s.text);
    });
    skin::CopyBlit(out, 4 * j * u, 0, group);
  }
  return out;
}

}  // namespace art
