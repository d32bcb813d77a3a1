#include "skin/layout/control_layout.h"

#include <algorithm>

namespace skin {

int ButtonFrameIndex(bool enabled, bool pressed, bool focusedOrHot) {
  if (!enabled) return 3;
  if (pressed) return 2;
  return focusedOrHot ? 4 : 1;
}

TColor ButtonTextColour(const TDataSkinObject& buttons, TColor buttonText, int frame) {
  switch (frame) {
    case 1: return buttons.normalColour2;
    case 2: return buttons.downColour2;
    case 3: return SystemColour(kColorBtnShadow);
    case 4: return buttons.overColour2;
    default: return buttonText;
  }
}

Size GlyphFrameSize(Size bitmap, int numGlyphs) {
  return {bitmap.width / std::max(numGlyphs, 1), bitmap.height};
}

BitButtonLayout LayOutBitButton(Size client, Size glyph, Size caption, GlyphLayout layout, int margin, int spacing) {
  const bool acrossX = layout == GlyphLayout::kLeft || layout == GlyphLayout::kRight;
  int s = (caption.width == 0 || glyph.width == 0) ? 0 : spacing;
  // Along the layout axis: the room L and the sizes g and c on it.
  const int L = acrossX ? client.width : client.height;
  const int g = acrossX ? glyph.width : glyph.height;
  const int c = acrossX ? caption.width : caption.height;
  int m = margin;
  if (margin == -1 && s == -1) {
    m = (L - g - c) / 3;
    s = m;
  } else if (margin == -1) {
    m = (L - g - s - c) / 2;
  } else if (s == -1) {
    s = (L - m - g - c) / 2;
  }
  const bool glyphFirst = layout == GlyphLayout::kLeft || layout == GlyphLayout::kTop;
  const int glyphAt = glyphFirst ? m : L - m - g;
  const int captionAt = glyphFirst ? glyphAt + g + s : glyphAt - s - c;
  // Across the axis both are centred in the other dimension.
  const int across = acrossX ? client.height : client.width;
  const int glyphAcross = (across - (acrossX ? glyph.height : glyph.width) + 1) / 2;
  const int captionAcross = (across - (acrossX ? caption.height : caption.width) + 1) / 2;

  BitButtonLayout out;
  if (acrossX) {
    out.glyph = {glyphAt, glyphAcross, glyphAt + glyph.width, glyphAcross + glyph.height};
    out.caption = {captionAt, captionAcross, captionAt + caption.width, captionAcross + caption.height};
    out.align = layout == GlyphLayout::kLeft ? CaptionAlign::kLeft : CaptionAlign::kRight;
  } else {
    out.glyph = {glyphAcross, glyphAt, glyphAcross + glyph.width, glyphAt + glyph.height};
    out.caption = {captionAcross, captionAt, captionAcross + caption.width, captionAt + caption.height};
    out.align = CaptionAlign::kCentre;
  }
  return out;
}

PanelBevel PanelBevelFromType(int sbtType) {
  if (sbtType & kSbtNoBorders) return PanelBevel::kNone;
  return (sbtType & kSbtPopout) ? PanelBevel::kRaised : PanelBevel::kLowered;
}

int StatusPanelFrame(PanelBevel bevel) {
  switch (bevel) {
    case PanelBevel::kRaised: return 2;
    case PanelBevel::kNone: return 3;
    case PanelBevel::kLowered: break;
  }
  return 1;
}

PanelEdge StatusPanelEdge(PanelBevel bevel) {
  if (bevel == PanelBevel::kNone) return {};
  return {true, bevel == PanelBevel::kLowered};
}

}  // namespace skin
