// Skin image painting: frame location, nine-slice and three-slice pixel
// layouts, tiling, magenta transparency, regions and turns.
#include <gtest/gtest.h>

#include "skin/image/img_util.h"

namespace {

using namespace skin;

// A bitmap whose every pixel encodes its own coordinates.
Bitmap Coordinates(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Set(x, y, Rgb(x, y, 1));
  return b;
}
int SrcX(uint32_t p) { return RedOf(p); }
int SrcY(uint32_t p) { return GreenOf(p); }

TEST(SkinPaint, LocatesFramesInStrips) {
  Bitmap strip(64, 10);
  EXPECT_EQ(LocateFrame(strip, 4, 3), (Rect{32, 0, 48, 10}));  // frame 3 of four: x 32..47
  Bitmap stacked(10, 40);
  EXPECT_EQ(LocateFrame(stacked, 2, 2, true), (Rect{0, 20, 10, 40}));
  EXPECT_EQ(LocateFrame(strip, 0, 1), (Rect{0, 0, 64, 10}));    // no frames counts as one
  EXPECT_EQ(LocateFrame(strip, 4, 9), (Rect{48, 0, 64, 10}));   // past the last: the last
  EXPECT_EQ(LocateFrame(strip, 4, 0), (Rect{0, 0, 16, 10}));    // before the first: the first
  EXPECT_EQ(LocateFrame(stacked, 2, -3, true), (Rect{0, 0, 10, 20}));
}

TEST(SkinPaint, CapsThatDoNotFitAreDroppedAndTheWholeFrameStretched) {
  Bitmap image = Coordinates(40, 4);
  Bitmap out = NineSliceToBitmap({0, 0, 15, 4}, image, {10, 0, 10, 0}, false, false, 1, 1);
  ASSERT_EQ(out.Width(), 15);
  EXPECT_EQ(SrcX(out.At(0, 0)), 1);    // nearest of 40/15 at the first pixel's centre
  EXPECT_EQ(SrcX(out.At(14, 0)), 38);
  for (int x = 1; x < 15; ++x) EXPECT_GT(SrcX(out.At(x, 0)), SrcX(out.At(x - 1, 0)));
  auto pieces = NineSlicePieces(15, 4, {0, 0, 40, 4}, {10, 0, 10, 0}, false, true);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].src, (Rect{0, 0, 40, 4}));
}

TEST(SkinPaint, CapsThatExactlyFillTheTargetAreKept) {
  Bitmap image = Coordinates(40, 12);
  Bitmap out = NineSliceToBitmap({0, 0, 20, 8}, image, {10, 4, 10, 4}, false, false, 1, 1);
  ASSERT_EQ(out.Width(), 20);
  ASSERT_EQ(out.Height(), 8);
  EXPECT_EQ(out.At(0, 0), Rgb(0, 0, 1));
  EXPECT_EQ(out.At(9, 3), Rgb(9, 3, 1));
  EXPECT_EQ(out.At(10, 4), Rgb(30, 8, 1));  // the far caps start right after the near ones
  EXPECT_EQ(out.At(19, 7), Rgb(39, 11, 1));
  // Three-slice: caps of 3 and 5 filling 8 pixels leave no room for the middle.
  Bitmap strip = Coordinates(10, 2);
  Bitmap three = ThreeSliceToBitmap({0, 0, 8, 2}, strip, false, 1, 1, 3, 5);
  const int expected[8] = {0, 1, 2, 5, 6, 7, 8, 9};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(SrcX(three.At(x, 0)), expected[x]) << x;
}

TEST(SkinPaint, CornersNeedBothSizes) {
  auto pieces = NineSlicePieces(50, 30, {0, 0, 20, 20}, {5, 0, 0, 0}, false, true);
  ASSERT_EQ(pieces.size(), 2u);  // the left edge and the centre, no corner
  EXPECT_EQ(pieces[0].dst, (Rect{0, 0, 5, 30}));
  EXPECT_EQ(pieces[1].dst, (Rect{5, 0, 50, 30}));
}

TEST(SkinPaint, NineSliceKeepsCornersAndStretchesTheMiddle) {
  Bitmap image = Coordinates(30, 30);  // one 10-pixel slice on every side
  Bitmap out = NineSliceToBitmap({0, 0, 100, 60}, image, {10, 10, 10, 10}, false, false, 1, 1);
  // Corners are copied 1:1.
  EXPECT_EQ(out.At(3, 4), Rgb(3, 4, 1));
  EXPECT_EQ(out.At(95, 55), Rgb(25, 25, 1));
  EXPECT_EQ(out.At(92, 2), Rgb(22, 2, 1));
  // Edges keep their thickness and stretch along.
  EXPECT_EQ(SrcX(out.At(50, 5)), 15);
  EXPECT_EQ(SrcY(out.At(50, 5)), 5);
  EXPECT_EQ(SrcX(out.At(97, 30)), 27);
  // The centre maps the frame's middle 10×10 over 80×40.
  EXPECT_EQ(out.At(10, 10), Rgb(10, 10, 1));
  EXPECT_EQ(out.At(89, 49), Rgb(19, 19, 1));
  EXPECT_EQ(SrcX(out.At(50, 30)), 15);
}

