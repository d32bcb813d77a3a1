// Check boxes and radio buttons: the system draws the control, the skin's
// glyph then covers the system's mark.
#include <algorithm>

#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_controls.h"

namespace skin {

namespace {

constexpr int kGlyphBox = 14;  // the room the system gives its mark

}  // namespace

const Bitmap& TSkinCheckBox::Glyphs() const { return Data().Model().buttons.checkImage; }
int TSkinCheckBox::GlyphFrames() const { return Data().Model().buttons.checkFrameCount; }
const Bitmap& TSkinRadioButton::Glyphs() const { return Data().Model().buttons.radioImage; }
int TSkinRadioButton::GlyphFrames() const { return Data().Model().buttons.radioFrameCount; }

void TSkinCheckBox::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    // The system redraws its mark at once on these, over the glyph.
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
      Repaint();
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

int TSkinCheckBox::GlyphFrame() const {
  if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_DISABLED) return 3;
  return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 2 : 1;
}

RECT TSkinCheckBox::GlyphRect() const {
  const Bitmap& glyphs = Glyphs();
  if (glyphs.Empty()) return {};
  const int gw = glyphs.Width() / std::max(GlyphFrames(), 1), gh = glyphs.Height();
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int inset = gw < 15 ? (kGlyphBox - gw) / 2 : 0;
  const bool right = (GetWindowLongW(hwnd_, GWL_STYLE) & BS_RIGHTBUTTON) != 0;
  const int x = right ? client.right - inset - gw : inset;
  const int y = (client.bottom - gh) / 2;
  return {x, y, x + gw, y + gh};
}

void TSkinCheckBox::Paint() {
  GetWindowRect(hwnd_, &rect_);
  PaintClientArea(*this);
}

void TSkinCheckBox::Draw(HDC dc, RECT r) {
  const RECT glyph = GlyphRect();
  if (glyph.right <= glyph.left) return;
  const int inset = (glyph.right - glyph.left) < 15 ? (kGlyphBox - (glyph.right - glyph.left)) / 2 : 0;
  RECT box{glyph.left - inset, r.top, glyph.right + inset, r.bottom};
  gdi::Brush face(CreateSolidBrush(Colour(Data().Model().colours.buttonFace)));
  FillRect(dc, &box, face.get());
  win32::DrawFrame(dc, glyph, Glyphs(), true, GlyphFrames(), GlyphFrame());
}

}  // namespace skin
