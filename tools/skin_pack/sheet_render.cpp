#include "tools/skin_pack/sheet_render.h"

#include <algorithm>

#include "skin/image/img_util.h"
#include "tools/skin_pack/sheet_parts.h"
#include "tools/skin_pack/sheet_text.h"

namespace sheet {
namespace {

using namespace skin;

void Caption(Bitmap& to, int x, int y, const char* text, uint32_t colour, int w, int h) {
  int tw = TextWidth(text, 13);
  DrawText(to, x + (w - tw) / 2, y + (h - 13) / 2 - 1, text, 13, colour);
}

void DrawButtons(Bitmap& to, int x, int y, const SkinModel& m) {
  const char* labels[5] = {"确定", "按下", "不可用", "热点", "默认"};
  for (int i = 0; i < 5; ++i) {
    Rect r{x + i * 66, y, x + i * 66 + 62, y + 24};
    DrawElement(to, r, &m.buttons, i + 1);
    TColor c = i == 0 ? m.buttons.normalColour2 : i == 1 ? m.buttons.downColour2 : i == 3 ? m.buttons.overColour2 : m.colours.buttonText;
    if (i == 2) c = m.colours.buttonShadow;
    Caption(to, r.left, r.top, labels[i], Px(c), 62, 24);
  }
  const Bitmap* glyphs[2] = {&m.buttons.checkImage, &m.buttons.radioImage};
  const int counts[2] = {m.buttons.checkFrameCount, m.buttons.radioFrameCount};
  for (int g = 0; g < 2; ++g)
    for (int f = 0; f < 6; ++f) {
      int gx = x + f * 54, gy = y + 34 + g * 20;
      Rect fr = LocateFrame(*glyphs[g], counts[g], f + 1);
      TransparentBlit(to, {gx, gy, gx + fr.Width(), gy + fr.Height()}, glyphs[g]->Crop(fr));
      DrawText(to, gx + 17, gy - 2, g ? "单选" : "复选", 13, Px(m.colours.buttonText));
    }
}

void DrawScrollBar(Bitmap& to, Rect bar, const SkinModel& m, bool vertical, int thumbAt, bool pressed) {
  const int b = 16;
  to.FillRect(bar, Px(m.colours.scrollbar));
  const TDataSkinObject* shaft = vertical ? m.vertScroll.get() : m.horzScroll.get();
  Rect track = vertical ? Rect{bar.left, bar.top + b, bar.right, bar.bottom - b} : Rect{bar.left + b, bar.top, bar.right - b, bar.bottom};
  DrawElement(to, track, shaft, 1);
  const TDataSkinObject* arrows = m.scrollbar.get();
  int first = vertical ? 9 : 1, second = vertical ? 13 : 5;
  Rect a1 = vertical ? Rect{bar.left, bar.top, bar.right, bar.top + b} : Rect{bar.left, bar.top, bar.left + b, bar.bottom};
  Rect a2 = vertical ? Rect{bar.left, bar.bottom - b, bar.right, bar.bottom} : Rect{bar.right - b, bar.top, bar.right, bar.bottom};
  if (arrows) {
    DrawFrame(to, a1, arrows->image, false, 23, first + (pressed ? 1 : 0));
    DrawFrame(to, a2, arrows->image, false, 23, second);
  }
  const TDataSkinObject* thumb = vertical ? m.vertScrollThumb.get() : m.horzScrollThumb.get();
  Rect t = vertical ? Rect{bar.left, track.top + thumbAt, bar.right, track.top + thumbAt + 40}
                    : Rect{track.left + thumbAt, bar.top, track.left + thumbAt + 50, bar.bottom};
  if (thumb)
    DrawNineSlice(to, t, thumb->image, false, thumb->trans != 0, thumb->frameCount, pressed ? 2 : 1,
                  {thumb->leftWidth, thumb->topHeight, thumb->rightWidth, thumb->bottomHeight});
}

void DrawPopupMenu(Bitmap& to, Rect r, const SkinModel& m) {
  DrawElement(to, r, m.menuBackground.get(), 1);
  const char* items[5] = {"打开快照(&O)", "重命名...", "-", "删除快照", "属性"};
  int y = r.top + 3;
  for (int i = 0; i < 5; ++i) {
    bool sep = items[i][0] == '-';
    int h = sep ? 8 : 20;
    Rect item{r.left + 3, y, r.right - 3, y + h};
    if (m.menuItem) {
      if (sep) {
        Rect fr = LocateFrame(m.menuItem->image, 5, 2);
        Rect lower{fr.left, fr.bottom - std::min(h, fr.Height()), fr.right, fr.bottom};
        DrawThreeSlice(to, item, m.menuItem->image.Crop(lower), false, true, 1, 1, m.menuItem->leftWidth, m.menuItem->rightWidth);
      } else {
        DrawElement(to, item, m.menuItem.get(), i == 1 ? 4 : 1);
      }
    }
    if (!sep) DrawText(to, item.left + 22, item.top + 3, items[i], 13, Px(i == 1 ? m.colours.hilightText : m.colours.menuText));
    y += h;
  }
}

void DrawControls(Bitmap& to, int x, int y, const SkinModel& m) {
  DrawScrollBar(to, {x, y, x + 220, y + 16}, m, false, 30, false);
  DrawScrollBar(to, {x, y + 24, x + 220, y + 40}, m, false, 110, true);
  DrawScrollBar(to, {x + 230, y, x + 246, y + 150}, m, true, 20, false);
  // Progress at 60%: the trough, then the bar.
  if (m.progress) {
    Rect trough{x, y + 52, x + 220, y + 68};
    DrawElement(to, trough, m.progress.get(), 1);
    DrawElement(to, {trough.left, trough.top, trough.left + 132, trough.bottom}, m.progress.get(), 2);
  }
  // Header with three columns, and a status bar with its three panel kinds.
  int hx = x;
  for (const char* col : {"名称", "大小", "类型"}) {
    DrawElement(to, {hx, y + 78, hx + 72, y + 98}, m.headerbar.get(), hx == x + 72 ? 4 : 1);
    DrawText(to, hx + 5, y + 81, col, 13, Px(m.colours.buttonText));
    hx += 72;
  }
  for (int p = 0; p < 3; ++p) {
    Rect panel{x + p * 74, y + 106, x + p * 74 + 72, y + 126};
    DrawElement(to, panel, m.statusBarEdges.get(), p + 1);
    DrawText(to, panel.left + 5, panel.top + 3, p == 0 ? "共 12 项" : p == 1 ? "就绪" : "平面", 13, Px(m.colours.buttonText));
  }
  // Tabs over their page border.
  int tx = x + 260;
  if (m.tabs) {
    DrawNineSlice(to, {tx, y + 20, tx + 230, y + 120}, m.tabs->image2, false, false, 1, 1, {3, 3, 3, 3});
    const char* labels[3] = {"常规", "高级", "关于"};
    for (int i = 0; i < 3; ++i) {
      bool sel = i == 0;
      Rect r{tx + 2 + i * 66 + (sel ? 0 : 2), y + (sel ? 0 : 2), tx + 2 + i * 66 + 64, y + 22};
      DrawElement(to, r, m.tabs.get(), sel ? 2 : i == 1 ? 3 : 1);
      DrawText(to, r.left + 16, r.top + 4, labels[i], 13, Px(m.colours.buttonText));
    }
  }
  // Combo box: sunken edge, drop button and arrow glyph; an edit in each
  // edge state; an up-down pair.
  int cx = tx, cy = y + 130;
  DrawElement(to, {cx, cy, cx + 140, cy + 22}, m.sunkEdge.get(), 1);
  DrawText(to, cx + 5, cy + 4, "光盘 (D:)", 13, Px(m.colours.windowText));
  DrawElement(to, {cx + 121, cy + 2, cx + 138, cy + 20}, m.comboButton.get(), 2);
  if (m.extraImages) {
    Rect fr = LocateFrame(m.extraImages->image, 5, 1);
    TransparentBlit(to, {cx + 125, cy + 7, cx + 125 + fr.Width(), cy + 7 + fr.Height()}, m.extraImages->image.Crop(fr));
  }
  for (int s = 0; s < 4; ++s) DrawElement(to, {cx + 150 + s * 20, cy, cx + 166 + s * 20, cy + 22}, m.sunkEdge.get(), s + 1);
  if (m.upDownVert) {
    Rect u{cx + 232, cy - 2, cx + 248, cy + 10}, d{cx + 232, cy + 10, cx + 248, cy + 22};
    DrawElement(to, u, m.upDownVert.get(), 1);
    DrawElement(to, d, m.upDownVert.get(), 7);
    const Bitmap& g = m.upDownVert->image2;
    Rect g1 = LocateFrame(g, 8, 1), g2 = LocateFrame(g, 8, 5);
    TransparentBlit(to, {u.left + 4, u.top + 2, u.left + 11, u.top + 9}, g.Crop(g1));
    TransparentBlit(to, {d.left + 4, d.top + 2, d.left + 11, d.top + 9}, g.Crop(g2));
  }
  // Group box and tool bar buttons.
  int gx = x + 500;
  DrawElement(to, {gx, y + 8, gx + 130, y + 80}, m.groupBoxEdge.get(), 1);
  DrawText(to, gx + 10, y, "选项", 13, Px(m.colours.buttonText));
  for (int i = 0; i < 5; ++i) DrawElement(to, {gx + i * 28, y + 90, gx + i * 28 + 26, y + 114}, m.toolbars.get(), i + 1);
  DrawPopupMenu(to, {gx + 130 - 140 + 10, y + 160, gx + 140, y + 160 + 6 + 4 * 20 + 8}, m);
}

// The raw caption-button strips, doubled in size, for a close look.
void DrawCaptionStrips(Bitmap& to, int x, int y, const SkinModel& m) {
  for (const TDataSkinSysButton& b : m.sysButtons) {
    if (b.image.Empty()) continue;
    Bitmap back(b.image.Width() * 2, b.image.Height() * 2, 0x808080);
    StretchCopy(back, {0, 0, back.Width(), back.Height()}, b.image, {0, 0, b.image.Width(), b.image.Height()});
    CopyBlit(to, x, y, back);
    x += back.Width() + 12;
  }
}

}  // namespace

Bitmap RenderSheet(const SkinModel& m) {
  Bitmap sheet(780, 620, Px(m.colours.buttonFace));
  sheet.FillRect({0, 0, 780, 250}, 0x5A6E7E);  // a desktop behind the windows shows the corners
  DrawWindow(sheet, 16, 16, 360, 220, m, true, ("Vorlune - " + m.skinName).c_str());
  DrawWindow(sheet, 396, 16, 360, 220, m, false, "Vorlune - 创建快照");
  DrawButtons(sheet, 28, 90, m);
  DrawControls(sheet, 16, 270, m);
  DrawCaptionStrips(sheet, 16, 560, m);
  return sheet;
}

}  // namespace sheet
