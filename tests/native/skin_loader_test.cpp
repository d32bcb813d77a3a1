// The skin description loader: image references, colours, frame counts,
// title-bar and MDI buttons, defaults, and refusal of bad images.
#include <gtest/gtest.h>

#include "skin/model/skin_colour.h"
#include "skin/model/skin_image_ref.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_store.h"
#include "skin_test_support.h"

namespace {

using namespace skin;
using skintest::BmpEntry;
using skintest::StoredSkin;

// Loads a description with images through the component.
struct Loaded {
  TSkinData data;
  bool ok;
  Loaded(const std::string& ini, std::vector<ArchiveEntry> images = {}) {
    skintest::MessageRecorder quiet;
    TSkinStore store;
    store.Store().Add().ReadDataStream(StoredSkin(ini, std::move(images)));
    ok = data.LoadFromStore(store, 0);
  }
  const SkinModel& m() const { return data.Model(); }
};

TEST(SkinLoader, ColourParserSeparatorRule) {
  EXPECT_EQ(ParseColour("210 232 249", 7), RgbColour(210, 232, 249));
  EXPECT_EQ(ParseColour("0 78 152", 7), RgbColour(0, 78, 152));
  EXPECT_EQ(ParseColour("0  78 152", 7), RgbColour(0, 0, 78));  // the empty field moves on; 152 dropped
  EXPECT_EQ(ParseColour("  10,20,30  ", 7), RgbColour(10, 20, 30));
  EXPECT_EQ(ParseColour("", 7), 7);
  EXPECT_EQ(ParseColour("   ", 7), 7);
  EXPECT_EQ(ParseColour("300 1 2", 7), RgbColour(300 & 0xFF, 1, 2));  // low bytes
  EXPECT_EQ(ParseColour("12 34", 7), RgbColour(12, 0, 0));           // the last field needs two separators
  EXPECT_EQ(ParseColour("1 2 3 4 5", 7), RgbColour(1, 2, 3));
  EXPECT_EQ(ParseColour("99999999999 5 6", 7), RgbColour(0, 5, 6));  // failed conversion is 0
}

TEST(SkinLoader, ImageReferencesTakeTheFileNameAndExactExtension) {
  EXPECT_EQ(ImageEntryName("skins\\Close.bmp"), "Close.bmp");
  EXPECT_EQ(ImageEntryName("a/b/c.bmp"), "c.bmp");
  EXPECT_EQ(ImageEntryName("Close.BMP"), "");
  EXPECT_EQ(ImageEntryName("skins\\"), "");
  EXPECT_EQ(ImageEntryName("close.png"), "");

  Loaded s(
      "[Button1]\r\nButtonImage=skins\\Close.bmp\r\n"
      "[Button2]\r\nButtonImage=Close.BMP\r\n"
      "[Button3]\r\nButtonImage=gone.bmp\r\n",
      {BmpEntry("close.bmp", 60, 20)});
  ASSERT_TRUE(s.ok);
  ASSERT_EQ(s.m().sysButtons.size(), 3u + 3u);
  EXPECT_EQ(s.m().sysButtons[0].image.Width(), 60);
  EXPECT_EQ(s.m().sysButtons[0].name, "BUTTON1");
  EXPECT_TRUE(s.m().sysButtons[1].image.Empty());
  EXPECT_TRUE(s.m().sysButtons[2].image.Empty());
}

TEST(SkinLoader, TitleBarButtonFrameRules) {
  Loaded s(
      "[ButtonClose]\r\nButtonImage=b60.bmp\r\nAction=0\r\n"
      "[ButtonMax]\r\nButtonImage=b120.bmp\r\nAction=1\r\n"
      "[ButtonNeg]\r\nButtonImage=b60.bmp\r\nAction=-4\r\n"
      "[ButtonSys]\r\nButtonImage=b60.bmp\r\nAction=3\r\n"
      "[ButtonNoImage]\r\nAction=2\r\n"
      "[ButtonFramed]\r\nButtonImage=b60.bmp\r\nframe=2\r\nCombineOp=5\r\nXcoord=7\r\nYcoord=-3\r\n"
      "[ButtonAtRatio]\r\nButtonImage=b76.bmp\r\n[ButtonPastRatio]\r\nButtonImage=b77.bmp\r\n"
      "[Buttons]\r\n[Button.Radio]\r\n[BUTTON.CHECKBOX]\r\n",
      {BmpEntry("b60.bmp", 60, 20), BmpEntry("b120.bmp", 120, 20), BmpEntry("b76.bmp", 76, 20),
       BmpEntry("b77.bmp", 77, 20)});
  ASSERT_TRUE(s.ok);
  const auto& b = s.m().sysButtons;
  ASSERT_EQ(b.size(), 8u + 3u);  // Buttons, Button.Radio and Button.Checkbox are no title-bar buttons
  EXPECT_EQ(b[0].frameCount, 3);
  EXPECT_EQ(b[0].combineOp, -1);
  EXPECT_EQ(b[1].frameCount, 6);
  EXPECT_EQ(b[2].frameCount, 6);
  EXPECT_TRUE(b[3].image.Empty());  // the window icon takes its place
  EXPECT_EQ(b[4].frameCount, 6);
  EXPECT_EQ(b[5].frameCount, 2);
  EXPECT_EQ(b[5].combineOp, 5);
  EXPECT_EQ(b[5].x, 7);
  EXPECT_EQ(b[5].y, -3);
  EXPECT_EQ(b[6].frameCount, 3);  // 76 by 20: a ratio of 3.8 exactly
  EXPECT_EQ(b[7].frameCount, 6);  // 77 by 20: just past it
  for (int j = 0; j < 3; ++j) {
    EXPECT_EQ(b[8 + j].action, 7 + j);
    EXPECT_EQ(b[8 + j].align, 100);
    EXPECT_EQ(b[8 + j].visibility, 100);
    EXPECT_EQ(b[8 + j].visibility1, 100);
    EXPECT_EQ(b[8 + j].frameCount, 4);
    EXPECT_TRUE(b[8 + j].image.Empty());
  }
}

TEST(SkinLoader, MdiControlsAreCutIntoThreeButtons) {
  Bitmap strip(144, 10);
  for (int x = 0; x < 144; ++x) strip.FillRect({x, 0, x + 1, 10}, Rgb(x, 0, 0));
  Loaded s("[MDICONTROLS]\r\nImage=mdi.bmp\r\n", {{"mdi.bmp", EncodeBmp24(strip)}});
  ASSERT_TRUE(s.ok);
  const auto& b = s.m().sysButtons;
  ASSERT_EQ(b.size(), 3u);
  const int expectedX[3] = {48, 32, 16};
  for (int j = 0; j < 3; ++j) {
    // The pixel read below needs the size: a wrong one ends the test here.
    ASSERT_EQ(b[j].image.Width(), 48);
    ASSERT_EQ(b[j].image.Height(), 10);
    EXPECT_EQ(RedOf(b[j].image.At(0, 0)), 48 * j);
    EXPECT_EQ(b[j].x, expectedX[j]);
  }
}

TEST(SkinLoader, MissingSectionsGiveDefaults) {
  Loaded s("");
  ASSERT_TRUE(s.ok);
  const SkinModel& m = s.m();
  EXPECT_EQ(m.skinName, "");
  for (const auto& b : m.borders) {
    EXPECT_TRUE(b.image.Empty());
    EXPECT_EQ(b.frameCount, 1);
    EXPECT_EQ(b.tile, 1);
    EXPECT_EQ(b.trans, 1);
  }
  EXPECT_EQ(m.borders[kTopBorder].name, "Top");
  EXPECT_EQ(m.colours.buttonFace, SystemColour(kColorBtnFace));
  EXPECT_EQ(m.colours.menubar, SystemColour(kColorBtnFace));
  EXPECT_EQ(m.colours.menuText, SystemColour(kColorMenuText));
  EXPECT_EQ(m.colours.titleTextActive, SystemColour(kColorCaptionText));
  EXPECT_EQ(static_cast<uint32_t>(m.colours.buttonShadow), 0xFF000010u);
  EXPECT_EQ(m.title.fontHeight, 14);
  EXPECT_EQ(m.title.frameCount, 2);
  EXPECT_EQ(m.title.activeTextColour, kColourNotSet);
  EXPECT_EQ(m.buttons.frameCount, 5);
  EXPECT_EQ(m.buttons.radioFrameCount, 4);
  EXPECT_EQ(m.buttons.normalColour, -1);
  EXPECT_EQ(m.buttons.normalColour2, SystemColour(kColorBtnText));
  EXPECT_FALSE(m.progress || m.menuBar || m.tabs || m.scrollbar || m.menuItem || m.upDownVert);
  EXPECT_TRUE(m.extraColours.empty());
}

TEST(SkinLoader, ReadsBordersColoursAndElements) {
  Loaded s(
      "[TitlebarSkin]\r\nSkinName=Test\r\n"
      "[Personality]\r\nTop=top.bmp\r\nTopTopHeight=12\r\nTopBotHeight=14\r\nTopFrame=2\r\nTopStretch=0\r\n"
      "Left=left.bmp\r\nLeftTopHeight=3\r\nLeftBotHeight=4\r\nLeftTrans=0\r\n"
      "menuBar=bar.bmp\r\nTileMenu=1\r\nActiveTextR=1\r\nActiveTextG=2\r\nActiveTextB=3\r\nInActiveTextR=1\r\n"
      "TextBack=tb.bmp\r\nTXTBackleft=6\r\nTextAlignment=1\r\n"
      "[Fonts]\r\nFontHeight=12\r\n"
      "[Colours]\r\nButtonFace=1 2 3\r\nButtonText=9 9 9\r\nMenuBarText=4 5 6\r\n"
      "[Colour1]\r\ncolor=7 7 7\r\n[COLOURS2]\r\n"
      "[Buttons]\r\nBitmap=btn.bmp\r\nCheckButton=check.bmp\r\nRadioButton=radio.bmp\r\nLeftWidth=3\r\n"
      "PressedColour2=1 1 1\r\n"
      "[Scrollbar]\r\nImage=arrows.bmp\r\n[HorzScrollThumb]\r\nImage=thumb.bmp\r\nFrameCount=4\r\n"
      "[VertScrollThumb]\r\nImage=thumb.bmp\r\n[Tabs]\r\nImage=tabs.bmp\r\nBorder=tb.bmp\r\nTile=1\r\n"
      "[UpDown.Vert]\r\nImage=ud.bmp\r\nGlyphImage=glyph.bmp\r\n[Progress]\r\nBitmap=bar.bmp\r\nTile=1\r\n",
      {BmpEntry("top.bmp", 40, 60), BmpEntry("left.bmp", 8, 20), BmpEntry("bar.bmp", 30, 40),
       BmpEntry("tb.bmp", 20, 40), BmpEntry("btn.bmp", 100, 20), BmpEntry("check.bmp", 78, 13),
       BmpEntry("radio.bmp", 48, 16), BmpEntry("arrows.bmp", 23 * 16, 16), BmpEntry("thumb.bmp", 48, 16),
       BmpEntry("tabs.bmp", 50, 20), BmpEntry("ud.bmp", 64, 8), BmpEntry("glyph.bmp", 8, 8)});
  ASSERT_TRUE(s.ok);
  const SkinModel& m = s.m();
  EXPECT_EQ(m.skinName, "Test");
  const auto& top = m.borders[kTopBorder];
  EXPECT_EQ(top.leftWidth, 12);
  EXPECT_EQ(top.rightWidth, 14);
  EXPECT_EQ(top.topHeight, 0);
  EXPECT_EQ(top.frameCount, 2);
  EXPECT_EQ(top.tile, 0);
  const auto& left = m.borders[kLeftBorder];
  EXPECT_EQ(left.topHeight, 3);
  EXPECT_EQ(left.bottomHeight, 4);
  EXPECT_EQ(left.leftWidth, 0);
  EXPECT_EQ(left.trans, 0);
  ASSERT_TRUE(m.menuBar);
  EXPECT_EQ(m.menuBar->leftWidth, 1);
  EXPECT_EQ(m.menuBar->tile, 1);
  EXPECT_EQ(m.menuBar->frameCount, 2);
  EXPECT_EQ(m.title.activeTextColour, RgbColour(1, 2, 3));
  EXPECT_EQ(m.title.inactiveTextColour, kColourNotSet);  // only one of three keys
  EXPECT_EQ(m.title.fontHeight, 12);
  EXPECT_EQ(m.title.textBackLeft, 6);
  EXPECT_EQ(m.title.image.Width(), 20);
  EXPECT_EQ(m.colours.buttonFace, RgbColour(1, 2, 3));
  EXPECT_EQ(m.colours.menubar, RgbColour(1, 2, 3));
  EXPECT_EQ(m.colours.menuText, RgbColour(1, 2, 3));  // parsed from ButtonFace when missing
  EXPECT_EQ(m.colours.menuBarText, RgbColour(4, 5, 6));
  EXPECT_EQ(m.extraColours, (std::vector<TColor>{RgbColour(7, 7, 7), SystemColour(kColorWindowText)}));
  EXPECT_EQ(m.buttons.leftWidth, 3);
  EXPECT_EQ(m.buttons.checkFrameCount, 6);  // 78 wide, 13 high: 13 per frame
  EXPECT_EQ(m.buttons.radioFrameCount, 4);  // 48 wide, 16 high: 3, raised to 4
  EXPECT_EQ(m.buttons.normalColour2, RgbColour(9, 9, 9));
  EXPECT_EQ(m.buttons.downColour2, RgbColour(1, 1, 1));
  ASSERT_TRUE(m.scrollbar && m.horzScrollThumb && m.vertScrollThumb && m.tabs && m.upDownVert && m.progress);
  EXPECT_EQ(m.scrollbar->frameCount, 23);
  EXPECT_EQ(m.horzScrollThumb->frameCount, 4);
  EXPECT_EQ(m.vertScrollThumb->frameCount, 3);
  EXPECT_EQ(m.tabs->frameCount, 5);
  EXPECT_EQ(m.tabs->image2.Width(), 20);
  EXPECT_EQ(m.tabs->tile, 1);
  EXPECT_EQ(m.upDownVert->frameCount, 8);
  EXPECT_EQ(m.upDownVert->image2.Width(), 8);
  EXPECT_EQ(m.progress->tile, 1);
  EXPECT_EQ(m.progress->frameCount, 2);
  EXPECT_FALSE(m.upDownHorz);
}

TEST(SkinLoader, BadImageRefusesTheSkinAndKeepsThePreviousModel) {
  skintest::MessageRecorder recorder;
  TSkinStore store;
  store.Store().Add().ReadDataStream(StoredSkin("[TitlebarSkin]\r\nSkinName=Good\r\n"));
  std::string hugeBmp = EncodeBmp24(Bitmap(2, 2));
  hugeBmp[18] = '\xFF';  // width 0x...FF: beyond any sane size, without the data for it
  hugeBmp[19] = '\xFF';
  store.Store().Add().ReadDataStream(
      StoredSkin("[TitlebarSkin]\r\nSkinName=Bad\r\n[Personality]\r\nTop=huge.bmp\r\n", {{"huge.bmp", hugeBmp}}));
  TSkinData data;
  ASSERT_TRUE(data.LoadFromStore(store, 0));
  EXPECT_FALSE(data.LoadFromStore(store, 1));
  EXPECT_TRUE(data.SkinNotLoaded());
  EXPECT_EQ(data.Model().skinName, "Good");
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_NE(recorder.messages[0].find("huge.bmp"), std::string::npos);
}

}  // namespace
