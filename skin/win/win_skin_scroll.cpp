// Scroll bars of scrolling controls painted from the skin's Scrollbar,
// HorzScroll/VertScroll and thumb elements over the bars the system draws.
#include <windows.h>

#include <uxtheme.h>
#include <windowsx.h>

#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_scroll.h"
#include "ui/control.h"

namespace skin {

namespace {

constexpr int kScrollbarFrames = 23;
constexpr int kShaftFrames = 4;

Slices SlicesOf(const TDataSkinObject& e) { return {e.leftWidth, e.topHeight, e.rightWidth, e.bottomHeight}; }

RECT ToRECT(Rect r) { return {r.left, r.top, r.right, r.bottom}; }

bool ThemeOff(HWND window) { return IsAppThemed() && SUCCEEDED(SetWindowTheme(window, L"", L"")); }

}  // namespace

// Themed controls -------------------------------------------------------------

TSkinThemed::~TSkinThemed() { TSkinThemed::Detach(); }

void TSkinThemed::AttachControl(ui::Control& control, bool recolour) {
  TSkinControl::AttachControl(control, recolour);
  if (!Attached()) return;
  themeOff_ = ThemeOff(hwnd_);
}

void TSkinThemed::AttachWindow(HWND window) {
  TSkinControl::AttachWindow(window);
  if (!Attached()) return;
  themeOff_ = ThemeOff(window);
  Repaint();
}

void TSkinThemed::Detach() {
  if (!Attached()) return;
  HWND h = hwnd_;
  if (themeOff_ && IsWindow(h)) SetWindowTheme(h, nullptr, nullptr);
  themeOff_ = false;
  TSkinControl::Detach();
  if (IsWindow(h) && !frame_.Destroying()) RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

// Scroll bars ------------------------------------------------------------------

TSkinScrollBar::TSkinScrollBar(TWinSkinForm& frame, bool ownTracking) : TSkinThemed(frame), ownTracking_(ownTracking) {}

TSkinScrollBar::~TSkinScrollBar() {
  *alive_ = false;
  TSkinScrollBar::Detach();
}

void TSkinScrollBar::AttachControl(ui::Control& control, bool recolour) {
  TSkinThemed::AttachControl(control, recolour);
  FrameChanged();
}

void TSkinScrollBar::AttachWindow(HWND window) {
  TSkinThemed::AttachWindow(window);
  FrameChanged();
}

// The control recomputes its frame, so that the first non-client paint
// comes with the skinned bars.
void TSkinScrollBar::FrameChanged() {
  if (!Attached()) return;
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TSkinScrollBar::Detach() {
  // A drag in progress ends: its loop sees the skinner detached.
  if (Attached() && tracking_ && GetCapture() == hwnd_) ReleaseCapture();
  TSkinThemed::Detach();
}

ScrollMetrics TSkinScrollBar::Metrics() const {
  ScrollMetrics m;
  m.arrow = GetSystemMetrics(SM_CXHSCROLL);
  m.systemThumb = GetSystemMetrics(SM_CXHTHUMB);
  return m;
}

ScrollInfo TSkinScrollBar::Info(bool horizontal) const {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ScrollInfo info;
  if (!GetScrollInfo(hwnd_, horizontal ? SB_HORZ : SB_VERT, &si)) return info;
  info.min = si.nMin;
  info.max = si.nMax;
  info.page = static_cast<int>(si.nPage);
  info.position = si.nPos;
  info.trackPosition = si.nTrackPos;
  return info;
}

ScrollBarPlacement TSkinScrollBar::Placement() const {
  RECT w{}, c{};
  if (!GetWindowRect(hwnd_, &w) || !GetClientRect(hwnd_, &c)) return {};
  const LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  const bool horizontal = (style & WS_HSCROLL) || scrollingBar_ == SB_HORZ;
  const bool vertical = (style & WS_VSCROLL) || scrollingBar_ == SB_VERT;
  return PlaceScrollBars({0, 0, w.right - w.left, w.bottom - w.top}, {c.right, c.bottom}, Metrics().arrow, horizontal,
                         vertical);
}

ScrollBarGeometry TSkinScrollBar::Geometry(bool horizontal) const {
  ScrollBarPlacement p = Placement();
  Rect bar = horizontal ? p.horzBar : p.vertBar;
  ScrollInfo info = Info(horizontal);
  return LayOutScrollBar(horizontal ? bar.Width() : bar.Height(), horizontal ? bar.Height() : bar.Width(), horizontal,
                         info, ShownPosition(horizontal, info), Metrics());
}

int TSkinScrollBar::ShownPosition(bool horizontal, const ScrollInfo& info) const {
  if (tracking_ && trackHorizontal_ == horizontal) return trackPosition_;
  if (pressed_ == ScrollPart::kThumb && pressedHorizontal_ == horizontal) return info.trackPosition;
  return info.position;
}

bool TSkinScrollBar::OverBar(POINT screen, bool* horizontal) const {
  RECT w{};
  GetWindowRect(hwnd_, &w);
  ScrollBarPlacement p = Placement();
  if (!p.visible) return false;
  const int x = screen.x - w.left, y = screen.y - w.top;
  auto inside = [&](const Rect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
  if (p.horizontal && inside(p.horzBar)) {
    if (horizontal) *horizontal = true;
    return true;
  }
  if (p.vertical && inside(p.vertBar)) {
    if (horizontal) *horizontal = false;
    return true;
  }
  return false;
}

bool TSkinScrollBar::BeforeMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_NCMOUSEMOVE:
      // Over a bar the system would hot-track its own arrows over the skin.
      if (OverBar({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)})) {
        m.result = 0;
        return false;
      }
      return true;
    case WM_NCLBUTTONDOWN:
      if (ownTracking_ && TrackThumb({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)})) {
        m.result = 0;  // the skinner may be gone now: nothing more of it is used
        return false;
      }
      return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
      pressed_ = PressedPartFromScrollCode(LOWORD(m.wParam));
      pressedHorizontal_ = m.msg == WM_HSCROLL;
      scrollingBar_ = m.msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
      return true;
    case WM_CAPTURECHANGED:
      if (tracking_) captureLost_ = true;
      return true;
    default:
      return true;
  }
}

