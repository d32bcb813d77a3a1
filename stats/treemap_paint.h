// The space map's pixels, painted without a window so that the Windows
// window only blits them (a 32-bit top-down DIB section) and the painting
// is tested natively. Pixels are 0xAARRGGBB: in memory B, G, R, A, the
// byte order of a 32-bit DIB.
//
// Files are cushions (van Wijk and van de Wetering): each pixel lit by the
// normal of its rectangle's surface, so the nesting shows without lines.
// A folder shows its frame, its name strip (the text is the window's) and,
// where its children were too small to place, a cushion of its own.
#pragma once

#include <array>
#include <cstdint>

#include "catalog/file_category.h"
#include "stats/space_tree.h"
#include "stats/treemap_layout.h"

namespace stats {

struct TreemapColours {
  // By FileCategory: 图片 音乐 视频 文档 压缩包 程序 其他.
  std::array<uint32_t, catalog::kFileCategoryCount> category{0xFFE06060, 0xFF60C060, 0xFFA060E0, 0xFF5090E0,
                                                             0xFFE0A040, 0xFF40C0C0, 0xFFA0A0A0};
  uint32_t folder = 0xFFB0B0B0, frame = 0xFF606060, header = 0xFFD8D8D8;
  // Light from the top left, out of the screen; ambient and direct light.
  double lightX = -1, lightY = -1, lightZ = 10, ambient = 0.16, diffuse = 0.84;
};

// Paints the layout into `pixels` of `width` x `height` (`stride` pixels a
// row); what lies outside the buffer is left out.
void PaintTreemap(const SpaceTree& tree, const TreemapLayout& layout, const TreemapColours& colours, uint32_t* pixels,
                  int width, int height, int stride);

}  // namespace stats
