// The skin model: the elements a loaded skin description yields, which the
// frame, menu and control painters draw from.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "skin/image/bitmap.h"
#include "skin/model/skin_colour.h"

namespace skin {

// One skin element: an image strip of `frameCount` equal frames side by side,
// with fixed edge sizes for nine-slice drawing.
struct TDataSkinObject {
  virtual ~TDataSkinObject() = default;
  int32_t leftWidth = 0;
  int32_t topHeight = 0;
  int32_t rightWidth = 0;
  int32_t bottomHeight = 0;
  Bitmap image;
  int32_t trans = 0;  // non-zero: magenta is see-through
  int32_t tile = 0;   // non-zero: middle parts tiled instead of stretched
  std::string name;
  int32_t frameCount = 0;
  // Text colour per state (normal, mouse over, pressed); -1 = not set.
  int32_t normalColour = -1, overColour = -1, downColour = -1;
  TColor normalColour2 = 0, overColour2 = 0, downColour2 = 0;
};

// An element with a second image: the window borders, Tabs ("Border") and
// the up-down controls ("GlyphImage").
struct TDataSkinBorder : TDataSkinObject {
  Bitmap image2;
};

// The push-button element "Buttons" with the check-box and radio images.
struct TDataSkinButton : TDataSkinObject {
  Bitmap checkImage;
  Bitmap radioImage;
  int32_t radioFrameCount = 0;
  int32_t checkFrameCount = 0;
};

// The caption. Base fields: leftWidth = text shift, topHeight = vertical
// text shift, rightWidth = right clip, image = caption text background.
struct TDataSkinTitle : TDataSkinObject {
  int32_t textAlignment = 0;  // 0 left, 1 centre, 2 right
  int32_t textBackground = 0;
  int32_t fontHeight = 14;
  int32_t textBackLeft = 0;
  int32_t textBackRight = 0;
  TColor activeTextColour = kColourNotSet;
  TColor inactiveTextColour = kColourNotSet;
};

// One title-bar button.
struct TDataSkinSysButton : TDataSkinObject {
  int32_t action = 0;  // 0 close, 1/22 maximize, 2/23 minimize, 3/11/12 window menu, 7-9 MDI child
  int32_t align = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t combineOp = -1;
  int32_t visibility = 0;
  int32_t visibility1 = 0;
};

struct SkinColours {
  TColor windowText = SystemColour(kColorWindowText);
  TColor buttonFace = SystemColour(kColorBtnFace);
  TColor scrollbar = SystemColour(kColorScrollbar);
  TColor hilightText = SystemColour(kColorHighlightText);
  TColor hilight = SystemColour(kColorHighlight);
  TColor menubar = SystemColour(kColorBtnFace);
  TColor menu = SystemColour(kColorMenu);
  TColor menuText = SystemColour(kColorMenuText);
  TColor buttonText = SystemColour(kColorBtnText);
  TColor buttonHilight = SystemColour(kColorBtnHighlight);
  TColor buttonLight = SystemColour(kColorBtnHighlight);
  TColor buttonShadow = SystemColour(kColorBtnShadow);
  TColor buttonDkShadow = SystemColour(kColorBtnShadow);
  TColor menuBarText = SystemColour(kColorMenuText);
  TColor titleTextActive = SystemColour(kColorCaptionText);
  TColor titleTextInactive = SystemColour(kColorInactiveCaptionText);
};

enum BorderSide { kLeftBorder, kRightBorder, kTopBorder, kBottomBorder };

struct SkinModel {
  SkinModel();

  std::string skinName;
  std::array<TDataSkinBorder, 4> borders;  // by BorderSide, named "Left" ... "Bottom"
  TDataSkinTitle title;
  TDataSkinButton buttons;
  std::vector<TDataSkinSysButton> sysButtons;  // the skin's, then the three MDI child buttons

  // Optional elements: null when the section names no image.
  std::unique_ptr<TDataSkinObject> progress, menuBar, groupBoxEdge, toolbars;
  std::unique_ptr<TDataSkinBorder> tabs;
  std::unique_ptr<TDataSkinObject> statusBarEdges, comboButton, sunkEdge, extraImages, headerbar, menuItem,
      menuBackground, scrollbar, horzScroll, vertScroll, horzScrollThumb, vertScrollThumb;
  std::unique_ptr<TDataSkinBorder> upDownHorz, upDownVert;

  SkinColours colours;
  std::vector<TColor> extraColours;
};

}  // namespace skin
