// Track bars and progress bars.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_controls.h"

namespace skin {

// TSkinTrackBar ---------------------------------------------------------------

bool TSkinTrackBar::BeforeMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_ERASEBKGND:
      m.result = 1;
      return false;
    case WM_NOTIFY:
    case ui::CN_NOTIFY: {
      auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(m.lParam);
      if (!cd || cd->hdr.code != NM_CUSTOMDRAW || cd->hdr.hwndFrom != hwnd_) return true;
      if (cd->dwDrawStage == CDDS_PREPAINT) {
        m.result = CDRF_NOTIFYITEMDRAW;
        return false;
      }
      if (cd->dwDrawStage == CDDS_ITEMPREPAINT && cd->dwItemSpec == TBCD_THUMB) {
        RECT thumb{};
        SendMessageW(hwnd_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        DrawThumb(cd->hdc, thumb);
        m.result = CDRF_SKIPDEFAULT;
        return false;
      }
      m.result = CDRF_DODEFAULT;
      return false;
    }
    default:
      return true;
  }
}

void TSkinTrackBar::DrawThumb(HDC dc, RECT r) {
  ++thumbsDrawn_;
  const SkinModel& model = Data().Model();
  if (!model.buttons.image.Empty()) {
    const TDataSkinButton& b = model.buttons;
    win32::DrawNineSlice(dc, r, b.image, false, b.trans == 1, 5, 4,
                         {b.leftWidth, b.topHeight, b.rightWidth, b.bottomHeight}, b.tile != 0);
    return;
  }
  gdi::Brush shadow(CreateSolidBrush(Colour(model.colours.buttonShadow)));
  FrameRect(dc, &r, shadow.get());
}

// TSkinProgress ---------------------------------------------------------------

bool TSkinProgress::BeforeMessage(ui::Message& m) {
  return !Data().Model().progress || !TakePaintMessages(*this, m);
}

RECT TSkinProgress::BarRect(RECT client) const {
  PBRANGE range{};
  SendMessageW(hwnd_, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  const int position = static_cast<int>(SendMessageW(hwnd_, PBM_GETPOS, 0, 0));
  const long long span = static_cast<long long>(range.iHigh) - range.iLow;
  const long long done = span <= 0 ? 0 : std::clamp<long long>(position - range.iLow, 0, span);
  RECT bar = client;
  if (GetWindowLongW(hwnd_, GWL_STYLE) & PBS_VERTICAL) {
    const long long height = span <= 0 ? 0 : (client.bottom - client.top) * done / span;
    bar.top = client.bottom - static_cast<int>(height);
  } else {
    const long long width = span <= 0 ? 0 : (client.right - client.left) * done / span;
    bar.right = client.left + static_cast<int>(width);
  }
  return bar;
}

void TSkinProgress::Draw(HDC target, RECT r) {
  const TDataSkinObject* e = Data().Model().progress.get();
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!e || w <= 0 || h <= 0) return;
  gdi::BitmapCanvas canvas(w, h);
  HDC dc = canvas.dc();
  RECT local{0, 0, w, h};
  gdi::Brush face(CreateSolidBrush(Colour(Data().Model().colours.buttonFace)));
  FillRect(dc, &local, face.get());
  DrawElement(dc, local, *e, 1);
  DrawElement(dc, BarRect(local), *e, 2);
  BitBlt(target, r.left, r.top, w, h, dc, 0, 0, SRCCOPY);
}

}  // namespace skin
