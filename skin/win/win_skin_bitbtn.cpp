// Bitmap buttons: the push-button face with the glyph and caption placed
// as the button's layout says.
#include "skin/model/skin_data.h"
#include "skin/win/win_skin_controls.h"
#include "ui/std_controls.h"

namespace skin {

namespace {

struct GlyphSource {
  HBITMAP bitmap = nullptr;
  int numGlyphs = 1;
  GlyphLayout layout = GlyphLayout::kLeft;
  int margin = -1;
  int spacing = 4;
};

GlyphSource GlyphOf(ui::Control* control) {
  GlyphSource g;
  if (!control || !control->InheritsFrom("TBitBtn")) return g;
  auto* button = static_cast<ui::BitBtn*>(control);
  g.bitmap = button->Glyph();
  g.numGlyphs = button->NumGlyphs();
  g.layout = static_cast<GlyphLayout>(button->Layout);
  g.margin = button->Margin;
  g.spacing = button->Spacing;
  return g;
}

// The glyph's first frame at (x, y), its bottom-left pixel see-through.
void DrawGlyph(HDC dc, HBITMAP glyph, int x, int y, Size frame) {
  gdi::MemoryDc source(dc);
  gdi::SelectGuard selectSource(source.get(), glyph);
  gdi::BitmapCanvas first(frame.width, frame.height);
  BitBlt(first.dc(), 0, 0, frame.width, frame.height, source.get(), 0, 0, SRCCOPY);
  COLORREF key = GetPixel(first.dc(), 0, frame.height - 1);
  TransparentBlt(dc, x, y, frame.width, frame.height, first.dc(), 0, 0, frame.width, frame.height, key);
}

}  // namespace

void TSkinBitButton::Draw(HDC target, RECT r) {
  if (Data().Model().buttons.image.Empty() || r.right <= r.left || r.bottom <= r.top) return;
  Refresh();
  const int frame = FrameIndex();
  const int w = r.right - r.left, h = r.bottom - r.top;
  gdi::BitmapCanvas canvas(w, h);
  HDC dc = canvas.dc();
  DrawFace(dc, {0, 0, w, h}, frame);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  gdi::SelectGuard selectFont(dc, font);

  const GlyphSource g = GlyphOf(Control());
  Size glyph{};
  BITMAP bm{};
  if (g.bitmap && GetObjectW(g.bitmap, sizeof bm, &bm)) glyph = GlyphFrameSize({bm.bmWidth, bm.bmHeight}, g.numGlyphs);
  Size caption{};
  if (!text_.empty()) {
    RECT measured{};
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &measured, DT_CALCRECT | DT_SINGLELINE);
    caption = {measured.right - measured.left, measured.bottom - measured.top};
  }
  layout_ = LayOutBitButton({w, h}, glyph, caption, g.layout, g.margin, g.spacing);

  if (glyph.width > 0 && glyph.height > 0) DrawGlyph(dc, g.bitmap, layout_.glyph.left, layout_.glyph.top, glyph);
  if (caption.width > 0) {
    RECT cr{layout_.caption.left, layout_.caption.top, layout_.caption.right, layout_.caption.bottom};
    UINT align = layout_.align == CaptionAlign::kLeft    ? DT_LEFT
                 : layout_.align == CaptionAlign::kRight ? DT_RIGHT
                                                         : DT_CENTER;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColour(frame));
    DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &cr, align | DT_SINGLELINE);
  }
  BitBlt(target, r.left, r.top, w, h, dc, 0, 0, SRCCOPY);
}

}  // namespace skin