TEST(SkinPaint, TiledCentreRepeatsAndIsCoveredByTheFarEdges) {
  Bitmap image = Coordinates(12, 12);  // 4-pixel caps, a 4×4 middle
  Bitmap out = NineSliceToBitmap({0, 0, 30, 22}, image, {4, 4, 4, 4}, false, true, 1, 1);
  for (int y = 4; y < 18; ++y)
    for (int x = 4; x < 26; ++x) EXPECT_EQ(out.At(x, y), Rgb(4 + (x - 4) % 4, 4 + (y - 4) % 4, 1)) << x << "," << y;
  // Tiles running past the centre are overdrawn by the right and bottom edges.
  EXPECT_EQ(out.At(26, 10), Rgb(8, SrcY(out.At(26, 10)), 1));
  EXPECT_EQ(SrcY(out.At(10, 18)), 8);
}

TEST(SkinPaint, FramesOfAStripAndVerticalStacks) {
  Bitmap strip = Coordinates(40, 10);  // four 10-pixel frames
  Bitmap canvas(10, 10);
  DrawNineSlice(canvas, {0, 0, 10, 10}, strip, false, false, 4, 2, {});
  EXPECT_EQ(canvas.At(0, 0), Rgb(10, 0, 1));
  Bitmap stack = Coordinates(10, 40);
  DrawFrame(canvas, {0, 0, 10, 10}, Coordinates(40, 10), false, 4, 4);
  EXPECT_EQ(canvas.At(9, 9), Rgb(39, 9, 1));
  DrawNineSlice(canvas, {0, 0, 10, 10}, stack, true, false, 4, 3, {});
  EXPECT_EQ(canvas.At(0, 0), Rgb(0, 20, 1));
}

TEST(SkinPaint, MagentaIsSeeThroughOnlyWhenAsked) {
  Bitmap image(4, 1, kMagenta);
  image.Set(1, 0, 0x123456);
  Bitmap canvas(4, 1, 0xAAAAAA);
  DrawNineSlice(canvas, {0, 0, 4, 1}, image, false, true, 1, 1, {});
  EXPECT_EQ(canvas.At(0, 0), 0xAAAAAAu);
  EXPECT_EQ(canvas.At(1, 0), 0x123456u);
  DrawNineSlice(canvas, {0, 0, 4, 1}, image, false, false, 1, 1, {});
  EXPECT_EQ(canvas.At(0, 0), kMagenta);
  image.Set(2, 0, 0xFE00FF);  // near magenta is opaque
  canvas.Fill(0);
  TransparentBlit(canvas, {0, 0, 4, 1}, image);
  EXPECT_EQ(canvas.At(2, 0), 0xFE00FFu);
}

TEST(SkinPaint, BorderDrawsEdgesOnlyAtTheOffset) {
  Bitmap image = Coordinates(9, 9);
  Bitmap canvas(40, 40, 0x777777);
  DrawNineSliceBorder(canvas, {10, 10, 30, 30}, image, false, 1, 1, {3, 3, 3, 3});
  EXPECT_EQ(canvas.At(10, 10), Rgb(0, 0, 1));
  EXPECT_EQ(canvas.At(29, 29), Rgb(8, 8, 1));
  EXPECT_EQ(canvas.At(20, 20), 0x777777u);  // no centre
  EXPECT_EQ(canvas.At(9, 9), 0x777777u);
}

TEST(SkinPaint, ThreeSliceRepeatsTheMiddleBetweenCaps) {
  Bitmap image = Coordinates(10, 2);  // caps 3 and 2, middle 5
  Bitmap out = ThreeSliceToBitmap({0, 0, 20, 4}, image, false, 1, 1, 3, 2);
  const int expected[20] = {0, 1, 2, 3, 4, 5, 6, 7, 3, 4, 5, 6, 7, 3, 4, 5, 6, 7, 8, 9};
  for (int x = 0; x < 20; ++x) EXPECT_EQ(SrcX(out.At(x, 3)), expected[x]) << x;
  EXPECT_EQ(SrcY(out.At(0, 3)), 1);  // stretched to the height
  // A middle without width is skipped rather than looped over forever.
  Bitmap capsOnly = ThreeSliceToBitmap({0, 0, 20, 2}, image, false, 1, 1, 5, 5);
  EXPECT_EQ(SrcX(capsOnly.At(19, 0)), 9);
}

