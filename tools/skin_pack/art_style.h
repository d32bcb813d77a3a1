// The drawing parameters of one skin, read from the [Art] section of its
// source description: sizes, shapes and the palette.
#pragma once

#include <string>

#include "platform/ini.h"
#include "skin/image/bitmap.h"

namespace art {

enum class Pattern { kNone, kPinstripe, kHearts, kWaves };
enum class CaptionButtons { kTrafficLights, kRoundedSquares, kRings, kGlassTiles };

struct Style {
  int captionHeight = 26;
  int border = 4;
  int cornerRadius = 6;
  int buttonRadius = 4;       // push buttons and other controls
  int titleButtonSize = 18;
  int titleButtonGap = 2;
  int patternPeriod = 24;     // the tiled middle of the caption is a multiple of it
  Pattern pattern = Pattern::kNone;
  CaptionButtons captionButtons = CaptionButtons::kRoundedSquares;
  bool gloss = false;         // a light band over the upper caption
  bool ribbon = false;        // a text background behind the caption text

  uint32_t captionTop = 0, captionBottom = 0, inactiveTop = 0, inactiveBottom = 0;
  uint32_t frame = 0, frameInactive = 0, patternColour = 0xFFFFFF;
  uint32_t face = 0, buttonTop = 0, buttonBottom = 0, buttonBorder = 0;
  uint32_t accent = 0, accentDark = 0, closeButton = 0, glyph = 0xFFFFFF;
  uint32_t menuBarTop = 0, menuBarBottom = 0, menu = 0, text = 0, window = 0xFFFFFF;
  uint32_t ribbonColour = 0xFFFFFF, ribbonBorder = 0;

  // Width of the tiled middle of the caption piece.
  int CaptionMiddle() const { return patternPeriod * 2; }
};

// Reads section "Art"; colours are written #RRGGBB. Throws
// std::runtime_error naming a key whose value is not understood.
Style ReadStyle(const ini::IniFile& description);

}  // namespace art
