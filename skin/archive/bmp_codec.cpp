#include "skin/archive/bmp_codec.h"

#include <cstdlib>
#include <cstring>

#include "skin/archive/stored_skin.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_MAX_DIMENSIONS 8192
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace skin {
namespace {

int32_t Le32(std::string_view d, size_t at) { return static_cast<int32_t>(ReadLE32(d.data() + at)); }
int Le16(std::string_view d, size_t at) {
  return static_cast<uint8_t>(d[at]) | (static_cast<uint8_t>(d[at + 1]) << 8);
}

// Checks the headers before the library sees the data, so that a file
// claiming a huge image is refused before anything is allocated.
bool CheckHeader(std::string_view d, std::string& error) {
  if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') return error = "not a BMP file", false;
  int32_t dataOffset = Le32(d, 10);
  int32_t headerSize = Le32(d, 14);
  int64_t width, height;
  int planes, bits, compression = 0;
  if (headerSize == 12) {
    width = Le16(d, 18);
    height = static_cast<int16_t>(Le16(d, 20));
    planes = Le16(d, 22);
    bits = Le16(d, 24);
  } else if (headerSize >= 40 && headerSize <= 124) {
    if (d.size() < 14 + 40u) return error = "BMP header cut short", false;
    width = Le32(d, 18);
    height = Le32(d, 22);
    planes = Le16(d, 26);
    bits = Le16(d, 28);
    compression = Le32(d, 30);
  } else {
    return error = "unknown BMP header size", false;
  }
  if (planes != 1) return error = "BMP with more than one plane", false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return error = "unsupported BMP depth", false;
  if (compression != 0 && compression != 3 && compression != 6)
    return error = "compressed BMP", false;
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxBmpSide || height > kMaxBmpSide ||
      width * height > kMaxBmpPixels)
    return error = "BMP dimensions out of range", false;
  int64_t stride = (width * bits + 31) / 32 * 4;
  if (dataOffset < 14 + headerSize || static_cast<int64_t>(d.size()) < dataOffset + stride * height)
    return error = "BMP pixel data cut short", false;
  return true;
}

}  // namespace

bool DecodeBmp(std::string_view data, Bitmap& out, std::string& error) {
  out.Clear();
  if (!CheckHeader(data, error)) return false;
  int w = 0, h = 0, channels = 0;
  stbi_uc* rgba = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(data.data()),
                                        static_cast<int>(data.size()), &w, &h, &channels, 4);
  if (!rgba) {
    error = std::string("BMP not readable: ") + stbi_failure_reason();
    return false;
  }
  out = Bitmap(w, h);
  const stbi_uc* p = rgba;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x, p += 4) out.Set(x, y, Rgb(p[0], p[1], p[2]));
  stbi_image_free(rgba);
  return true;
}

std::string EncodeBmp24(const Bitmap& bitmap) {
  const int w = bitmap.Width(), h = bitmap.Height();
  const uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
  const uint32_t imageBytes = stride * static_cast<uint32_t>(h);
  std::string out;
  out += "BM";
  AppendLE32(out, 54 + imageBytes);
  AppendLE32(out, 0);
  AppendLE32(out, 54);
  AppendLE32(out, 40);
  AppendLE32(out, static_cast<uint32_t>(w));
  AppendLE32(out, static_cast<uint32_t>(h));  // positive: rows bottom first
  out += std::string("\x01\x00\x18\x00", 4);
  AppendLE32(out, 0);
  AppendLE32(out, imageBytes);
  AppendLE32(out, 2835);
  AppendLE32(out, 2835);
  AppendLE32(out, 0);
  AppendLE32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    size_t rowStart = out.size();
    for (int x = 0; x < w; ++x) {
      uint32_t p = bitmap.At(x, y);
      out.push_back(static_cast<char>(BlueOf(p)));
      out.push_back(static_cast<char>(GreenOf(p)));
      out.push_back(static_cast<char>(RedOf(p)));
    }
    out.resize(rowStart + stride, '\0');
  }
  return out;
}

}  // namespace skin
