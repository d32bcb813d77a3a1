#include "tools/skin_pack/art_controls.h"
#include "tools/skin_pack/art_frame.h"

namespace art {

Bitmap DrawMenuBar(const Style& s) {
  return Strip(2, 40, 20, [&](Bitmap& f, int i) {
    uint32_t top = i == 0 ? s.menuBarTop : Mix(s.menuBarTop, s.face, 0.5);
    uint32_t bottom = i == 0 ? s.menuBarBottom : Mix(s.menuBarBottom, s.face, 0.5);
    FillAll(f, [](double, double) { return true; }, VGradient(0, 20, top, bottom));
    f.FillRect({0, 19, 40, 20}, Mix(bottom, s.buttonBorder, 0.5));
  }, true);
}

Bitmap DrawMenuItem(const Style& s) {
  return Strip(5, 40, 20, [&](Bitmap& f, int i) {
    if (i == 1) {  // separator: an etched line in the lower part of the frame
      f.FillRect({2, 12, 38, 13}, Mix(s.menu, s.buttonBorder, 0.45));
      f.FillRect({2, 13, 38, 14}, Lighten(s.menu, 0.6));
    } else if (i == 3) {
      Body(f, 0, 0, 40, 20, std::min(s.buttonRadius, 4), s.accentDark, Lighten(s.accent, 0.25), s.accent);
      MaskOutside(f, RoundRect(0, 0, 40, 20, std::min(s.buttonRadius, 4)));
    }
  });
}

Bitmap DrawMenuBackground(const Style& s) {
  Bitmap f(40, 40, s.buttonBorder);
  f.FillRect({1, 1, 39, 39}, Lighten(s.menu, 0.6));
  f.FillRect({2, 2, 38, 38}, s.menu);
  // A band of the accent down the glyph column.
  f.FillRect({2, 2, 3, 38}, Mix(s.menu, s.accent, 0.35));
  return f;
}

}  // namespace art
