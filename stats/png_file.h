// Pictures of the statistics and the space map saved as PNG (Debian's
// stb_image_write, encoded in memory and written in one go, so a failed
// write leaves no half file).
#pragma once

#include <cstdint>
#include <string>

namespace stats {

// `pixels`: width x height, top row first, each 0xAARRGGBB (B, G, R, A in
// memory, as a 32-bit DIB holds them); written opaque. The PNG's bytes;
// empty when it cannot be encoded.
std::string EncodePng(const uint32_t* pixels, int width, int height);

}  // namespace stats
