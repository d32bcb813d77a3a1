// Layout of the skinned menu bar and of owner-drawn popup items: where the
// first bar button starts, button places, arrow-key wrapping, item measures
// and the parts of an item.
#include <gtest/gtest.h>

#include <cstring>

#include "skin/layout/menu_layout.h"
#include "skin/model/skin_data.h"
#include "skin_test_support.h"

namespace {

using namespace skin;

SkinModel WithMenuBar(int leftWidth) {
  SkinModel m;
  m.menuBar = std::make_unique<TDataSkinObject>();
  m.menuBar->leftWidth = leftWidth;
  return m;
}

TEST(SkinMenuLayout, BarStartX) {
  EXPECT_EQ(MenuBarStartX(WithMenuBar(20), 300), 24);  // left width + 4
  EXPECT_EQ(MenuBarStartX(WithMenuBar(20), 24), 24);
  EXPECT_EQ(MenuBarStartX(WithMenuBar(20), 23), 12);  // a bar narrower than that
  EXPECT_EQ(MenuBarStartX(SkinModel(), 300), 6);      // no menu bar element
  EXPECT_EQ(MenuBarStartX(SkinModel(), 2), 6);
}

TEST(SkinMenuLayout, BarStartXFollowsTheDescription) {
  skintest::MessageRecorder quiet;
  const std::string stored =
      skintest::StoredSkin("[Personality]\nmenuBar=bar.bmp\nTileLeftMenu=9\n", {skintest::BmpEntry("bar.bmp", 30, 40)});
  std::string persisted(4, '\0');
  const int32_t length = static_cast<int32_t>(stored.size());
  std::memcpy(persisted.data(), &length, 4);
  TSkinData data;
  ASSERT_TRUE(data.ReadSkinStream(persisted + stored));
  ASSERT_FALSE(data.SkinNotLoaded());
  EXPECT_EQ(MenuBarStartX(data.Model(), 300), 13);
}

TEST(SkinMenuLayout, BarButtonsFromCaptionWidths) {
  const Rect bar{4, 30, 304, 50};
  auto buttons = LayOutMenuBar(WithMenuBar(20), bar, {20, 35});
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0], (Rect{28, 30, 58, 49}));  // from bar.left + 24, caption + 10 wide, bar height - 1
  EXPECT_EQ(buttons[1], (Rect{58, 30, 103, 49}));
  EXPECT_EQ(LayOutMenuBar(SkinModel(), bar, {20})[0], (Rect{10, 30, 40, 49}));
  EXPECT_EQ(LayOutMenuBar(SkinModel(), {0, 0, 100, 0}, {20})[0].Height(), 0);  // no negative heights
  EXPECT_TRUE(LayOutMenuBar(SkinModel(), bar, {}).empty());

  EXPECT_EQ(MenuBarItemAt(buttons, 57, 35), 0);
  EXPECT_EQ(MenuBarItemAt(buttons, 58, 35), 1);
  EXPECT_EQ(MenuBarItemAt(buttons, 58, 49), -1);  // the bar's last row belongs to no button
  EXPECT_EQ(MenuBarItemAt(buttons, 27, 35), -1);

  // A narrow window: the button across the bar's end is cut there, the one
  // past it is empty, so the border beyond belongs to no button.
  const Rect narrow{4, 30, 80, 50};
  auto cut = LayOutMenuBar(WithMenuBar(20), narrow, {20, 35, 10});
  ASSERT_EQ(cut.size(), 3u);
  EXPECT_EQ(cut[0], (Rect{28, 30, 58, 49}));
  EXPECT_EQ(cut[1], (Rect{58, 30, 80, 49}));
  EXPECT_TRUE(cut[2].Empty());
  EXPECT_GE(cut[2].Width(), 0);
  EXPECT_EQ(MenuBarItemAt(cut, 82, 35), -1);
  EXPECT_EQ(MenuBarItemAt(cut, 79, 35), 1);
}

TEST(SkinMenuLayout, ArrowKeysWrapAroundTheBar) {
  EXPECT_EQ(NextBarItem(0, 3), 1);
  EXPECT_EQ(NextBarItem(2, 3), 0);  // after the last: the first
  EXPECT_EQ(PreviousBarItem(2, 3), 1);
  EXPECT_EQ(PreviousBarItem(0, 3), 2);  // before the first: the last
  EXPECT_EQ(NextBarItem(-1, 3), 0);     // no current item
  EXPECT_EQ(PreviousBarItem(-1, 3), 2);
  EXPECT_EQ(NextBarItem(0, 0), -1);
  EXPECT_EQ(PreviousBarItem(0, 0), -1);
  // Moving between open menus skips the items that open none.
  const std::vector<bool> openable{true, false, false, true, false};
  EXPECT_EQ(NextOpenableBarItem(0, 1, openable), 3);
  EXPECT_EQ(NextOpenableBarItem(3, 1, openable), 0);   // past the end, round to the first
  EXPECT_EQ(NextOpenableBarItem(0, -1, openable), 3);  // before the first, round to the last
  EXPECT_EQ(NextOpenableBarItem(0, 1, {true, false}), -1);  // no other opens one
  EXPECT_EQ(NextOpenableBarItem(0, 1, {}), -1);
}

TEST(SkinMenuLayout, ItemMeasures) {
  EXPECT_EQ(MeasurePopupItem({50, 18}, false, false), (Size{78, 18}));
  EXPECT_EQ(MeasurePopupItem({50, 18}, false, true), (Size{78, 22}));  // Windows 9x: 4 higher
  EXPECT_EQ(MeasurePopupItem({50, 18}, true, true), (Size{78, 18}));   // ... but not separators
  EXPECT_EQ(MeasureWindowMenuItem(40, 30, 13, false, false), (Size{96, 17}));
  EXPECT_EQ(MeasureWindowMenuItem(40, 30, 13, false, true), (Size{96, 21}));
  EXPECT_EQ(MeasureWindowMenuItem(40, 30, 13, true, true), (Size{96, 8}));
}

TEST(SkinMenuLayout, ItemParts) {
  MenuItemLayout l = LayOutMenuItem({0, 20, 150, 40});
  EXPECT_EQ(l.glyphBox, (Rect{1, 21, 17, 37}));
  EXPECT_EQ(l.captionArea, (Rect{20, 20, 149, 40}));
  EXPECT_EQ(l.shortcutRight, 140);
  EXPECT_EQ(l.etchedLineY, 24);
  EXPECT_EQ(l.background, (Rect{3, 23, 153, 43}));  // under the popup's 3-pixel border
  EXPECT_EQ(CentreCaption(l, 13), (Rect{20, 23, 149, 36}));
  EXPECT_FALSE(LayOutMenuItem({0, 0, 10, 18}).captionArea.Width() < 0);  // a narrow item

  EXPECT_EQ(SeparatorSource({20, 0, 40, 10}, 4), (Rect{20, 6, 40, 10}));  // the frame's lower part
  EXPECT_EQ(SeparatorSource({20, 0, 40, 10}, 12), (Rect{20, 0, 40, 10}));
  EXPECT_EQ(PopupItemsClip({100, 60}), (Rect{3, 3, 97, 57}));
}

}  // namespace
