// Edits and up-down controls.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_controls.h"
#include "skin/win/win_skin_form.h"
#include "ui/control.h"

namespace skin {

namespace {

constexpr int kUpDownFrames = 8;
constexpr int kStatesPerPart = 4;  // normal, pressed, hot, disabled

bool Bordered(HWND h) {
  return (GetWindowLongW(h, GWL_STYLE) & WS_BORDER) || (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

HWND UpDownChild(HWND edit) {
  for (HWND child = GetWindow(edit, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, UPDOWN_CLASSW) == 0 || lstrcmpiW(name, L"TSpinButton") == 0) return child;
  }
  return nullptr;
}

}  // namespace

// TSkinEdit -------------------------------------------------------------------

void TSkinEdit::AttachControl(ui::Control& control, bool recolour) {
  TSkinControl::AttachControl(control, recolour);
  AttachUpDown();
  RedrawBorder();
}

void TSkinEdit::AttachWindow(HWND window) {
  TSkinControl::AttachWindow(window);
  AttachUpDown();
  RedrawBorder();
}

void TSkinEdit::AttachUpDown() {
  HWND child = UpDownChild(hwnd_);
  hasUpDown_ = child != nullptr;
  // An up-down matched as a component of its own has its skinner already.
  if (!child || TSkinControl::SkinnerOf(child)) return;
  upDown_ = std::make_unique<TSkinUpDown>(frame_);
  if (ui::Control* c = ui::Control::FromHandle(child))
    upDown_->AttachControl(*c, false);
  else
    upDown_->AttachWindow(child);
  if (!upDown_->Attached()) upDown_.reset();
}

void TSkinEdit::Detach() {
  upDown_.reset();
  // A window being destroyed is hidden first: no border to give back then.
  const bool redraw = Attached() && !frame_.Destroying() && IsWindowVisible(hwnd_);
  TSkinControl::Detach();
  if (redraw) RedrawBorder();
}

void TSkinEdit::RedrawBorder() {
  if (IsWindow(hwnd_)) RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void TSkinEdit::AfterMessage(ui::Message& m) {
  if (m.msg == WM_NCPAINT) {
    Paint();
    return;
  }
  TSkinControl::AfterMessage(m);
}

void TSkinEdit::Draw(HDC dc, RECT r) {
  if (!Bordered(hwnd_)) return;
  RECT window{};
  GetWindowRect(hwnd_, &window);
  POINT origin{0, 0};
  ClientToScreen(hwnd_, &origin);
  const int border = std::min(origin.x - window.left, origin.y - window.top);
  gdi::Brush shadow(CreateSolidBrush(Colour(Data().Model().colours.buttonShadow)));
  FrameRect(dc, &r, shadow.get());
  // The system's inner ring in the edit's own background.
  const bool readOnly = (GetWindowLongW(hwnd_, GWL_STYLE) & (ES_READONLY | WS_DISABLED)) != 0;
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwnd_), readOnly ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                                    reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)));
  if (!brush) brush = GetSysColorBrush(readOnly ? COLOR_BTNFACE : COLOR_WINDOW);
  const int rings = std::min(hasUpDown_ ? 1 : 2, border - 1);
  RECT ring = r;
  for (int i = 0; i < rings; ++i) {
    InflateRect(&ring, -1, -1);
    FrameRect(dc, &ring, brush);
  }
}

// TSkinUpDown -----------------------------------------------------------------

const TDataSkinBorder* TSkinUpDown::Element() const {
  const SkinModel& model = Data().Model();
  return (GetWindowLongW(hwnd_, GWL_STYLE) & UDS_HORZ) ? model.upDownHorz.get() : model.upDownVert.get();
}

int TSkinUpDown::PartAt(LPARAM clientPoint) const {
  RECT r{};
  GetClientRect(hwnd_, &r);
  const bool horizontal = (GetWindowLongW(hwnd_, GWL_STYLE) & UDS_HORZ) != 0;
  const POINT p{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
  if (!PtInRect(&r, p)) return -1;
  return horizontal ? (p.x < r.right / 2 ? 0 : 1) : (p.y < r.bottom / 2 ? 0 : 1);
}

int TSkinUpDown::PartFrame(int part) const {
  int state = 0;
  if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_DISABLED)
    state = 3;
  else if (pressedPart_ == part)
    state = 1;
  else if (hotPart_ == part)
    state = 2;
  return part * kStatesPerPart + state + 1;
}

bool TSkinUpDown::BeforeMessage(ui::Message& m) {
  if (!Element()) return true;
  if (TakePaintMessages(*this, m)) return false;
  // The control still counts; the skinner only shows which button.
  if (m.msg == WM_LBUTTONDOWN || m.msg == WM_LBUTTONDBLCLK) pressedPart_ = PartAt(m.lParam);
  return true;
}

void TSkinUpDown::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Repaint();
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (pressedPart_ != -1) {
        pressedPart_ = -1;
        Repaint();
      }
      break;
    case WM_MOUSEMOVE: {
      const int part = PartAt(m.lParam);
      if (part != hotPart_) {
        hotPart_ = part;
        TrackMouseLeave(hwnd_);
        Repaint();
      }
      break;
    }
    case WM_MOUSELEAVE:
    case ui::CM_MOUSELEAVE:
      if (hotPart_ != -1) {
        hotPart_ = -1;
        Repaint();
      }
      break;
    case WM_PAINT:
      break;  // drawn before the control saw it
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinUpDown::Draw(HDC target, RECT r) {
  const TDataSkinBorder* e = Element();
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!e || w <= 0 || h <= 0) return;
  const bool horizontal = (GetWindowLongW(hwnd_, GWL_STYLE) & UDS_HORZ) != 0;
  gdi::BitmapCanvas canvas(w, h);
  HDC dc = canvas.dc();
  RECT local{0, 0, w, h};
  gdi::Brush face(CreateSolidBrush(Colour(Data().Model().colours.buttonFace)));
  FillRect(dc, &local, face.get());
  const RECT parts[2] = {horizontal ? RECT{0, 0, w / 2, h} : RECT{0, 0, w, h / 2},
                         horizontal ? RECT{w / 2, 0, w, h} : RECT{0, h / 2, w, h}};
  for (int part = 0; part < 2; ++part) {
    const int frame = PartFrame(part);
    win32::DrawNineSlice(dc, parts[part], e->image, false, e->trans == 1, kUpDownFrames, frame,
                         {e->leftWidth, e->topHeight, e->rightWidth, e->bottomHeight}, e->tile != 0);
    if (e->image2.Empty()) continue;
    const int gw = e->image2.Width() / kUpDownFrames, gh = e->image2.Height();
    const RECT& p = parts[part];
    const int x = (p.left + p.right - gw) / 2, y = (p.top + p.bottom - gh) / 2;
    win32::DrawFrame(dc, {x, y, x + gw, y + gh}, e->image2, true, kUpDownFrames, frame);
  }
  BitBlt(target, r.left, r.top, w, h, dc, 0, 0, SRCCOPY);
}

}  // namespace skin
