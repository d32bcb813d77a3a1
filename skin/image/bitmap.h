// A device-independent 32-bit bitmap, the portable form of every skin image.
// Pixels are 0x00RRGGBB (the byte order of a 32-bit top-down DIB), rows top
// first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skin {

inline constexpr uint32_t kMagenta = 0xFF00FF;  // the see-through colour of skins

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
  int width = 0, height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

inline uint32_t Rgb(int r, int g, int b) {
  return (static_cast<uint32_t>(r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}
inline int RedOf(uint32_t p) { return (p >> 16) & 0xFF; }
inline int GreenOf(uint32_t p) { return (p >> 8) & 0xFF; }
inline int BlueOf(uint32_t p) { return p & 0xFF; }

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, uint32_t fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  void Clear() { *this = Bitmap(); }

  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  void Set(int x, int y, uint32_t p) { pixels_[static_cast<size_t>(y) * width_ + x] = p; }
  // Writes only inside the bitmap.
  void SetClipped(int x, int y, uint32_t p) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) Set(x, y, p);
  }
  uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const std::vector<uint32_t>& Pixels() const { return pixels_; }

  void Fill(uint32_t p);
  void FillRect(Rect r, uint32_t p);  // clipped to the bitmap
  // A copy of the part `r` (clipped).
  Bitmap Crop(Rect r) const;

  friend bool operator==(const Bitmap&, const Bitmap&) = default;

 private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace skin
