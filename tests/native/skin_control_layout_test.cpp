// Layout of the skinned controls: bitmap-button glyph and caption places,
// button frames and caption colours, scroll-bar placement, thumb length and
// offset, press classification, drag positions, status panel bevels.
#include <gtest/gtest.h>

#include "skin/layout/control_layout.h"
#include "skin/layout/scroll_layout.h"

namespace {

using namespace skin;

// Left edges along the axis of a left/right layout.
struct Along {
  int glyph, caption;
};
Along LeftRight(GlyphLayout layout, int margin, int spacing) {
  BitButtonLayout l = LayOutBitButton({100, 40}, {16, 16}, {30, 12}, layout, margin, spacing);
  return {l.glyph.left, l.caption.left};
}
Along TopBottom(GlyphLayout layout, int margin, int spacing) {
  BitButtonLayout l = LayOutBitButton({60, 80}, {16, 16}, {40, 13}, layout, margin, spacing);
  return {l.glyph.top, l.caption.top};
}
#define EXPECT_ALONG(actual, g, c)     \
  do {                                 \
    Along a_ = (actual);               \
    EXPECT_EQ(a_.glyph, g) << #actual; \
    EXPECT_EQ(a_.caption, c) << #actual; \
  } while (0)

TEST(SkinControlLayout, BitButtonMarginAndSpacingCombinations) {
  // Room 100, glyph 16, caption 30.
  EXPECT_ALONG(LeftRight(GlyphLayout::kLeft, -1, -1), 18, 52);  // margins and spacing share 54: 18 each
  EXPECT_ALONG(LeftRight(GlyphLayout::kLeft, -1, 4), 25, 45);   // the pair centred
  EXPECT_ALONG(LeftRight(GlyphLayout::kLeft, 5, -1), 5, 45);    // spacing (100-5-16-30)/2 = 24
  EXPECT_ALONG(LeftRight(GlyphLayout::kLeft, 5, 4), 5, 25);
  EXPECT_ALONG(LeftRight(GlyphLayout::kRight, -1, -1), 66, 18);
  EXPECT_ALONG(LeftRight(GlyphLayout::kRight, -1, 4), 59, 25);
  EXPECT_ALONG(LeftRight(GlyphLayout::kRight, 5, -1), 79, 25);
  EXPECT_ALONG(LeftRight(GlyphLayout::kRight, 5, 4), 79, 45);
  // Room 80, glyph 16, caption 13.
  EXPECT_ALONG(TopBottom(GlyphLayout::kTop, -1, -1), 17, 50);
  EXPECT_ALONG(TopBottom(GlyphLayout::kTop, -1, 2), 24, 42);
  EXPECT_ALONG(TopBottom(GlyphLayout::kTop, 3, -1), 3, 43);
  EXPECT_ALONG(TopBottom(GlyphLayout::kTop, 3, 2), 3, 21);
  EXPECT_ALONG(TopBottom(GlyphLayout::kBottom, -1, -1), 47, 17);
  EXPECT_ALONG(TopBottom(GlyphLayout::kBottom, -1, 2), 40, 25);
  EXPECT_ALONG(TopBottom(GlyphLayout::kBottom, 3, -1), 61, 24);
  EXPECT_ALONG(TopBottom(GlyphLayout::kBottom, 3, 2), 61, 46);
}

TEST(SkinControlLayout, BitButtonCentresAcrossTheAxisAndAligns) {
  BitButtonLayout l = LayOutBitButton({100, 41}, {16, 16}, {30, 12}, GlyphLayout::kLeft, 5, 4);
  EXPECT_EQ(l.glyph, (Rect{5, 13, 21, 29}));     // (41-16+1)/2
  EXPECT_EQ(l.caption, (Rect{25, 15, 55, 27}));  // (41-12+1)/2
  EXPECT_EQ(l.align, CaptionAlign::kLeft);
  EXPECT_EQ(LayOutBitButton({100, 41}, {16, 16}, {30, 12}, GlyphLayout::kRight, 5, 4).align, CaptionAlign::kRight);
  BitButtonLayout top = LayOutBitButton({61, 80}, {16, 16}, {40, 13}, GlyphLayout::kTop, 3, 2);
  EXPECT_EQ(top.glyph, (Rect{23, 3, 39, 19}));
  EXPECT_EQ(top.caption, (Rect{11, 21, 51, 34}));
  EXPECT_EQ(top.align, CaptionAlign::kCentre);
  EXPECT_EQ(LayOutBitButton({61, 80}, {16, 16}, {40, 13}, GlyphLayout::kBottom, 3, 2).align,
            CaptionAlign::kCentre);
}

TEST(SkinControlLayout, BitButtonSpacingNeedsBothGlyphAndCaption) {
  // No caption: the spacing drops out and the glyph alone is centred.
  BitButtonLayout glyphOnly = LayOutBitButton({100, 40}, {16, 16}, {0, 0}, GlyphLayout::kLeft, -1, 4);
  EXPECT_EQ(glyphOnly.glyph.left, 42);
  // No glyph: a spacing of -1 becomes 0 instead of a third of the room.
  BitButtonLayout textOnly = LayOutBitButton({100, 40}, {0, 0}, {30, 12}, GlyphLayout::kLeft, -1, -1);
  EXPECT_EQ(textOnly.caption.left, 35);
  // Too little room: margins go negative, truncated toward zero.
  BitButtonLayout cramped = LayOutBitButton({20, 40}, {16, 16}, {30, 12}, GlyphLayout::kLeft, -1, -1);
  EXPECT_EQ(cramped.glyph.left, -8);  // -26/3
  EXPECT_EQ(cramped.caption.left, 0);
  EXPECT_EQ(GlyphFrameSize({64, 16}, 4), (Size{16, 16}));
  EXPECT_EQ(GlyphFrameSize({64, 16}, 0), (Size{64, 16}));  // no glyph count: one
}

TEST(SkinControlLayout, ButtonFramesAndCaptionColours) {
  EXPECT_EQ(ButtonFrameIndex(true, false, false), 1);
  EXPECT_EQ(ButtonFrameIndex(true, true, true), 2);  // pressed wins over hot
  EXPECT_EQ(ButtonFrameIndex(true, false, true), 4);
  EXPECT_EQ(ButtonFrameIndex(false, true, true), 3);  // disabled wins over everything
  TDataSkinObject buttons;
  buttons.normalColour2 = 11;
  buttons.downColour2 = 22;
  buttons.overColour2 = 44;
  EXPECT_EQ(ButtonTextColour(buttons, 7, 1), 11);
  EXPECT_EQ(ButtonTextColour(buttons, 7, 2), 22);
  EXPECT_EQ(ButtonTextColour(buttons, 7, 4), 44);
  EXPECT_EQ(ButtonTextColour(buttons, 7, 3), SystemColour(kColorBtnShadow));
}

const ScrollMetrics kMetrics{16, 17, kMinThumbLength};

TEST(SkinControlLayout, ThumbLength) {
  EXPECT_EQ(ThumbLength({0, 300, 100}, 200, kMetrics), 67);  // 200*100/300 rounded
  EXPECT_EQ(ThumbLength({0, 100, 0}, 200, kMetrics), 17);    // no page: the system thumb
  EXPECT_EQ(ThumbLength({0, 100, 0}, 10, kMetrics), 10);     // ... but at most the track
  EXPECT_EQ(ThumbLength({0, 100, 100}, 200, kMetrics), 199);  // page = range: one pixel short of the track
  EXPECT_EQ(ThumbLength({0, 1000, 1}, 200, kMetrics), 8);     // the minimum
  EXPECT_EQ(ThumbLength({0, 1000, 1}, 200, {16, 17, 5}), 5);  // Windows 9x minimum
  EXPECT_EQ(ThumbLength({0, 50, 80}, 100, kMetrics), 100);    // a page over the range fills the track
  EXPECT_EQ(ThumbLength({5, 5, 0}, 200, kMetrics), 0);        // no range, no thumb
  EXPECT_EQ(ThumbLength({0, 100, 10}, -12, kMetrics), 0);     // a bar shorter than its arrows
}

TEST(SkinControlLayout, ThumbOffset) {
  // Range 100, page 10, track 200: thumb 20, room 180 over 90 positions.
  EXPECT_EQ(ThumbOffset({0, 100, 10}, 200, 20, 0), 0);
  EXPECT_EQ(ThumbOffset({0, 100, 10}, 200, 20, 45), 90);
  EXPECT_EQ(ThumbOffset({10, 110, 10}, 200, 20, 55), 90);  // counted from min
  EXPECT_EQ(ThumbOffset({0, 100, 10}, 200, 20, 91), 180);  // the last position stays in the track
  EXPECT_EQ(ThumbOffset({0, 100, 0}, 200, 17, 100), 183);
  EXPECT_EQ(ThumbOffset({0, 100, 100}, 200, 199, 50), 0);  // page = range
  EXPECT_EQ(ThumbOffset({0, 0, 0}, 200, 0, 5), 0);
}

TEST(SkinControlLayout, ScrollBarPartsAndPresses) {
  ScrollBarGeometry h = LayOutScrollBar(232, 16, true, {0, 100, 10}, 45, kMetrics);
  EXPECT_EQ(h.trackLength, 200);
  EXPECT_EQ(h.firstArrow, (Rect{0, 0, 16, 16}));
  EXPECT_EQ(h.secondArrow, (Rect{216, 0, 232, 16}));
  EXPECT_EQ(h.track, (Rect{16, 0, 216, 16}));
  ASSERT_TRUE(h.hasThumb);
  EXPECT_EQ(h.thumb, (Rect{106, 0, 126, 16}));
  ScrollBarGeometry v = LayOutScrollBar(232, 16, false, {0, 100, 10}, 45, kMetrics);
  EXPECT_EQ(v.thumb, (Rect{0, 106, 16, 126}));
  EXPECT_EQ(v.secondArrow, (Rect{0, 216, 16, 232}));

  const std::pair<int, ScrollPart> presses[] = {
      {0, ScrollPart::kLineUp},     {15, ScrollPart::kLineUp},  {16, ScrollPart::kPageUp},
      {105, ScrollPart::kPageUp},   {106, ScrollPart::kThumb},  {125, ScrollPart::kThumb},
      {126, ScrollPart::kPageDown}, {215, ScrollPart::kPageDown}, {216, ScrollPart::kLineDown},
      {231, ScrollPart::kLineDown}, {232, ScrollPart::kNone},   {-1, ScrollPart::kNone}};
  for (auto [along, part] : presses) EXPECT_EQ(ClassifyScrollPress(h, along), part) << along;

  // A bar shorter than two arrows splits between them and has no thumb.
  ScrollBarGeometry shortBar = LayOutScrollBar(20, 16, true, {0, 100, 10}, 45, kMetrics);
  EXPECT_EQ(shortBar.firstArrow, (Rect{0, 0, 10, 16}));
  EXPECT_EQ(shortBar.secondArrow, (Rect{10, 0, 20, 16}));
  EXPECT_FALSE(shortBar.hasThumb);
  EXPECT_FALSE(LayOutScrollBar(232, 16, true, {0, 0, 0}, 0, kMetrics).hasThumb);

  EXPECT_EQ(ScrollArrowFrame(true, false, false), 1);
  EXPECT_EQ(ScrollArrowFrame(true, true, true), 6);
  EXPECT_EQ(ScrollArrowFrame(false, false, true), 10);
  EXPECT_EQ(ScrollArrowFrame(false, true, false), 13);
  EXPECT_EQ(PressedPartFromScrollCode(kSbLineUp), ScrollPart::kLineUp);
  EXPECT_EQ(PressedPartFromScrollCode(kSbLineDown), ScrollPart::kLineDown);
  EXPECT_EQ(PressedPartFromScrollCode(kSbThumbTrack), ScrollPart::kThumb);
  EXPECT_EQ(PressedPartFromScrollCode(kSbThumbPosition), ScrollPart::kNone);
}

TEST(SkinControlLayout, TrackPositionWithAPage) {
  const ScrollInfo info{0, 100, 10};  // track 200, thumb 20
  EXPECT_EQ(TrackPosition(info, 200, 20, 90, 0), 45);
  EXPECT_EQ(TrackPosition(info, 200, 20, 90, 21), 55);   // 111*100/200, truncated
  EXPECT_EQ(TrackPosition(info, 200, 20, 90, -500), 0);  // not above the top
  EXPECT_EQ(TrackPosition({10, 110, 10}, 200, 20, 90, -500), 10);
  EXPECT_EQ(TrackPosition(info, 200, 20, 90, 500), 91);  // at most max - page + 1
  EXPECT_EQ(TrackPosition(info, 0, 0, 0, 5), 0);         // no track: min
}

TEST(SkinControlLayout, TrackPositionWithoutAPage) {
  const ScrollInfo info{0, 100, 0};  // track 200, system thumb 17: room 183
  EXPECT_EQ(TrackPosition(info, 200, 17, 0, 91), 49);  // 91*100/183
  EXPECT_EQ(TrackPosition(info, 200, 17, 0, 1000), 100);
  EXPECT_EQ(TrackPosition({-50, 50, 0}, 200, 17, 0, 183), 50);  // at most max
  EXPECT_EQ(TrackPosition({-50, 50, 0}, 200, 17, 10, -20), -50);
  EXPECT_EQ(TrackPosition(info, 17, 17, 0, 5), 0);  // the thumb fills the track: min
}

TEST(SkinControlLayout, ScrollBarPlacementInTheWindow) {
  // 120 × 100 with a 2-pixel edge and 17-pixel arrows.
  const Rect w{0, 0, 120, 100};
  ScrollBarPlacement both = PlaceScrollBars(w, {99, 79}, 17, true, true);
  ASSERT_TRUE(both.visible);
  EXPECT_EQ(both.horzBar, (Rect{2, 81, 101, 98}));
  EXPECT_EQ(both.vertBar, (Rect{101, 2, 118, 81}));
  EXPECT_EQ(both.corner, (Rect{101, 81, 118, 98}));
  ScrollBarPlacement vert = PlaceScrollBars(w, {99, 96}, 17, false, true);
  EXPECT_EQ(vert.vertBar, (Rect{101, 2, 118, 98}));
  EXPECT_TRUE(vert.corner.Empty());
  EXPECT_EQ(PlaceScrollBars(w, {116, 79}, 17, true, false).horzBar, (Rect{2, 81, 118, 98}));
  // A bar the style does not show yet (no room taken from the client) stays in the window.
  EXPECT_EQ(PlaceScrollBars(w, {116, 96}, 17, false, true).vertBar, (Rect{103, 0, 120, 100}));
  EXPECT_FALSE(PlaceScrollBars(w, {116, 96}, 17, false, false).visible);
  EXPECT_FALSE(PlaceScrollBars({0, 0, 10001, 100}, {99, 79}, 17, true, true).visible);
  EXPECT_TRUE(PlaceScrollBars({0, 0, 10000, 100}, {99, 79}, 17, true, true).visible);
}

TEST(SkinControlLayout, StatusPanelFrameByBevel) {
  EXPECT_EQ(PanelBevelFromType(0), PanelBevel::kLowered);
  EXPECT_EQ(PanelBevelFromType(kSbtPopout), PanelBevel::kRaised);
  EXPECT_EQ(PanelBevelFromType(kSbtNoBorders), PanelBevel::kNone);
  EXPECT_EQ(PanelBevelFromType(kSbtNoBorders | kSbtPopout), PanelBevel::kNone);
  EXPECT_EQ(PanelBevelFromType(0x1000), PanelBevel::kLowered);  // owner-drawn bit alone
  EXPECT_EQ(StatusPanelFrame(PanelBevel::kLowered), 1);
  EXPECT_EQ(StatusPanelFrame(PanelBevel::kRaised), 2);
  EXPECT_EQ(StatusPanelFrame(PanelBevel::kNone), 3);
  EXPECT_TRUE(StatusPanelEdge(PanelBevel::kLowered).shadowTopLeft);
  EXPECT_TRUE(StatusPanelEdge(PanelBevel::kRaised).drawn);
  EXPECT_FALSE(StatusPanelEdge(PanelBevel::kRaised).shadowTopLeft);
  EXPECT_FALSE(StatusPanelEdge(PanelBevel::kNone).drawn);
}

}  // namespace
