#include "tools/skin_pack/art_controls.h"

#include <algorithm>

#include "tools/skin_pack/art_frame.h"

namespace art {
namespace {

enum State { kNormal, kPressed, kHot, kDisabled };

// The face colours of a control in `state`.
struct Face {
  uint32_t rim, top, bottom;
};
Face FaceFor(const Style& s, State st) {
  switch (st) {
    case kPressed: return {s.accentDark, Darken(s.buttonBottom, 0.08), s.buttonTop};
    case kHot: return {s.accent, Lighten(s.buttonTop, 0.3), Mix(s.buttonBottom, s.accent, 0.18)};
    case kDisabled: return {Mix(s.buttonBorder, s.face, 0.6), Mix(s.buttonTop, s.face, 0.6), Mix(s.buttonBottom, s.face, 0.6)};
    default: return {s.buttonBorder, s.buttonTop, s.buttonBottom};
  }
}

void Control(Bitmap& f, const Style& s, State st, double r, bool gloss = false) {
  Face c = FaceFor(s, st);
  Body(f, 0, 0, f.Width(), f.Height(), r, c.rim, c.top, c.bottom, gloss && st != kDisabled);
}

}  // namespace

Bitmap DrawPushButton(const Style& s) {
  return Strip(5, 64, 24, [&](Bitmap& f, int i) {
    f.Fill(s.face);
    static const State states[5] = {kNormal, kPressed, kDisabled, kHot, kNormal};
    const double r = std::min<double>(s.buttonRadius, 11);
    Control(f, s, states[i], r, true);
    if (i == 4) {  // the default button: an accent ring inside the rim
      FillAll(f, Outline(RoundRect(1, 1, 63, 23, r - 1), RoundRect(2.4, 2.4, 61.6, 21.6, std::max(r - 2.4, 0.0))), Solid(s.accent), 0.8);
    }
    MaskOutside(f, RoundRect(0, 0, 64, 24, r));
  });
}

static Bitmap Glyphs13(const Style& s, bool round) {
  return Strip(6, 13, 13, [&](Bitmap& f, int i) {
    f.Fill(s.face);
    const bool on = i == 1 || i == 4 || i == 5;
    const State st = i == 2 || i == 5 ? kDisabled : i == 3 || i == 4 ? kHot : kNormal;
    Face c = FaceFor(s, st);
    uint32_t mark = st == kDisabled ? Mix(s.accent, s.face, 0.6) : s.accent;
    if (round) {
      FillAll(f, Circle(6.5, 6.5, 6.4), Solid(c.rim));
      FillAll(f, Circle(6.5, 6.5, 5.4), VGradient(1, 12, s.window, Mix(s.window, c.bottom, 0.6)));
      if (on) FillAll(f, Circle(6.5, 6.5, 3), VGradient(3.5, 9.5, Lighten(mark, 0.3), mark));
      MaskOutside(f, Circle(6.5, 6.5, 6.4));
    } else {
      Body(f, 0, 0, 13, 13, std::min(s.buttonRadius, 3), c.rim, s.window, Mix(s.window, c.bottom, 0.6));
      if (on) DrawGlyph(f, Glyph::kCheck, 6.5, 6.8, 9, mark);
    }
  });
}

Bitmap DrawCheckBox(const Style& s) { return Glyphs13(s, false); }
Bitmap DrawRadioButton(const Style& s) { return Glyphs13(s, true); }

Bitmap DrawScrollArrows(const Style& s) {
  static const Glyph dirs[4] = {Glyph::kLeft, Glyph::kRight, Glyph::kUp, Glyph::kDown};
  return Strip(23, 16, 16, [&](Bitmap& f, int i) {
    f.Fill(s.face);
    const State st = i < 16 ? static_cast<State>(i % 4) : kNormal;
    Control(f, s, st, std::min(s.buttonRadius, 4), true);
    if (i < 16) DrawGlyph(f, dirs[i / 4], 8, 8, 9, st == kDisabled ? Mix(s.text, s.face, 0.6) : Mix(s.text, s.accentDark, 0.5));
  });
}

Bitmap DrawScrollShaft(const Style& s, bool vertical) {
  const int w = vertical ? 16 : 32, h = vertical ? 32 : 16;
  return Strip(4, w, h, [&](Bitmap& f, int i) {
    uint32_t track = Mix(s.face, s.buttonBorder, i == 1 ? 0.3 : 0.15);
    f.Fill(track);
    Paint shade = vertical ? HGradient(0, w, Darken(track, 0.06), Lighten(track, 0.25))
                           : VGradient(0, h, Darken(track, 0.06), Lighten(track, 0.25));
    FillAll(f, [](double, double) { return true; }, shade);
  });
}

Bitmap DrawScrollThumb(const Style& s, bool vertical) {
  const int w = vertical ? 16 : 32, h = vertical ? 32 : 16;
  return Strip(3, w, h, [&](Bitmap& f, int i) {
    f.Fill(Mix(s.face, s.buttonBorder, 0.15));
    uint32_t base = i == 1 ? s.accentDark : i == 2 ? Lighten(s.accent, 0.2) : s.accent;
    const double r = std::min(s.buttonRadius, 7);
    Body(f, 1, 1, w - 1, h - 1, r, Darken(base, 0.25), Lighten(base, 0.35), base);
    FillAll(f, vertical ? RoundRect(2.5, 2.5, w / 2.0, h - 2.5, r / 2) : RoundRect(2.5, 2.5, w - 2.5, h / 2.0, r / 2),
            Solid(0xFFFFFF), 0.35);
    for (int k = -1; k <= 1; ++k)  // grip
      FillAll(f, vertical ? Capsule(5, h / 2.0 + 3 * k, w - 5, h / 2.0 + 3 * k, 0.6)
                          : Capsule(w / 2.0 + 3 * k, 5, w / 2.0 + 3 * k, h - 5, 0.6),
              Solid(Darken(base, 0.35)), 0.7);
    MaskOutside(f, RoundRect(1, 1, w - 1, h - 1, r));
  });
}

Bitmap DrawHeader(const Style& s) {
  return Strip(5, 40, 20, [&](Bitmap& f, int i) {
    uint32_t top = i == 1 ? Darken(s.buttonBottom, 0.05) : i == 3 ? Lighten(s.buttonTop, 0.2) : s.buttonTop;
    FillAll(f, [](double, double) { return true; }, VGradient(0, 20, top, s.buttonBottom));
    f.FillRect({0, 18, 40, 20}, i == 3 ? s.accent : Mix(s.buttonBottom, s.buttonBorder, 0.5));
    f.FillRect({38, 3, 39, 16}, Mix(s.buttonBottom, s.buttonBorder, 0.6));
    f.FillRect({39, 3, 40, 16}, Lighten(s.buttonTop, 0.5));
  });
}

Bitmap DrawStatusEdges(const Style& s) {
  return Strip(3, 20, 20, [&](Bitmap& f, int i) {
    f.Fill(s.face);
    if (i == 2) return;
    uint32_t dark = Mix(s.face, s.buttonBorder, 0.6), light = Lighten(s.face, 0.7);
    uint32_t tl = i == 0 ? dark : light, br = i == 0 ? light : dark;
    f.FillRect({0, 0, 20, 1}, tl);
    f.FillRect({0, 0, 1, 20}, tl);
    f.FillRect({0, 19, 20, 20}, br);
    f.FillRect({19, 0, 20, 20}, br);
    f.FillRect({1, 1, 19, 19}, i == 0 ? Darken(s.face, 0.03) : Lighten(s.face, 0.15));
  });
}

Bitmap DrawProgress(const Style& s) {
  return Strip(2, 40, 16, [&](Bitmap& f, int i) {
    f.Fill(s.face);
    if (i == 0) {
      Body(f, 0, 0, 40, 16, std::min(s.buttonRadius, 5), Mix(s.face, s.buttonBorder, 0.7), Darken(s.window, 0.08), s.window);
      return;
    }
    Body(f, 0, 0, 40, 16, std::min(s.buttonRadius, 5), s.accentDark, Lighten(s.accent, 0.35), s.accent, true);
    for (int x = -8; x < 40; x += 10)  // moving-stripe look
      FillAll(f, Both(RoundRect(1, 1, 39, 15, 4), Triangle(x, 15, x + 5, 15, x + 11, 1)), Solid(0xFFFFFF), 0.15);
  });
}

Bitmap DrawTabs(const Style& s) {
  return Strip(5, 40, 22, [&](Bitmap& f, int i) {
    f.Fill(s.face);
    const bool selected = i == 1 || i == 4;
    Face c = FaceFor(s, i == 2 || i == 4 ? kHot : i == 3 ? kDisabled : kNormal);
    const double r = std::min(s.buttonRadius, 6);
    Inside tab = TopRoundRect(0, selected ? 0 : 2, 40, 22, r);
    FillAll(f, tab, Solid(selected ? s.accent : c.rim));
    FillAll(f, TopRoundRect(1, selected ? 2 : 3, 39, 22, std::max(r - 1, 0.0)),
            VGradient(2, 22, selected ? s.window : c.top, selected ? s.face : c.bottom));
    MaskOutside(f, tab);
  });
}

Bitmap DrawTabBorder(const Style& s) {
  Bitmap f(40, 40, s.face);
  f.FillRect({0, 0, 40, 40}, s.buttonBorder);
  f.FillRect({1, 1, 39, 39}, Lighten(s.face, 0.5));
  f.FillRect({2, 2, 38, 38}, s.face);
  return f;
}

Bitmap DrawComboButton(const Style& s) {
  static const State states[4] = {kNormal, kHot, kPressed, kDisabled};
  return Strip(4, 17, 20, [&](Bitmap& f, int i) {
    f.Fill(s.window);
    Control(f, s, states[i], std::min(s.buttonRadius, 3), true);
  });
}

Bitmap DrawComboArrow(const Style& s) {
  return Strip(5, 9, 9, [&](Bitmap& f, int i) {
    DrawGlyph(f, Glyph::kDown, 4.5, 4.5, 9, i == 3 ? Mix(s.text, s.face, 0.6) : Mix(s.text, s.accentDark, 0.5));
  });
}

Bitmap DrawSunkenEdge(const Style& s) {
  return Strip(4, 20, 20, [&](Bitmap& f, int i) {
    uint32_t rim = i == 1 ? Mix(s.buttonBorder, s.accent, 0.5) : i == 2 ? s.accent : i == 3 ? Mix(s.buttonBorder, s.face, 0.6) : s.buttonBorder;
    f.Fill(rim);
    f.FillRect({1, 1, 19, 19}, i == 3 ? s.face : Darken(s.window, 0.04));
    f.FillRect({2, 2, 18, 18}, i == 3 ? s.face : s.window);
  });
}

Bitmap DrawUpDown(const Style& s, bool vertical) {
  const int w = vertical ? 16 : 11, h = vertical ? 11 : 16;
  return Strip(8, w, h, [&](Bitmap& f, int i) {
    f.Fill(s.face);
    Control(f, s, static_cast<State>(i % 4), std::min(s.buttonRadius, 3), true);
  });
}

Bitmap DrawUpDownGlyphs(const Style& s, bool vertical) {
  return Strip(8, 7, 7, [&](Bitmap& f, int i) {
    Glyph g = vertical ? (i < 4 ? Glyph::kUp : Glyph::kDown) : (i < 4 ? Glyph::kLeft : Glyph::kRight);
    DrawGlyph(f, g, 3.5, 3.5, 7, i % 4 == 3 ? Mix(s.text, s.face, 0.6) : Mix(s.text, s.accentDark, 0.5));
  });
}

Bitmap DrawGroupBox(const Style& s) {
  return Strip(2, 20, 20, [&](Bitmap& f, int i) {
    f.Fill(s.face);
    FillAll(f, Outline(RoundRect(0, 0, 20, 20, 4), RoundRect(1, 1, 19, 19, 3)),
            Solid(i == 0 ? Mix(s.buttonBorder, s.face, 0.3) : Mix(s.buttonBorder, s.face, 0.6)));
    MaskOutside(f, Outline(RoundRect(0, 0, 20, 20, 4), RoundRect(1, 1, 19, 19, 3)));
  });
}

Bitmap DrawToolbarButton(const Style& s) {
  return Strip(5, 40, 24, [&](Bitmap& f, int i) {
    f.Fill(s.face);
    if (i == 0 || i == 2) return;  // plain and disabled buttons show the bar through
    Face c = FaceFor(s, i == 3 ? kHot : kPressed);
    Body(f, 0, 0, 40, 24, std::min(s.buttonRadius, 4), c.rim, i == 4 ? Lighten(s.accent, 0.7) : c.top, c.bottom);
  });
}

}  // namespace art