TEST(SkinPaint, TileRunsFromTheCornerAndMayPassTheEdge) {
  Bitmap image = Coordinates(10, 10);
  Bitmap canvas(20, 20, 0);
  Tile(canvas, {1, 1, 8, 8}, image, {2, 2, 5, 5});  // 3×3 piece
  EXPECT_EQ(canvas.At(1, 1), Rgb(2, 2, 1));
  EXPECT_EQ(canvas.At(5, 8), Rgb(3, 3, 1));
  EXPECT_EQ(canvas.At(9, 9), Rgb(4, 4, 1));   // the last copy passes the right and bottom
  EXPECT_EQ(canvas.At(10, 10), 0u);
  Tile(canvas, {0, 0, 20, 20}, image, {3, 3, 3, 9});  // no area: nothing
  EXPECT_EQ(canvas.At(0, 0), 0u);
}

TEST(SkinPaint, RegionOfAShapedBitmap) {
  // A 6×3 image: a rounded top row, a full middle row, a hole at the bottom.
  Bitmap shape(6, 3, 0x101010);
  shape.Set(0, 0, kMagenta);
  shape.Set(5, 0, kMagenta);
  shape.Set(2, 2, kMagenta);
  shape.Set(3, 2, 0xFF01FF);  // green 1: within a tolerance of 1 above the key
  auto rects = RegionFromBitmap(shape, 100, 200, 1, 1, 1);
  std::vector<Rect> expected = {
      {101, 200, 105, 201}, {100, 201, 106, 202}, {100, 202, 102, 203}, {104, 202, 106, 203}};
  EXPECT_EQ(rects, expected);
  EXPECT_TRUE(RegionFromBitmap(Bitmap(8, 8, kMagenta), 0, 0, 0, 0, 0).empty());
  auto exact = RegionFromBitmap(shape, 0, 0, 0, 0, 0);  // no tolerance: 0xFF01FF is opaque
  ASSERT_EQ(exact.size(), 4u);
  EXPECT_EQ(exact[3], (Rect{3, 2, 6, 3}));
  shape.Set(1, 1, 0xFE00FF);  // tolerance reaches above the key only
  EXPECT_EQ(RegionFromBitmap(shape, 0, 0, 9, 9, 9)[1], (Rect{0, 1, 6, 2}));
}

TEST(SkinPaint, FlipsAndQuarterTurns) {
  Bitmap b = Coordinates(3, 2);
  Bitmap flipped = b;
  FlipVertical(flipped);
  EXPECT_EQ(flipped.At(2, 0), Rgb(2, 1, 1));
  Bitmap left = b;
  RotateLeft(left);
  ASSERT_EQ(left.Width(), 2);
  ASSERT_EQ(left.Height(), 3);
  EXPECT_EQ(left.At(0, 0), Rgb(2, 0, 1));  // the top-right corner comes to the top-left
  Bitmap right = b;
  RotateRight(right);
  EXPECT_EQ(right.At(0, 0), Rgb(0, 1, 1));  // the bottom-left corner comes to the top-left
  RotateLeft(right);
  EXPECT_EQ(right, b);
}

TEST(SkinPaint, AnElementWithoutAnImageDrawsNothing) {
  const Bitmap before(12, 8, 0x123456);
  Bitmap canvas = before;
  DrawNineSlice(canvas, {0, 0, 12, 8}, Bitmap(), false, false, 1, 1, {2, 2, 2, 2});
  DrawNineSlice(canvas, {2, 2, 10, 6}, Bitmap(), true, true, 3, 2, {}, true);
  DrawThreeSlice(canvas, {0, 0, 12, 8}, Bitmap(), false, false, 1, 1, 3, 3);
  EXPECT_EQ(canvas, before);
  EXPECT_TRUE(NineSliceToBitmap({0, 0, 12, 8}, Bitmap(), {}, false, false, 1, 1).Empty());
  EXPECT_TRUE(ThreeSliceToBitmap({0, 0, 12, 8}, Bitmap(), false, 1, 1, 3, 3).Empty());
}

TEST(SkinPaint, OddSizesAreHarmless) {
  Bitmap image = Coordinates(5, 5);
  Bitmap canvas(10, 10, 0);
  DrawNineSlice(canvas, {5, 5, 2, 2}, image, false, true, 1, 1, {});      // inverted: nothing
  DrawNineSlice(canvas, {-5, -5, 50, 50}, image, false, false, 7, 3, {900, -4, 900, 2}, true);
  DrawNineSlice(canvas, {0, 0, 10, 10}, Bitmap(), false, false, 1, 1, {});
  DrawThreeSlice(canvas, {0, 0, 10, 10}, image, false, false, 1, 1, -3, 99);
  EXPECT_EQ(NineSliceToBitmap({0, 0, 0, 5}, image, {}, false, false, 1, 1).Width(), 0);
}

}  // namespace
