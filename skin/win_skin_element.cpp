// Helpers the control skinners share: elements drawn by their own values,
// painting through the client's DC, and mouse-leave tracking.
#include "skin/skin_model.h"
#include "skin/win_img_dc.h"
#include "skin/win_skin_controls.h"

namespace skin {

void DrawElement(HDC dc, RECT r, const TDataSkinObject& element, int frame) {
  if (element.image.Empty()) return;
  win32::DrawNineSlice(dc, r, element.image, false, element.trans == 1, element.frameCount, frame,
                       {element.leftWidth, element.topHeight, element.rightWidth, element.bottomHeight},
                       element.tile != 0);
}

void PaintClientArea(TSkinControl& skinner) {
  HWND h = skinner.Handle();
  if (!IsWindow(h)) return;
  RECT r{};
  GetClientRect(h, &r);
  gdi::WindowDc dc(h);
  if (dc) skinner.Draw(dc.get(), r);
}

bool TakePaintMessages(TSkinControl& skinner, ui::Message& m) {
  if (m.msg == WM_ERASEBKGND) {
    m.result = 1;
    return true;
  }
  if (m.msg != WM_PAINT) return false;
  RECT r{};
  GetClientRect(skinner.Handle(), &r);
  if (m.wParam) {
    skinner.Draw(reinterpret_cast<HDC>(m.wParam), r);
  } else {
    gdi::PaintDc dc(skinner.Handle());
    skinner.Draw(dc.get(), r);
  }
  m.result = 0;
  return true;
}

void TrackMouseLeave(HWND window) {
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, window, 0};
  TrackMouseEvent(&t);
}

}  // namespace skin