void TSkinScrollBar::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_NCCALCSIZE:
      break;  // the control's own answer, nothing after it
    case WM_NCPAINT:
    case WM_PRINTCLIENT:
      Paint();
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      Paint();
      pressed_ = ScrollPart::kNone;
      scrollingBar_ = -1;
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinScrollBar::Paint() {
  if (!Data().Model().scrollbar) return;
  TSkinControl::Paint();
}

void TSkinScrollBar::Draw(HDC dc, RECT) {
  const SkinModel& model = Data().Model();
  if (!model.scrollbar || model.scrollbar->image.Empty()) return;
  ScrollBarPlacement p = Placement();
  if (!p.visible) return;
  if (p.horizontal) DrawBar(dc, p.horzBar, true);
  if (p.vertical) DrawBar(dc, p.vertBar, false);
  if (p.horizontal && p.vertical && !p.corner.Empty()) {
    gdi::Brush face(CreateSolidBrush(Colour(model.colours.buttonFace)));
    RECT corner = ToRECT(p.corner);
    FillRect(dc, &corner, face.get());
  }
}

void TSkinScrollBar::DrawBar(HDC target, Rect bar, bool horizontal) {
  const int length = horizontal ? bar.Width() : bar.Height();
  if (length <= 0 || bar.Empty()) return;
  const SkinModel& model = Data().Model();
  const int w = horizontal ? length : kScrollBitmapThickness;
  const int h = horizontal ? kScrollBitmapThickness : length;
  gdi::BitmapCanvas canvas(w, h);
  HDC dc = canvas.dc();
  RECT all{0, 0, w, h};
  gdi::Brush back(CreateSolidBrush(Colour(model.colours.scrollbar)));
  FillRect(dc, &all, back.get());

  ScrollInfo info = Info(horizontal);
  ScrollBarGeometry g =
      LayOutScrollBar(length, kScrollBitmapThickness, horizontal, info, ShownPosition(horizontal, info), Metrics());

  if (const TDataSkinObject* shaft = horizontal ? model.horzScroll.get() : model.vertScroll.get())
    win32::DrawNineSlice(dc, ToRECT(g.track), shaft->image, false, shaft->trans == 1, kShaftFrames, 1, SlicesOf(*shaft),
                         shaft->tile != 0);
  const TDataSkinObject& arrows = *model.scrollbar;
  const bool mine = pressedHorizontal_ == horizontal;
  win32::DrawFrame(dc, ToRECT(g.firstArrow), arrows.image, arrows.trans == 1, kScrollbarFrames,
                   ScrollArrowFrame(horizontal, false, mine && pressed_ == ScrollPart::kLineUp));
  win32::DrawFrame(dc, ToRECT(g.secondArrow), arrows.image, arrows.trans == 1, kScrollbarFrames,
                   ScrollArrowFrame(horizontal, true, mine && pressed_ == ScrollPart::kLineDown));
  const TDataSkinObject* thumb = horizontal ? model.horzScrollThumb.get() : model.vertScrollThumb.get();
  if (thumb && g.hasThumb) {
    const bool dragged = (tracking_ && trackHorizontal_ == horizontal) || (mine && pressed_ == ScrollPart::kThumb);
    win32::DrawNineSlice(dc, ToRECT(g.thumb), thumb->image, false, thumb->trans == 1, thumb->frameCount,
                         dragged ? 2 : 1, SlicesOf(*thumb), false);
  }
  SetStretchBltMode(target, COLORONCOLOR);
  StretchBlt(target, bar.left, bar.top, bar.Width(), bar.Height(), dc, 0, 0, w, h, SRCCOPY);
}

void TSkinScControl::AfterMessage(ui::Message& m) {
  if (m.msg == ui::CN_HSCROLL || m.msg == ui::CN_VSCROLL) {
    Repaint();
    return;
  }
  TSkinScrollBar::AfterMessage(m);
}

}  // namespace skin
