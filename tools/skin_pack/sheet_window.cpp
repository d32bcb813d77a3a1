// The mock window of the skin sheets: borders, caption text, caption
// buttons, menu bar and window shape drawn by the frame's own layout code.
#include "tools/skin_pack/sheet_parts.h"

#include <algorithm>
#include <string>

#include "skin/layout/frame_layout.h"
#include "skin/image/img_util.h"
#include "tools/skin_pack/sheet_text.h"

namespace sheet {

using namespace skin;

namespace {

constexpr int kMenuBarHeight = 20;

// Text clipped to `r`, as the frame draws it into its text rectangle.
void DrawTextIn(Bitmap& to, Rect r, std::string_view text, float px, uint32_t colour) {
  Rect clip{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, to.Width()), std::min(r.bottom, to.Height())};
  if (clip.Empty()) return;
  Bitmap part = to.Crop(clip);
  DrawText(part, r.left - clip.left, r.top - clip.top, text, px, colour);
  CopyBlit(to, clip.left, clip.top, part);
}

// A stand-in for the window icon that window-menu buttons show.
Bitmap MockIcon() {
  Bitmap icon(16, 16, 0xF0C040);
  icon.FillRect({3, 3, 13, 13}, 0x4070C0);
  return icon;
}

void DrawCaptionButtons(Bitmap& win, const SkinModel& m, const FrameFacts& facts, Rect textBox, const Thickness& th) {
  static const Bitmap icon = MockIcon();
  for (const TDataSkinSysButton& b : m.sysButtons) {
    if (!ButtonVisible(b, facts) || b.visibility == 100) continue;  // visibility 100 belongs to the menu bar
    const bool showsIcon = b.image.Empty() && (b.action == 3 || b.action == 11);
    const Bitmap& image = showsIcon ? icon : b.image;
    if (image.Empty()) continue;
    const int frames = showsIcon ? 1 : std::max(b.frameCount, 1);
    Rect r = PlaceCaptionButton(b, image.Width() / frames, image.Height(), win.Width(), textBox, th, kMenuBarHeight,
                                m.menuBar ? m.menuBar->leftWidth : -1);
    DrawFrame(win, r, image, true, frames, CaptionButtonFrame(facts.active, frames));
  }
}

void DrawMenuBar(Bitmap& win, Rect bar, const SkinModel& m, bool active) {
  int itemX = 6;
  if (m.menuBar) {
    DrawElement(win, bar, m.menuBar.get(), active ? 1 : 2, true);
    itemX = m.menuBar->leftWidth + 4;
  } else {
    win.FillRect(bar, Px(m.colours.menubar));
  }
  for (const char* item : {"文件(F)", "编辑(E)", "查看(V)", "帮助(H)"}) {
    DrawText(win, bar.left + itemX + 5, bar.top + 3, item, 13, Px(m.colours.menuBarText));
    itemX += TextWidth(item, 13) + 10;
  }
}

}  // namespace

uint32_t Px(TColor c) { return ColourToPixel(c); }

void DrawElement(Bitmap& to, Rect r, const TDataSkinObject* e, int frame, bool vertical) {
  if (!e || e->image.Empty()) return;
  DrawNineSlice(to, r, e->image, vertical, e->trans != 0, e->frameCount, frame,
                {e->leftWidth, e->topHeight, e->rightWidth, e->bottomHeight}, e->tile != 0);
}

void DrawWindow(Bitmap& to, int x0, int y0, int W, int H, const SkinModel& m, bool active, const char* title) {
  const Thickness th = BorderThickness(m);
  // The window is composed over what lies beneath it, then only its region
  // is put back, so the sheet shows the window's shape.
  Bitmap win = to.Crop({x0, y0, x0 + W, y0 + H});
  if (win.Width() != W || win.Height() != H) return;
  win.FillRect({th.left, th.top, W - th.right, H - th.bottom}, Px(m.colours.buttonFace));
  for (BorderSide side : {kLeftBorder, kRightBorder, kBottomBorder, kTopBorder})
    DrawBorder(win, BorderRect(side, W, H, th), m.borders[side], side, active);

  // Caption text over its background, then the caption buttons of a normal
  // window with both boxes and a system menu.
  const TDataSkinTitle& t = m.title;
  const float px = static_cast<float>(t.fontHeight);
  const std::string text = std::string(title) + "   ";
  const Rect area{th.left, 0, W - th.right, th.top};
  const CaptionTextPlace place = PlaceCaptionText(t, TextWidth(text, px), static_cast<int>(px), area);
  if (!t.image.Empty())
    DrawThreeSlice(win, {place.box.left, area.top, place.box.right, area.bottom}, t.image, true, true, 2,
                   active ? 1 : 2, t.textBackLeft, t.textBackRight);
  DrawTextIn(win, place.text, text, px, Px(active ? m.colours.titleTextActive : m.colours.titleTextInactive));
  FrameFacts facts;
  facts.active = active;
  facts.menuBarHeight = kMenuBarHeight;
  DrawCaptionButtons(win, m, facts, place.box, th);

  DrawMenuBar(win, {th.left, th.top, W - th.right, th.top + kMenuBarHeight}, m, active);
  for (const Rect& r : FrameRegionRects(m, W, H, th)) StretchCopy(to, r.Offset(x0, y0), win, r);
}

}  // namespace sheet
