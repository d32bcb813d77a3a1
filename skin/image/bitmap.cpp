#include "skin/image/bitmap.h"

#include <algorithm>

namespace skin {

Bitmap::Bitmap(int width, int height, uint32_t fill) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<size_t>(width) * height, fill);
}

void Bitmap::Fill(uint32_t p) { std::fill(pixels_.begin(), pixels_.end(), p); }

void Bitmap::FillRect(Rect r, uint32_t p) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, width_);
  r.bottom = std::min(r.bottom, height_);
  for (int y = r.top; y < r.bottom; ++y) std::fill(Row(y) + r.left, Row(y) + std::max(r.left, r.right), p);
}

Bitmap Bitmap::Crop(Rect r) const {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, width_);
  r.bottom = std::min(r.bottom, height_);
  Bitmap out(r.Width(), r.Height());
  for (int y = 0; y < out.Height(); ++y) std::copy(Row(r.top + y) + r.left, Row(r.top + y) + r.right, out.Row(y));
  return out;
}

}  // namespace skin
