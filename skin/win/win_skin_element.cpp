// Helpers the control skinners share: elements drawn by their own values
// and painting through the client's DC.
#include "skin/model/skin_model.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_controls.h"

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

}  // namespace skin
