// Painting of the skinned frame: the borders and the caption bar are
// composed in portable bitmaps that start from what the screen shows (so
// see-through parts stay as they are), then copied to the window's frame.
#include <string>

#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_control.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_guard.h"
#include "skin/win/win_skin_menu.h"

namespace skin {

namespace {

RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

bool TWinSkinForm::PaintFrame() {
  if (kind_ == kFrameBorderlessPopup || !subclassed_) return true;
  if (setupState_ != 1 && setupState_ != 3) return true;
  if (state_ == kStateMinimized || IsIconic(hwnd_)) return true;
  // Nothing of a paint's failure goes further than the paint (no error box).
  return SkinGuarded([this] {
    gdi::WindowDc dc(hwnd_, gdi::WindowDc::kWholeWindow);
    if (dc) PaintFrameTo(dc.get());
  });
}

void TWinSkinForm::PaintFrameTo(HDC dc) {
  FaultPoint("frame paint");
  const SkinModel& m = data_.Model();
  SIZE s = WindowSize();
  for (BorderSide side : {kLeftBorder, kRightBorder, kBottomBorder}) {
    Rect r = BorderRect(side, s.cx, s.cy, th_);
    if (r.Empty()) continue;
    const TDataSkinBorder& b = m.borders[side];
    Bitmap canvas = b.trans ? win32::CaptureFromDC(dc, ToRECT(r)) : Bitmap(r.Width(), r.Height());
    DrawBorder(canvas, {0, 0, r.Width(), r.Height()}, b, side, active_);
    win32::CopyToDC(dc, r.left, r.top, canvas);
  }
  PaintCaption(dc, s.cx);
  const int systemBand = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  if (!active_ && th_.top + menuBarHeight_ < systemBand) {
    if (!faceBrush_) faceBrush_.reset(CreateSolidBrush(win32::ResolveColour(m.colours.buttonFace)));
    RECT band{th_.left, th_.top + menuBarHeight_, s.cx - th_.right, std::min<int>(systemBand, s.cy - th_.bottom)};
    if (band.bottom > band.top) FillRect(dc, &band, faceBrush_.get());
  }
  if (menuBar_) menuBar_->Paint(dc, {th_.left, th_.top, s.cx - th_.right, th_.top + menuBarHeight_});
}

void TWinSkinForm::LayOutButtons(HDC dc, int width, const std::wstring& text) {
  const SkinModel& m = data_.Model();
  // The caption text box, measured with the caption font.
  gdi::SelectGuard font(dc, captionFont_.get());
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  CaptionTextPlace place = PlaceCaptionText(m.title, extent.cx, extent.cy, {th_.left, 0, width - th_.right, th_.top});
  textBox_ = ToRECT(place.box);
  textRect_ = ToRECT(place.text);
  const FrameFacts facts = Facts();
  const int menuLeft = m.menuBar ? m.menuBar->leftWidth : -1;
  const int iconSize = GetSystemMetrics(SM_CXSMICON);
  for (auto& b : buttons_) {
    b->visible = ButtonVisible(b->data, facts) && (b->usesIcon || !b->data.image.Empty());
    if (!b->visible) continue;
    int fw = b->usesIcon ? iconSize : b->data.image.Width() / b->frameCount;
    int fh = b->usesIcon ? iconSize : b->data.image.Height();
    b->rect = ToRECT(PlaceCaptionButton(b->data, fw, fh, width, place.box, th_, menuBarHeight_, menuLeft));
  }
}

void TWinSkinForm::PaintCaption(HDC dc, int width) {
  if (th_.top <= 0 || width <= 0) return;
  const SkinModel& m = data_.Model();
  const TDataSkinBorder& top = m.borders[kTopBorder];
  Bitmap caption = win32::CaptureFromDC(dc, {0, 0, width, th_.top});
  DrawBorder(caption, BorderRect(kTopBorder, width, th_.top, th_), top, kTopBorder, active_);

  gdi::Bitmap dib = win32::CreateDibFrom(caption);
  if (!dib) return;
  gdi::MemoryDc mem(dc);
  gdi::SelectGuard select(mem.get(), dib.get());
  // The window's text and three blanks, as the caption shows it.
  const std::wstring text = WindowText(hwnd_) + L"   ";
  LayOutButtons(mem.get(), width, text);

  const TDataSkinTitle& t = m.title;
  if (!t.image.Empty())
    win32::DrawThreeSlice(mem.get(), textBox_, t.image, true, true, 2, active_ ? 1 : 2, t.textBackLeft, t.textBackRight);
  {
    gdi::SelectGuard font(mem.get(), captionFont_.get());
    TColor colour = active_ ? m.colours.titleTextActive
                            : (t.inactiveTextColour != kColourNotSet ? t.inactiveTextColour : m.colours.titleTextInactive);
    SetTextColor(mem.get(), win32::ResolveColour(colour));
    SetBkMode(mem.get(), TRANSPARENT);
    RECT textRect = textRect_;
    DrawTextW(mem.get(), text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_TOP | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  for (auto& b : buttons_)
    if (b->visible && b->data.visibility != 100) b->DrawTo(mem.get(), active_);
  BitBlt(dc, 0, 0, width, th_.top, mem.get(), 0, 0, SRCCOPY);
}

}  // namespace skin
