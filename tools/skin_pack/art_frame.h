// Window frame art: borders, caption, caption buttons, caption text
// background and the MDI child buttons.
#pragma once

#include "tools/skin_pack/art_canvas.h"
#include "tools/skin_pack/art_style.h"

namespace art {

enum class Glyph { kClose, kMaximize, kRestore, kMinimize, kUp, kDown, kLeft, kRight, kCheck, kDot };

// Draws a glyph centred at (cx, cy) in a box of `size` pixels.
void DrawGlyph(Bitmap& b, Glyph g, double cx, double cy, double size, uint32_t colour, double alpha = 1);

struct FrameImages {
  Bitmap top, bottom, left, right;  // top and bottom: frames stacked; sides: side by side
};
// Sizes: top caps CornerRadius, sides' fixed top CaptionHeight and bottom
// Border; two frames each (active, inactive).
FrameImages DrawFrameImages(const Style& s);

// Four frames side by side: normal, pressed, hot, inactive.
Bitmap DrawCaptionButton(const Style& s, Glyph g);
// Two frames stacked (active, inactive), caps of 14 pixels.
Bitmap DrawTextBack(const Style& s);
// Minimize, restore and close of a maximized MDI child: 3 × 4 frames, 16 wide.
Bitmap DrawMdiControls(const Style& s);

// Lays out `frames` images of w×h side by side (or stacked).
Bitmap Strip(int frames, int w, int h, const std::function<void(Bitmap&, int)>& draw, bool stacked = false);

}  // namespace art
