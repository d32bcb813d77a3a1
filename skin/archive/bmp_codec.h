// Windows BMP files to and from Bitmap. Reading takes the uncompressed
// depths (1, 4, 8, 16, 24 and 32 bits); writing produces 24-bit files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "skin/image/bitmap.h"

namespace skin {

// Largest image a skin may hold: each side and the total pixel count.
inline constexpr int kMaxBmpSide = 8192;
inline constexpr int64_t kMaxBmpPixels = 16 * 1024 * 1024;

// False, with `error` set and `out` empty, for anything that is not a sound
// BMP: wrong magic, a bad or unsupported header, dimensions beyond the
// limits above, or pixel data that does not fit in the file.
bool DecodeBmp(std::string_view data, Bitmap& out, std::string& error);

std::string EncodeBmp24(const Bitmap& bitmap);

}  // namespace skin
