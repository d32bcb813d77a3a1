#include "stats/png_file.h"

#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "stb_image_write.h"

namespace stats {

std::string EncodePng(const uint32_t* pixels, int width, int height) {
  if (!pixels || width <= 0 || height <= 0) return {};
  std::vector<unsigned char> rgb(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) {
    rgb[i * 3] = static_cast<unsigned char>(pixels[i] >> 16);
    rgb[i * 3 + 1] = static_cast<unsigned char>(pixels[i] >> 8);
    rgb[i * 3 + 2] = static_cast<unsigned char>(pixels[i]);
  }
  std::string out;
  auto append = [](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
  };
  if (!stbi_write_png_to_func(append, &out, width, height, 3, rgb.data(), width * 3)) return {};
  return out;
}

}  // namespace stats
