// Combo boxes: the skin's sunken edge and drop-down button over what the
// system drew.
#include <algorithm>

#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_controls.h"

namespace skin {

namespace {

constexpr int kSystemEdge = 2;  // the system's sunken border of a combo box

}  // namespace

void TSkinComBox::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_MOUSEMOVE:
      if (!Hot()) {
        state_ |= kHot;
        BecomeHot();
        TrackMouseLeave(hwnd_);
        Repaint();
      }
      break;
    case WM_MOUSELEAVE:
    case ui::CM_MOUSELEAVE:
      if (Hot()) {
        state_ &= ~kHot;
        StopBeingHot();
        Repaint();
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CB_SHOWDROPDOWN:
    case WM_CAPTURECHANGED:
    case WM_KILLFOCUS:
      TSkinControl::AfterMessage(m);
      Repaint();
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

int TSkinComBox::ButtonFrame() const {
  if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_DISABLED) return 4;
  if (SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0)) return 3;
  return Hot() ? 2 : 1;
}

int TSkinComBox::EdgeFrame() const {
  if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_DISABLED) return 4;
  HWND focus = GetFocus();
  if (focus && (focus == hwnd_ || IsChild(hwnd_, focus))) return 3;
  return Hot() ? 2 : 1;
}

void TSkinComBox::Draw(HDC dc, RECT r) {
  const SkinModel& model = Data().Model();
  if (!model.sunkEdge || !model.comboButton) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  const bool hasInfo = GetComboBoxInfo(hwnd_, &info) != FALSE;
  RECT button = hasInfo ? info.rcButton : RECT{};
  // The button's place is in client coordinates, `dc` the whole window's:
  // a non-client edge moves the client area in.
  POINT client{0, 0};
  ClientToScreen(hwnd_, &client);
  RECT window{};
  GetWindowRect(hwnd_, &window);
  OffsetRect(&button, client.x - window.left + r.left, client.y - window.top + r.top);
  // Only the border ring: the text inside stays the control's.
  {
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, r.left + kSystemEdge, r.top + kSystemEdge, r.right - kSystemEdge, r.bottom - kSystemEdge);
    DrawElement(dc, r, *model.sunkEdge, EdgeFrame());
    RestoreDC(dc, saved);
  }
  if (button.right <= button.left) return;
  DrawElement(dc, button, *model.comboButton, ButtonFrame());
  if (const TDataSkinObject* arrow = model.extraImages.get(); arrow && !arrow->image.Empty()) {
    const int aw = arrow->image.Width() / std::max(arrow->frameCount, 1), ah = arrow->image.Height();
    const int x = (button.left + button.right - aw) / 2, y = (button.top + button.bottom - ah) / 2;
    const int frame = ButtonFrame() == 4 ? 4 : 1;
    win32::DrawFrame(dc, {x, y, x + aw, y + ah}, arrow->image, arrow->trans == 1, arrow->frameCount, frame);
  }
}

}  // namespace skin
