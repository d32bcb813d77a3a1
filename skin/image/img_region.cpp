#include <algorithm>

#include "skin/image/img_util.h"

namespace skin {

std::vector<Rect> RegionFromBitmap(const Bitmap& bitmap, int xOffset, int yOffset, int blueTolerance,
                                   int greenTolerance, int redTolerance, uint32_t key) {
  const int kr = RedOf(key), kg = GreenOf(key), kb = BlueOf(key);
  const int maxR = std::min(255, kr + redTolerance), maxG = std::min(255, kg + greenTolerance),
            maxB = std::min(255, kb + blueTolerance);
  auto seeThrough = [&](uint32_t p) {
    int r = RedOf(p), g = GreenOf(p), b = BlueOf(p);
    return r >= kr && r <= maxR && g >= kg && g <= maxG && b >= kb && b <= maxB;
  };
  std::vector<Rect> rects;
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint32_t* row = bitmap.Row(y);
    int x = 0;
    while (x < bitmap.Width()) {
      while (x < bitmap.Width() && seeThrough(row[x])) ++x;
      int start = x;
      while (x < bitmap.Width() && !seeThrough(row[x])) ++x;
      if (x > start) rects.push_back({start + xOffset, y + yOffset, x + xOffset, y + 1 + yOffset});
    }
  }
  return rects;
}

}  // namespace skin
