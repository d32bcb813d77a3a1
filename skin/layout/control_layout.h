// Layout arithmetic of the skinned push buttons, bitmap buttons and status
// bar panels, kept free of Win32 so that it is tested natively. The Win32
// skinners measure texts and read control state, then ask these functions
// where to draw and which frame of the skin's image to use.
#pragma once

#include "skin/image/bitmap.h"
#include "skin/model/skin_colour.h"
#include "skin/model/skin_model.h"

namespace skin {

// Frame index (from 1) of the 5-frame "Buttons" image for a button's state:
// 3 when disabled, else 2 when pressed, else 4 when focused or hot, else 1.
int ButtonFrameIndex(bool enabled, bool pressed, bool focusedOrHot);

// Caption colour of a skinned button drawn with `frame`: the element's
// colour 2 of that state (normal 1, pressed 2, mouse over 4), the system
// button shadow colour for the disabled frame 3, else `buttonText`.
TColor ButtonTextColour(const TDataSkinObject& buttons, TColor buttonText, int frame);

// Where a bitmap button's glyph sits relative to its caption; the values
// are the toolkit's (glyph left, right, top, bottom).
enum class GlyphLayout { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3 };

enum class CaptionAlign { kLeft, kCentre, kRight };

struct BitButtonLayout {
  Rect glyph;    // the glyph's first frame, at its size
  Rect caption;  // the caption at its measured size
  CaptionAlign align = CaptionAlign::kLeft;
};

// Size of one glyph frame: the bitmap's width over the number of glyphs
// (fewer than one counts as one), and its height.
Size GlyphFrameSize(Size bitmap, int numGlyphs);

// Places glyph and caption in a bitmap button's client area. Across the
// layout axis both are centred; along it, a margin of -1 centres the pair
// (with a spacing of -1 too, margins and spacing share the room equally)
// and a spacing of -1 spreads the room left after the margin. The spacing
// counts only when both glyph and caption have a width. Divisions truncate
// toward zero; a margin other than -1 is taken as given.
BitButtonLayout LayOutBitButton(Size client, Size glyph, Size caption, GlyphLayout layout, int margin, int spacing);

// Status bar panel bevels, read from the type bits a status bar reports for
// a panel's text (same values as the Win32 SBT_ flags).
inline constexpr int kSbtNoBorders = 0x0100;
inline constexpr int kSbtPopout = 0x0200;

enum class PanelBevel { kLowered, kRaised, kNone };

// The bevel of a panel from its SBT_ type bits: no borders wins over
// pop-out; neither bit is the usual lowered panel.
PanelBevel PanelBevelFromType(int sbtType);

// Frame index (from 1) of the 3-frame StatusBarEdges image for a bevel:
// 1 lowered, 2 raised, 3 none.
int StatusPanelFrame(PanelBevel bevel);

// The one-pixel 3-D frame drawn around a panel when the skin has no
// StatusBarEdges image: lowered panels have the shadow colour at the top
// and left, raised ones the highlight colour there; panels without a bevel
// get no frame.
struct PanelEdge {
  bool drawn = false;
  bool shadowTopLeft = false;  // else the highlight colour is at the top and left
};
PanelEdge StatusPanelEdge(PanelBevel bevel);

}  // namespace skin
