// Skin colours. A colour is the toolkit's 32-bit colour value: red + 256 ×
// green + 65536 × blue for a plain colour, or 0xFF000000 plus a Windows
// COLOR_ index for a system colour that drawing code resolves at paint time.
#pragma once

#include <cstdint>
#include <string_view>

namespace skin {

using TColor = int32_t;

// Windows COLOR_ indexes the skin defaults refer to.
enum SysColourIndex : int {
  kColorScrollbar = 0,
  kColorActiveCaption = 2,
  kColorMenu = 4,
  kColorWindow = 5,
  kColorMenuText = 7,
  kColorWindowText = 8,
  kColorCaptionText = 9,
  kColorHighlight = 13,
  kColorHighlightText = 14,
  kColorBtnFace = 15,
  kColorBtnShadow = 16,
  kColorBtnText = 18,
  kColorInactiveCaptionText = 19,
  kColorBtnHighlight = 20,
};

constexpr TColor SystemColour(int index) { return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index)); }
constexpr bool IsSystemColour(TColor c) { return (static_cast<uint32_t>(c) & 0xFF000000u) == 0xFF000000u; }
constexpr int SystemColourIndex(TColor c) { return static_cast<int>(static_cast<uint32_t>(c) & 0xFF); }
constexpr TColor RgbColour(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

// "Not set" for the caption text colours of the title element.
inline constexpr TColor kColourNotSet = 0x1FFFFFFF;

// Parses "R G B": digits form fields; each other character ends a field,
// stores it as the next component when it is not empty, and moves on to the
// next component either way. The last field counts (as blue) only when two
// separators came before it. Missing components are 0; each is taken as its
// low byte. An empty text gives `def`.
TColor ParseColour(std::string_view text, TColor def);

// The pixel (0x00RRGGBB) of a colour; system colours resolve through the
// classic Windows scheme, for drawing outside Windows (sheets, tests).
uint32_t ColourToPixel(TColor c);
uint32_t ClassicSystemPixel(int index);

}  // namespace skin
