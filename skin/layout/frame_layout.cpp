#include "skin/layout/frame_layout.h"

#include <algorithm>

namespace skin {
namespace {

int FrameWidth(const TDataSkinObject& e) { return e.image.Width() / std::max(e.frameCount, 1); }
int FrameHeight(const TDataSkinObject& e) { return e.image.Height() / std::max(e.frameCount, 1); }

// One visibility value of a caption button; `second` reads it as the second
// visibility, whose conditions leave out the system menu.
bool VisibilityHolds(int value, bool second, int action, const FrameFacts& f) {
  const bool maximized = f.state == kStateMaximized;
  switch (value) {
    case 0: return second || (f.kind != kFrameFixed && (action != 0 || f.sysMenu));
    case 1: return maximized;
    case 2: return !maximized;
    case 3: return f.active;
    case 4: return !f.active;
    case 6: return f.maximizeBox && (second || f.sysMenu);
    case 7: return !f.maximizeBox;
    case 8: return f.minimizeBox && (second || f.sysMenu);
    case 9: return !f.minimizeBox;
    case 100: return f.mdiFrameWithMaximizedChild && f.menuBarHeight > 0;
    default: return value >= 200 && value <= 2000;  // 5, 10, 11 and unknown values: never
  }
}

}  // namespace

Thickness BorderThickness(const SkinModel& m) {
  return {FrameWidth(m.borders[kLeftBorder]), FrameHeight(m.borders[kTopBorder]), FrameWidth(m.borders[kRightBorder]),
          FrameHeight(m.borders[kBottomBorder])};
}

FrameKind FrameKindFor(uint32_t style, uint32_t exStyle) {
  if ((style & kStylePopup) && (style & kStyleCaption) != kStyleCaption) return kFrameBorderlessPopup;
  if ((style & kStyleThickFrame) || (exStyle & kExStyleWindowEdge)) return kFrameSizing;
  return kFrameFixed;
}

bool ButtonVisible(const TDataSkinSysButton& b, const FrameFacts& f) {
  if (b.action == 1 && !f.maximizeBox) return false;
  if (b.action == 2 && !f.minimizeBox) return false;
  return VisibilityHolds(b.visibility, false, b.action, f) && VisibilityHolds(b.visibility1, true, b.action, f);
}

CaptionTextPlace PlaceCaptionText(const TDataSkinTitle& t, int textWidth, int textHeight, Rect area) {
  const int capLeft = std::max(t.textBackLeft, 0), capRight = std::max(t.textBackRight, 0);
  const int w = std::max(textWidth, 0) + capLeft + capRight, h = std::max(textHeight, 0);
  int x;
  switch (t.textAlignment) {
    case 1: x = area.left + (area.Width() - w) / 2; break;
    case 2: x = area.right + t.rightWidth - w; break;
    default: x = area.left + t.leftWidth; break;
  }
  const int y = area.top + (area.Height() - h) / 2 + t.topHeight / 2;
  CaptionTextPlace place;
  // The text's background covers the caption's full height, whatever the text's.
  place.box = {x, area.top, std::max(x, std::min(x + w, area.right - t.rightWidth)), area.bottom};
  const int textLeft = std::min(place.box.left + capLeft, place.box.right);
  place.text = {textLeft, y, std::max(textLeft, place.box.right - capRight), y + h};
  return place;
}

Rect PlaceCaptionButton(const TDataSkinSysButton& b, int frameWidth, int frameHeight, int windowWidth,
                        Rect textBox, const Thickness& th, int menuBarHeight, int menuBarLeftWidth) {
  frameWidth = std::max(frameWidth, 0);
  frameHeight = std::max(frameHeight, 0);
  int x = 0, y = b.y;
  switch (b.align) {
    case 0: x = b.x; break;
    case 1: x = windowWidth - b.x; break;
    case 2:
    case 8: x = textBox.left - frameWidth - b.x; break;
    case 3:
    case 9: x = textBox.right + b.x; break;
    case 100:
      x = windowWidth - b.x - th.right - std::max(menuBarLeftWidth, 0);
      y = th.top + (menuBarHeight - frameHeight) / 2;
      break;
    default: return {};
  }
  return {x, y, x + frameWidth, y + frameHeight};
}

int CaptionButtonFrame(bool active, int frameCount) { return active || frameCount < 4 ? 1 : 4; }

}  // namespace skin
