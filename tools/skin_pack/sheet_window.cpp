// The mock window of the skin sheets: borders, caption text, caption
// buttons and menu bar placed as the frame painter places them.
#include "tools/skin_pack/sheet_parts.h"

#include "skin/img_util.h"
#include "tools/skin_pack/sheet_text.h"

namespace sheet {

using namespace skin;

uint32_t Px(TColor c) { return ColourToPixel(c); }

void DrawElement(Bitmap& to, Rect r, const TDataSkinObject* e, int frame, bool vertical) {
  if (!e || e->image.Empty()) return;
  DrawNineSlice(to, r, e->image, vertical, e->trans != 0, e->frameCount, frame,
                {e->leftWidth, e->topHeight, e->rightWidth, e->bottomHeight}, e->tile != 0);
}

void DrawWindow(Bitmap& to, int x0, int y0, int W, int H, const SkinModel& m, bool active, const char* title) {
  const auto& L = m.borders[kLeftBorder];
  const auto& R = m.borders[kRightBorder];
  const auto& T = m.borders[kTopBorder];
  const auto& B = m.borders[kBottomBorder];
  const int left = L.image.Width() / std::max(L.frameCount, 1), right = R.image.Width() / std::max(R.frameCount, 1);
  const int top = T.image.Height() / std::max(T.frameCount, 1), bottom = B.image.Height() / std::max(B.frameCount, 1);
  auto border = [&](const TDataSkinBorder& b, Rect r, bool stacked) {
    int frame = active || b.frameCount < 2 ? 1 : 2;
    // A stretch value of 1 stretches the middle; any other tiles it.
    DrawNineSlice(to, r.Offset(x0, y0), b.image, stacked, true, b.frameCount, frame,
                  {b.leftWidth, b.topHeight, b.rightWidth, b.bottomHeight}, b.tile != 1);
  };
  to.FillRect({x0 + left, y0 + top, x0 + W - right, y0 + H - bottom}, Px(m.colours.buttonFace));
  border(L, {0, 0, left, H}, false);
  border(R, {W - right, 0, W, H}, false);
  border(B, {left, H - bottom, W - right, H}, true);
  border(T, {left, 0, W - right, top}, true);

  // Caption text and its background.
  const TDataSkinTitle& t = m.title;
  float px = static_cast<float>(t.fontHeight);
  int textW = TextWidth(title, px) + t.textBackLeft + t.textBackRight;
  int areaL = left, areaR = W - right;
  int tx = t.textAlignment == 1 ? (areaL + areaR - textW) / 2 : t.textAlignment == 2 ? areaR + t.rightWidth - textW : areaL + t.leftWidth;
  if (!t.image.Empty())
    DrawThreeSlice(to, {x0 + tx, y0, x0 + tx + textW, y0 + top}, t.image, true, true, 2, active ? 1 : 2, t.textBackLeft,
                   t.textBackRight);
  TColor colour = active ? m.colours.titleTextActive : m.colours.titleTextInactive;
  DrawText(to, x0 + tx + t.textBackLeft, y0 + (top - static_cast<int>(px)) / 2 + t.topHeight / 2 - 1, title, px, Px(colour));

  // Caption buttons of a normal, not maximized window with both boxes.
  for (const TDataSkinSysButton& b : m.sysButtons) {
    if (b.visibility1 == 1 || b.align == 100) continue;
    int fw = 16, fh = 16;
    if (!b.image.Empty()) fw = b.image.Width() / std::max(b.frameCount, 1), fh = b.image.Height();
    int bx = b.align == 1 ? W - b.x : b.x;
    Rect r{x0 + bx, y0 + b.y, x0 + bx + fw, y0 + b.y + fh};
    if (b.image.Empty()) {  // the window icon
      to.FillRect(r, 0xF0C040);
      to.FillRect({r.left + 3, r.top + 3, r.right - 3, r.bottom - 3}, 0x4070C0);
      continue;
    }
    DrawFrame(to, r, b.image, true, b.frameCount, active || b.frameCount < 4 ? 1 : 4);
  }

  // Menu bar with three items.
  Rect bar{x0 + left, y0 + top, x0 + W - right, y0 + top + 20};
  int itemX = 6;
  if (m.menuBar) {
    DrawElement(to, bar, m.menuBar.get(), active ? 1 : 2, true);
    itemX = m.menuBar->leftWidth + 4;
  } else {
    to.FillRect(bar, Px(m.colours.menubar));
  }
  for (const char* item : {"文件(F)", "编辑(E)", "查看(V)", "帮助(H)"}) {
    DrawText(to, bar.left + itemX + 5, bar.top + 3, item, 13, Px(m.colours.menuBarText));
    itemX += TextWidth(item, 13) + 10;
  }
}

}  // namespace sheet
