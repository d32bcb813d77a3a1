// The skinned frame's arithmetic: thicknesses and frame kinds, caption
// button visibility against the window's capabilities, button and caption
// text placement, border painting and the window region.
#include <gtest/gtest.h>

#include <utility>

#include "skin/layout/frame_layout.h"

namespace {

using namespace skin;

TDataSkinSysButton Button(int action, int visibility, int visibility1) {
  TDataSkinSysButton b;
  b.action = action;
  b.visibility = visibility;
  b.visibility1 = visibility1;
  return b;
}

// Which pixels of a w x h window the rectangles cover.
Bitmap Coverage(const std::vector<Rect>& rects, int w, int h) {
  Bitmap c(w, h, 0);
  for (const Rect& r : rects) c.FillRect(r, 1);
  return c;
}

TEST(SkinFrameLayout, ThicknessesAndFrameKinds) {
  SkinModel m;
  m.borders[kLeftBorder].image = Bitmap(8, 30);
  m.borders[kLeftBorder].frameCount = 2;  // side by side: 4 wide
  m.borders[kRightBorder].image = Bitmap(5, 30);
  m.borders[kRightBorder].frameCount = 0;  // counts as one
  m.borders[kTopBorder].image = Bitmap(40, 44);
  m.borders[kTopBorder].frameCount = 2;  // stacked: 22 high
  m.borders[kBottomBorder].image = Bitmap(40, 3);
  m.borders[kBottomBorder].frameCount = 1;
  Thickness th = BorderThickness(m);
  EXPECT_EQ(th.left, 4);
  EXPECT_EQ(th.right, 5);
  EXPECT_EQ(th.top, 22);
  EXPECT_EQ(th.bottom, 3);

  const uint32_t border = 0x00800000u, dlgFrame = 0x00400000u;
  EXPECT_EQ(FrameKindFor(kStylePopup, 0), kFrameBorderlessPopup);
  EXPECT_EQ(FrameKindFor(kStylePopup | border | kStyleThickFrame, 0), kFrameBorderlessPopup);  // half a caption
  EXPECT_EQ(FrameKindFor(kStylePopup | dlgFrame, kExStyleWindowEdge), kFrameBorderlessPopup);
  EXPECT_EQ(FrameKindFor(kStylePopup | kStyleCaption | kStyleThickFrame, 0), kFrameSizing);
  EXPECT_EQ(FrameKindFor(kStylePopup | kStyleCaption | kStyleSysMenu, 0), kFrameFixed);  // a message box
  EXPECT_EQ(FrameKindFor(kStyleCaption | kStyleThickFrame, 0), kFrameSizing);
  EXPECT_EQ(FrameKindFor(kStyleCaption, kExStyleWindowEdge), kFrameSizing);
  EXPECT_EQ(FrameKindFor(kStyleCaption | kStyleSysMenu, 0), kFrameFixed);
}

TEST(SkinFrameLayout, CapabilitiesOverruleTheSkinsVisibility) {
  FrameFacts noMax;
  noMax.maximizeBox = false;
  // Maximize (visibility "not maximized") and restore ("maximized") buttons, and one the skin always shows.
  const TDataSkinSysButton maximize = Button(1, 2, 2), restore = Button(1, 1, 1), always = Button(1, 200, 200);
  EXPECT_FALSE(ButtonVisible(maximize, noMax));
  EXPECT_FALSE(ButtonVisible(always, noMax));
  noMax.state = kStateMaximized;
  EXPECT_FALSE(ButtonVisible(restore, noMax));
  FrameFacts withMax;
  EXPECT_TRUE(ButtonVisible(maximize, withMax));
  EXPECT_FALSE(ButtonVisible(restore, withMax));
  withMax.state = kStateMaximized;
  EXPECT_TRUE(ButtonVisible(restore, withMax));
  EXPECT_FALSE(ButtonVisible(maximize, withMax));

  FrameFacts noMin;
  noMin.minimizeBox = false;
  EXPECT_FALSE(ButtonVisible(Button(2, 2000, 200), noMin));
  EXPECT_TRUE(ButtonVisible(Button(2, 2000, 200), FrameFacts{}));
  EXPECT_TRUE(ButtonVisible(Button(1, 2000, 200), noMin));  // a missing minimize box leaves maximize alone
  // Visibility 7 asks for the missing box; it is no maximize button, so it shows.
  EXPECT_TRUE(ButtonVisible(Button(0, 7, 7), noMax));
  EXPECT_FALSE(ButtonVisible(Button(0, 7, 7), FrameFacts{}));
}

TEST(SkinFrameLayout, VisibilityTableBothConditions) {
  FrameFacts f;
  EXPECT_TRUE(ButtonVisible(Button(0, 0, 0), f));
  EXPECT_FALSE(ButtonVisible(Button(0, 0, -1), f));  // a second visibility of -1 hides
  EXPECT_FALSE(ButtonVisible(Button(0, -1, 0), f));
  for (int never : {5, 10, 11, 12, 99, 101, 199, 2001})
    EXPECT_FALSE(ButtonVisible(Button(5, 200, never), f)) << never;
  EXPECT_TRUE(ButtonVisible(Button(5, 200, 2000), f));

  // 0: not on a fixed frame; a close button also needs a system menu, but only as the first condition.
  FrameFacts fixed;
  fixed.kind = kFrameFixed;
  EXPECT_FALSE(ButtonVisible(Button(5, 0, 0), fixed));
  EXPECT_TRUE(ButtonVisible(Button(5, 200, 0), fixed));
  FrameFacts noSysMenu;
  noSysMenu.sysMenu = false;
  EXPECT_FALSE(ButtonVisible(Button(0, 0, 0), noSysMenu));
  EXPECT_TRUE(ButtonVisible(Button(5, 0, 0), noSysMenu));
  EXPECT_TRUE(ButtonVisible(Button(0, 200, 0), noSysMenu));
  // 6 and 8 need the system menu only as the first condition.
  EXPECT_FALSE(ButtonVisible(Button(5, 6, 200), noSysMenu));
  EXPECT_TRUE(ButtonVisible(Button(5, 200, 6), noSysMenu));
  EXPECT_FALSE(ButtonVisible(Button(5, 8, 200), noSysMenu));
  EXPECT_TRUE(ButtonVisible(Button(5, 200, 8), noSysMenu));
  FrameFacts noMin;
  noMin.minimizeBox = false;
  EXPECT_FALSE(ButtonVisible(Button(5, 200, 8), noMin));
  EXPECT_TRUE(ButtonVisible(Button(5, 9, 9), noMin));
  EXPECT_FALSE(ButtonVisible(Button(5, 9, 9), f));

  FrameFacts inactive;
  inactive.active = false;
  EXPECT_TRUE(ButtonVisible(Button(5, 3, 3), f));
  EXPECT_FALSE(ButtonVisible(Button(5, 3, 3), inactive));
  EXPECT_TRUE(ButtonVisible(Button(5, 4, 4), inactive));
  EXPECT_FALSE(ButtonVisible(Button(5, 200, 4), f));

  // 100: the MDI frame's buttons need a maximized child and a menu bar.
  FrameFacts mdi;
  mdi.mdiFrameWithMaximizedChild = true;
  EXPECT_FALSE(ButtonVisible(Button(9, 100, 100), mdi));
  mdi.menuBarHeight = 19;
  EXPECT_TRUE(ButtonVisible(Button(9, 100, 100), mdi));
  mdi.mdiFrameWithMaximizedChild = false;
  EXPECT_FALSE(ButtonVisible(Button(9, 100, 100), mdi));
}

TEST(SkinFrameLayout, CaptionButtonsByAlignment) {
  const Rect textBox{100, 2, 180, 20};
  const Thickness th{4, 22, 5, 4};
  TDataSkinSysButton b;
  b.x = 40;
  b.y = 3;
  auto place = [&](int align, int menuBarLeft = 7) {
    b.align = align;
    return PlaceCaptionButton(b, 20, 18, 300, textBox, th, 19, menuBarLeft);
  };
  EXPECT_EQ(place(0), (Rect{40, 3, 60, 21}));
  EXPECT_EQ(place(1), (Rect{260, 3, 280, 21}));
  EXPECT_EQ(place(2), (Rect{40, 3, 60, 21}));  // 100 - 20 - 40: left of the text box
  EXPECT_EQ(place(8), place(2));
  EXPECT_EQ(place(3), (Rect{220, 3, 240, 21}));  // 180 + 40: right of it
  EXPECT_EQ(place(9), place(3));
  // In the menu bar: from the right less the right border and the menu bar's left part, centred in the bar.
  EXPECT_EQ(place(100), (Rect{248, 22, 268, 40}));
  EXPECT_EQ(place(100, -1), (Rect{255, 22, 275, 40}));
  EXPECT_TRUE(place(4).Empty());
  EXPECT_TRUE(place(-1).Empty());

  EXPECT_EQ(CaptionButtonFrame(true, 6), 1);
  EXPECT_EQ(CaptionButtonFrame(false, 6), 4);
  EXPECT_EQ(CaptionButtonFrame(false, 4), 4);
  EXPECT_EQ(CaptionButtonFrame(false, 3), 1);
}

TEST(SkinFrameLayout, CaptionTextBoxByAlignmentShiftClipAndCaps) {
  const Rect area{4, 0, 296, 24};
  TDataSkinTitle t;
  t.textBackLeft = 6;
  t.textBackRight = 8;
  t.leftWidth = 10;  // text shift
  t.topHeight = 4;   // vertical text shift
  // Left: at the area's left plus the shift; the text 14 high, centred in 24
  // and moved down by 2; its background the caption's full height.
  CaptionTextPlace p = PlaceCaptionText(t, 100, 14, area);
  EXPECT_EQ(p.box, (Rect{14, 0, 128, 24}));
  EXPECT_EQ(p.text, (Rect{20, 7, 120, 21}));
  t.topHeight = -5;  // half of it, rounded toward zero
  EXPECT_EQ(PlaceCaptionText(t, 100, 14, area).text.top, 3);
  EXPECT_EQ(PlaceCaptionText(t, 100, 14, area).box.top, 0);
  t.topHeight = 0;
  // Centred: the shift does not apply.
  t.textAlignment = 1;
  EXPECT_EQ(PlaceCaptionText(t, 100, 14, area).box, (Rect{93, 0, 207, 24}));
  // Right: ends at the area's right plus the right clip, then the clip takes its right edge.
  t.textAlignment = 2;
  EXPECT_EQ(PlaceCaptionText(t, 100, 14, area).box, (Rect{182, 0, 296, 24}));
  t.rightWidth = 10;
  p = PlaceCaptionText(t, 100, 14, area);
  EXPECT_EQ(p.box, (Rect{192, 0, 286, 24}));
  EXPECT_EQ(p.text, (Rect{198, 5, 278, 19}));
  // A long left-aligned text is clipped at the area's right less the clip.
  t.textAlignment = 0;
  p = PlaceCaptionText(t, 400, 14, area);
  EXPECT_EQ(p.box, (Rect{14, 0, 286, 24}));
  EXPECT_EQ(p.text.right, 278);
  // Clipped past its own start: nothing left, and nothing inverted.
  t.leftWidth = 285;
  p = PlaceCaptionText(t, 50, 14, area);
  EXPECT_EQ(p.box.Width(), 0);
  EXPECT_GE(p.text.Width(), 0);
  EXPECT_GE(p.text.left, p.box.left);
  EXPECT_LE(p.text.right, p.box.right);
  // Caps wider than what the clip leaves.
  t.leftWidth = 270;
  p = PlaceCaptionText(t, 50, 14, area);
  EXPECT_EQ(p.box.Width(), 12);
  EXPECT_EQ(p.text.Width(), 0);
  EXPECT_LE(p.text.right, p.box.right);
}

TEST(SkinFrameLayout, BorderRectanglesAndPainting) {
  const Thickness th{3, 10, 4, 2};
  EXPECT_EQ(BorderRect(kLeftBorder, 40, 30, th), (Rect{0, 0, 3, 30}));
  EXPECT_EQ(BorderRect(kRightBorder, 40, 30, th), (Rect{36, 0, 40, 30}));
  EXPECT_EQ(BorderRect(kBottomBorder, 40, 30, th), (Rect{3, 28, 36, 30}));
  EXPECT_EQ(BorderRect(kTopBorder, 40, 30, th), (Rect{3, 0, 36, 10}));
  EXPECT_TRUE(BorderRect(kTopBorder, 5, 30, th).Empty());
  EXPECT_GE(BorderRect(kTopBorder, 5, 30, th).Width(), 0);

  // Top and bottom frames are stacked: frame 1 while active or single, frame 2 otherwise.
  TDataSkinBorder top;
  top.image = Bitmap(8, 4, 0x111111);
  top.image.FillRect({0, 2, 8, 4}, 0x222222);
  top.frameCount = 2;
  top.tile = 1;
  Bitmap canvas(8, 2, 0);
  DrawBorder(canvas, {0, 0, 8, 2}, top, kTopBorder, true);
  EXPECT_EQ(canvas.At(3, 1), 0x111111u);
  DrawBorder(canvas, {0, 0, 8, 2}, top, kTopBorder, false);
  EXPECT_EQ(canvas.At(3, 1), 0x222222u);
  top.frameCount = 1;  // the whole image, both bands, even while inactive
  DrawBorder(canvas, {0, 0, 8, 2}, top, kTopBorder, false);
  EXPECT_EQ(canvas.At(3, 0), 0x111111u);
  EXPECT_EQ(canvas.At(3, 1), 0x222222u);

  // Side frames lie side by side; Stretch 1 stretches the middle, other values tile it; magenta is see-through.
  TDataSkinBorder left;
  left.image = Bitmap(4, 4);
  for (int y = 0; y < 4; ++y) left.image.FillRect({0, y, 2, y + 1}, Rgb(10 * y, 0, 0));
  left.image.FillRect({2, 0, 4, 4}, 0x777777);
  left.image.Set(1, 3, kMagenta);
  left.frameCount = 2;
  left.tile = 1;
  Bitmap side(2, 8, 0xABCDEF);
  DrawBorder(side, {0, 0, 2, 8}, left, kLeftBorder, true);
  EXPECT_EQ(side.At(0, 1), Rgb(0, 0, 0));
  EXPECT_EQ(side.At(0, 2), Rgb(10, 0, 0));
  EXPECT_EQ(side.At(0, 7), Rgb(30, 0, 0));
  EXPECT_EQ(side.At(1, 7), 0xABCDEFu);
  left.tile = 0;
  side.Fill(0xABCDEF);
  DrawBorder(side, {0, 0, 2, 8}, left, kLeftBorder, true);
  EXPECT_EQ(side.At(0, 1), Rgb(10, 0, 0));
  EXPECT_EQ(side.At(0, 4), Rgb(0, 0, 0));
  EXPECT_EQ(side.At(1, 3), 0xABCDEFu);
  DrawBorder(side, {0, 0, 2, 8}, left, kLeftBorder, false);
  EXPECT_EQ(side.At(0, 0), 0x777777u);

  // A border without an image leaves the canvas alone.
  Bitmap untouched(6, 6, 0x123456);
  DrawBorder(untouched, {0, 0, 6, 6}, TDataSkinBorder{}, kBottomBorder, true);
  EXPECT_EQ(untouched, Bitmap(6, 6, 0x123456));
}

// A 50 x 40 window with borders 2, 5, 2, 3 whose bottom border has
// see-through bottom corners.
SkinModel RoundedBottomSkin() {
  SkinModel m;
  m.borders[kLeftBorder].image = Bitmap(2, 10, 0x404040);
  m.borders[kRightBorder].image = Bitmap(2, 10, 0x404040);
  m.borders[kTopBorder].image = Bitmap(10, 5, 0x404040);
  TDataSkinBorder& bottom = m.borders[kBottomBorder];
  bottom.image = Bitmap(12, 3, 0x404040);
  for (auto [x, y] : {std::pair{0, 1}, {0, 2}, {1, 2}, {11, 1}, {11, 2}, {10, 2}}) bottom.image.Set(x, y, kMagenta);
  bottom.leftWidth = 3;
  bottom.rightWidth = 3;
  for (auto& b : m.borders) b.frameCount = 1, b.tile = 1;
  return m;
}

TEST(SkinFrameLayout, RegionOfATransparentBottomBorderOnly) {
  SkinModel m = RoundedBottomSkin();
  const Thickness th = BorderThickness(m);
  ASSERT_EQ(th.bottom, 3);
  // No trans anywhere: the whole window.
  EXPECT_EQ(FrameRegionRects(m, 50, 40, th), (std::vector<Rect>{{0, 0, 50, 40}}));
  EXPECT_TRUE(FrameRegionRects(m, 0, 40, th).empty());
  EXPECT_TRUE(FrameRegionRects(m, 50, 0, th).empty());

  m.borders[kBottomBorder].trans = 1;
  Bitmap c = Coverage(FrameRegionRects(m, 50, 40, th), 50, 40);
  for (auto [x, y] : {std::pair{2, 38}, {2, 39}, {3, 39}, {47, 38}, {47, 39}, {46, 39}})
    EXPECT_EQ(c.At(x, y), 0u) << x << "," << y;  // the bottom border's rounded corners
  for (Rect covered : {Rect{0, 0, 50, 38}, Rect{0, 38, 2, 40}, Rect{48, 38, 50, 40}, Rect{3, 38, 47, 39},
                       Rect{4, 39, 46, 40}})
    for (int y = covered.top; y < covered.bottom; ++y)
      for (int x = covered.left; x < covered.right; ++x) ASSERT_EQ(c.At(x, y), 1u) << x << "," << y;

  // Any other trans value, or a bottom border thinner than 2 pixels, keeps the whole rectangle.
  m.borders[kBottomBorder].trans = 2;
  EXPECT_EQ(Coverage(FrameRegionRects(m, 50, 40, th), 50, 40), Bitmap(50, 40, 1));
  m.borders[kBottomBorder].trans = 1;
  Thickness thin = th;
  thin.bottom = 1;
  EXPECT_EQ(Coverage(FrameRegionRects(m, 50, 40, thin), 50, 40), Bitmap(50, 40, 1));
}

TEST(SkinFrameLayout, RegionOfTopAndSidesAndFromTheCaption) {
  SkinModel m = RoundedBottomSkin();
  m.borders[kTopBorder].image.Set(0, 0, kMagenta);
  m.borders[kTopBorder].image.Set(1, 1, 0xFF01FF);  // within the key's tolerance of one
  m.borders[kTopBorder].image.Set(2, 1, 0xFE00FF);  // outside it
  m.borders[kTopBorder].trans = 1;
  m.borders[kLeftBorder].image.Set(0, 0, kMagenta);
  m.borders[kLeftBorder].trans = 1;
  const Thickness th = BorderThickness(m);
  const int W = 14;  // the top border's rectangle is x 2..12, as wide as its image
  Bitmap c = Coverage(FrameRegionRects(m, W, 40, th), W, 40);
  EXPECT_EQ(c.At(2, 0), 0u);
  EXPECT_EQ(c.At(3, 1), 0u);
  EXPECT_EQ(c.At(4, 1), 1u);
  EXPECT_EQ(c.At(0, 0), 0u);  // the left border's own corner
  EXPECT_EQ(c.At(1, 0), 1u);
  EXPECT_EQ(c.At(12, 0), 1u);  // the right border keeps its rectangle

  // With a composed caption, the top's shape comes from it, not from the border image.
  Bitmap caption(W, th.top, 0x808080);
  caption.Set(7, 2, kMagenta);
  c = Coverage(FrameRegionRects(m, W, 40, th, &caption), W, 40);
  EXPECT_EQ(c.At(2, 0), 1u);
  EXPECT_EQ(c.At(7, 2), 0u);

  // A window one pixel high keeps the full top and side rectangles, cut to the window.
  const std::vector<Rect> flat = FrameRegionRects(m, W, 1, th);
  EXPECT_EQ(Coverage(flat, W, 1), Bitmap(W, 1, 1));
  for (const Rect& r : flat) {
    EXPECT_FALSE(r.Empty());
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= W && r.bottom <= 1) << r.left << "," << r.top;
  }
}

}  // namespace
