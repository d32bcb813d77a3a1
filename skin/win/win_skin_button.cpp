// Push buttons drawn from the skin's "Buttons" element.
#include <windowsx.h>

#include "skin/layout/control_layout.h"
#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_control.h"
#include "skin/win/win_skin_form.h"
#include "ui/control.h"

namespace skin {

namespace {

constexpr int kButtonFrames = 5;

}  // namespace

bool TSkinButton::BeforeMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
      // Without the element the system draws the button.
      return Data().Model().buttons.image.Empty() || !TakePaintMessages(*this, m);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != hwnd_) SetFocus(hwnd_);
      state_ |= kPressed;
      Repaint();
      m.result = 0;
      return false;
    default:
      return true;
  }
}

void TSkinButton::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_KEYDOWN:
      if (m.wParam == VK_SPACE) {
        state_ |= kPressed;
        Repaint();
      }
      break;
    case WM_KEYUP:
      if (m.wParam == VK_SPACE) {
        state_ &= ~kPressed;
        Repaint();
      }
      break;
    case WM_MOUSEMOVE:
      if (!Hot()) {
        state_ |= kHot;
        BecomeHot();
        if (!Control()) TrackMouseLeave(hwnd_);
        Repaint();
      }
      break;
    case WM_LBUTTONUP: {
      bool wasPressed = Pressed();
      state_ &= ~kPressed;
      Repaint();
      POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
      RECT r{};
      GetClientRect(hwnd_, &r);
      if (wasPressed && PtInRect(&r, p)) PostClick();
      break;
    }
    case ui::CM_MOUSEENTER:
      if (enabled_) {
        state_ |= kHot;
        Repaint();
        BecomeHot();
      }
      break;
    case WM_MOUSELEAVE:
      if (Control()) break;  // the form layer turns it into its notice
      [[fallthrough]];
    case ui::CM_MOUSELEAVE:
      // Disabled or not: a button disabled while hot shows no hot frame
      // once it is enabled again.
      state_ &= ~(kHot | kPressed);
      Repaint();
      StopBeingHot();
      break;
    case WM_ENABLE:
    case ui::CM_ENABLEDCHANGED:
      TSkinControl::AfterMessage(m);
      if (!enabled_ && (state_ & (kHot | kPressed))) {
        state_ &= ~(kHot | kPressed);
        StopBeingHot();
        Repaint();
      }
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

void TSkinButton::PostClick() {
  HWND parent = GetParent(hwnd_);
  if (!parent) return;
  if (Control())
    PostMessageW(parent, WM_COMMAND, 0, reinterpret_cast<LPARAM>(hwnd_));
  else
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd_));
}

int TSkinButton::FrameIndex() const {
  if (!enabled_) return 3;
  if (Pressed()) return 2;
  if (focused_ || Hot()) return 4;
  return 1;
}

COLORREF TSkinButton::TextColour(int frame) const {
  const SkinModel& model = Data().Model();
  if (frame == 3) return GetSysColor(COLOR_BTNSHADOW);
  // The second colour of the state counts on its own (it stands for the
  // button text when the skin does not set it).
  return Colour(ButtonTextColour(model.buttons, model.colours.buttonText, frame));
}

void TSkinButton::DrawFace(HDC dc, RECT r, int frame) const {
  const SkinModel& model = Data().Model();
  gdi::Brush face(CreateSolidBrush(Colour(model.colours.buttonFace)));
  FillRect(dc, &r, face.get());
  const TDataSkinButton& b = model.buttons;
  win32::DrawNineSlice(dc, r, b.image, false, b.trans == 1, kButtonFrames, frame,
                       {b.leftWidth, b.topHeight, b.rightWidth, b.bottomHeight}, b.tile != 0);
}

void TSkinButton::Draw(HDC target, RECT r) {
  if (Data().Model().buttons.image.Empty() || r.right <= r.left || r.bottom <= r.top) return;
  Refresh();
  const int frame = FrameIndex();
  gdi::BitmapCanvas canvas(r.right - r.left, r.bottom - r.top);
  HDC dc = canvas.dc();
  RECT local{0, 0, r.right - r.left, r.bottom - r.top};
  DrawFace(dc, local, frame);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  gdi::SelectGuard selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColour(frame));
  RECT measured = local;
  DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &measured, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  int h = measured.bottom - measured.top;
  RECT textRect{local.left, (local.bottom - h) / 2, local.right, (local.bottom - h) / 2 + h};
  DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &textRect, DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS);
  BitBlt(target, r.left, r.top, local.right, local.bottom, dc, 0, 0, SRCCOPY);
}

}  // namespace skin
