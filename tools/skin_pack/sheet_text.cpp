#include "tools/skin_pack/sheet_text.h"

#include <string>
#include <vector>

#include "platform/file_io.h"
#include "platform/text.h"
#include "tools/skin_pack/art_canvas.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#define STB_TRUETYPE_IMPLEMENTATION
#define STBTT_STATIC
#include <stb_truetype.h>
#pragma GCC diagnostic pop

namespace sheet {
namespace {

struct Font {
  std::string data;
  stbtt_fontinfo info{};
  bool ok = false;
  Font() {
    for (const char* path : {"/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"}) {
      if (!fileio::ReadWholeFile(path, data)) continue;
      const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
      if (stbtt_InitFont(&info, bytes, stbtt_GetFontOffsetForIndex(bytes, 0))) {
        ok = true;
        return;
      }
    }
  }
};

const Font& TheFont() {
  static const Font font;
  return font;
}

}  // namespace

int DrawText(skin::Bitmap& b, int x, int y, std::string_view utf8, float px, uint32_t colour, bool measureOnly) {
  const Font& f = TheFont();
  if (!f.ok) return 0;
  float scale = stbtt_ScaleForPixelHeight(&f.info, px);
  int ascent, descent, gap;
  stbtt_GetFontVMetrics(&f.info, &ascent, &descent, &gap);
  int baseline = y + static_cast<int>(ascent * scale);
  float pen = static_cast<float>(x);
  size_t i = 0;
  while (i < utf8.size()) {
    char32_t cp = text::NextCodePoint(utf8, i);
    int advance, lsb;
    stbtt_GetCodepointHMetrics(&f.info, static_cast<int>(cp), &advance, &lsb);
    if (!measureOnly) {
      int w, h, xo, yo;
      unsigned char* glyph = stbtt_GetCodepointBitmap(&f.info, scale, scale, static_cast<int>(cp), &w, &h, &xo, &yo);
      for (int gy = 0; gy < h; ++gy)
        for (int gx = 0; gx < w; ++gx) {
          int px0 = static_cast<int>(pen) + xo + gx, py0 = baseline + yo + gy;
          if (px0 < 0 || py0 < 0 || px0 >= b.Width() || py0 >= b.Height()) continue;
          b.Set(px0, py0, art::Mix(b.At(px0, py0), colour, glyph[gy * w + gx] / 255.0));
        }
      stbtt_FreeBitmap(glyph, nullptr);
    }
    pen += advance * scale;
  }
  return static_cast<int>(pen) - x;
}

}  // namespace sheet
