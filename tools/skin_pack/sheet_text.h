// Text for the skin sheets, through stb_truetype and a system font. Without
// the font the sheets are drawn without text.
#pragma once

#include <string_view>

#include "skin/image/bitmap.h"

namespace sheet {

// Draws UTF-8 `text` with its top-left corner at (x, y), `px` pixels high;
// returns the advance width.
int DrawText(skin::Bitmap& b, int x, int y, std::string_view text, float px, uint32_t colour, bool measureOnly = false);
inline int TextWidth(std::string_view text, float px) {
  skin::Bitmap none;
  return DrawText(none, 0, 0, text, px, 0, true);
}

}  // namespace sheet
