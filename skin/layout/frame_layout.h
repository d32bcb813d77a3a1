// The arithmetic of a skinned window frame, free of any window system:
// border thicknesses, the frame kind a window's styles give, which caption
// buttons show, where the caption text and the caption buttons go, how a
// border is painted and which part of the window the frame leaves opaque.
// The Win32 frame and the skin sheet both draw from these.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/image/bitmap.h"
#include "skin/model/skin_model.h"

namespace skin {

// Window style bits the frame rules read (the values of the Win32 constants).
inline constexpr uint32_t kStylePopup = 0x80000000u, kStyleChild = 0x40000000u, kStyleCaption = 0x00C00000u,
                          kStyleSysMenu = 0x00080000u, kStyleThickFrame = 0x00040000u,
                          kStyleMinimizeBox = 0x00020000u, kStyleMaximizeBox = 0x00010000u;
inline constexpr uint32_t kExStyleWindowEdge = 0x00000100u;

struct Thickness {
  int left = 0, top = 0, right = 0, bottom = 0;
};
// left = left border image width / its frame count, right likewise; top = top
// image height / frame count, bottom likewise (frame counts below 1 count as
// 1). The side borders' frames lie side by side, the top and bottom ones are
// stacked.
Thickness BorderThickness(const SkinModel& m);

enum FrameKind : int { kFrameSizing = 0, kFrameBorderlessPopup = 2, kFrameFixed = 3 };
// 2 for a popup without a (full) caption, 0 with a sizing border or the
// window-edge ex style, 3 otherwise.
FrameKind FrameKindFor(uint32_t style, uint32_t exStyle);

enum WindowState : int { kStateNormal = 0, kStateMaximized = 1, kStateMinimized = 2 };

// What the caption-button visibility rules read.
struct FrameFacts {
  FrameKind kind = kFrameSizing;
  WindowState state = kStateNormal;
  bool active = true;
  bool sysMenu = true, minimizeBox = true, maximizeBox = true;
  bool mdiFrameWithMaximizedChild = false;
  int menuBarHeight = 0;
};
// Both visibility conditions of the button hold, and a maximize button
// (action 1) needs a maximize box, a minimize button (action 2) a minimize
// box, whatever the skin's values say.
bool ButtonVisible(const TDataSkinSysButton& b, const FrameFacts& f);

// The caption text box (caps included) and the text rectangle (box less the
// two caps), for a text measured textWidth x textHeight, in the caption area
// (left, 0, width - right, top). The box (the text's background) is as
// high as the area; the text is textHeight high, centred in the area and
// moved down by half the vertical text shift. Horizontally the box
// starts at the area's left plus the text shift (alignment 0), is centred
// (1), or ends at the area's right plus the right clip (2); its right edge
// is then clipped to the area's right less the right clip. Neither
// rectangle is ever inverted: what is clipped away leaves zero width.
struct CaptionTextPlace {
  Rect box;
  Rect text;
};
CaptionTextPlace PlaceCaptionText(const TDataSkinTitle& t, int textWidth, int textHeight, Rect captionArea);

// A caption button's rectangle (one frame: frameWidth x frameHeight) by its
// alignment: 0 from the window's left, 1 from its right, 2/8 left of the
// caption text box, 3/9 right of it, 100 in the menu bar from the right.
// menuBarLeftWidth: the menu bar element's left width, or -1 when the skin
// has none. Other alignments place nothing (an empty rectangle).
Rect PlaceCaptionButton(const TDataSkinSysButton& b, int frameWidth, int frameHeight, int windowWidth,
                        Rect textBox, const Thickness& th, int menuBarHeight, int menuBarLeftWidth);
// The frame a caption button draws: 1 while active or with fewer than 4
// frames, else 4.
int CaptionButtonFrame(bool active, int frameCount);

// The four border rectangles of a width x height window: left (0,0,left,h),
// right (w-right,0,w,h), bottom (left,h-bottom,w-right,h), top
// (left,0,w-right,top). A border that does not fit is empty, never inverted.
Rect BorderRect(BorderSide side, int width, int height, const Thickness& th);
// Draws one border into `r` of `canvas`: top/bottom frames stacked,
// left/right side by side; middle stretched when the border's `tile` field
// (the skin's Stretch value) is 1, tiled otherwise; frame 1 while active or
// with one frame, frame 2 otherwise; magenta transparent; an empty image
// draws nothing.
void DrawBorder(Bitmap& canvas, Rect r, const TDataSkinBorder& b, BorderSide side, bool active);

// The window region as rectangles in window coordinates. When no border has
// a non-zero trans, the single whole-window rectangle. Otherwise the
// interior plus each border's part: trans 1 gives the opaque pixels (key
// magenta, tolerance 1 per channel) of the border as DrawBorder paints it
// while active (the top taken from `caption` when given: the composed
// caption bitmap, window width x top, with its pixels at (0,0)); other trans
// values, a bottom border thinner than 2 px, or a top or side border of a
// window 1 px high give the border's full rectangle. Nothing for a window
// without area.
std::vector<Rect> FrameRegionRects(const SkinModel& m, int width, int height, const Thickness& th,
                                   const Bitmap* caption = nullptr);

}  // namespace skin
