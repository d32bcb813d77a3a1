#include <algorithm>

#include "skin/image/img_util.h"

namespace skin {

void FlipVertical(Bitmap& bitmap) {
  for (int top = 0, bottom = bitmap.Height() - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(bitmap.Row(top), bitmap.Row(top) + bitmap.Width(), bitmap.Row(bottom));
}

void RotateLeft(Bitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  Bitmap turned(h, w);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) turned.Set(y, w - 1 - x, bitmap.At(x, y));
  bitmap = std::move(turned);
}

void RotateRight(Bitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  Bitmap turned(h, w);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) turned.Set(h - 1 - y, x, bitmap.At(x, y));
  bitmap = std::move(turned);
}

}  // namespace skin
