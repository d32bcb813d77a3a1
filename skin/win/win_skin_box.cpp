// Panels, group boxes and radio groups; tab controls; the size grip.
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

constexpr int kTabBorderEdge = 3;  // the page border image's edges
constexpr int kTabTextMax = 200;

bool IsGroupBox(HWND h) {
  wchar_t name[16] = {};
  GetClassNameW(h, name, 16);
  return lstrcmpiW(name, L"Button") == 0 && (GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

}  // namespace

// TSkinBox --------------------------------------------------------------------

bool TSkinBox::BeforeMessage(ui::Message& m) {
  if (m.msg == WM_PAINT && Control() && IsGroupBox(hwnd_)) {
    const COLORREF text = Colour(Data().Model().colours.buttonText);
    ui::Control& box = *Control();
    if (box.GetFont().color != text) {
      if (!fontRecoloured_) oldFontColour_ = box.GetFont().color;
      fontRecoloured_ = true;
      box.SetFontColor(text);
    }
  }
  return true;
}

void TSkinBox::Detach() {
  if (fontRecoloured_ && Control() && !frame_.Destroying()) Control()->SetFontColor(oldFontColour_);
  fontRecoloured_ = false;
  TSkinControl::Detach();
}

void TSkinRadioGroup::AttachControl(ui::Control& control, bool recolour) {
  TSkinBox::AttachControl(control, recolour);
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    // A button matched as a component of its own keeps the skinner it has.
    if (TSkinControl::SkinnerOf(child)) continue;
    auto radio = std::make_unique<TSkinRadioButton>(frame_);
    if (ui::Control* c = ui::Control::FromHandle(child))
      radio->AttachControl(*c, false);
    else
      radio->AttachWindow(child);
    if (radio->Attached()) radios_.push_back(std::move(radio));
  }
}

void TSkinRadioGroup::Detach() {
  radios_.clear();
  TSkinBox::Detach();
}

// TSkinTab --------------------------------------------------------------------

void TSkinTab::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_MOUSEMOVE: {
      TCHITTESTINFO hit{{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}, 0};
      const int tab = static_cast<int>(SendMessageW(hwnd_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
      if (tab != hotTab_) {
        hotTab_ = tab;
        TrackMouseLeave(hwnd_);
        Repaint();
      }
      break;
    }
    case WM_MOUSELEAVE:
    case ui::CM_MOUSELEAVE:
      if (hotTab_ != -1) {
        hotTab_ = -1;
        Repaint();
      }
      break;
    default:
      TSkinControl::AfterMessage(m);
      break;
  }
}

int TSkinTab::TabFrame(int index) const {
  const bool selected = SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0) == index;
  if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_DISABLED) return 4;
  if (selected) return index == hotTab_ ? 5 : 2;
  return index == hotTab_ ? 3 : 1;
}

void TSkinTab::Paint() {
  GetWindowRect(hwnd_, &rect_);
  PaintClientArea(*this);
}

void TSkinTab::Draw(HDC dc, RECT r) {
  const TDataSkinBorder* tabs = Data().Model().tabs.get();
  if (!tabs || tabs->image.Empty()) return;
  RECT page = r;
  SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  InflateRect(&page, kTabBorderEdge, kTabBorderEdge);
  win32::DrawNineSliceBorder(dc, page, tabs->image2, false, 1, 1,
                             {kTabBorderEdge, kTabBorderEdge, kTabBorderEdge, kTabBorderEdge});
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  gdi::SelectGuard selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  gdi::Brush face(CreateSolidBrush(Colour(Data().Model().colours.buttonFace)));
  const int count = static_cast<int>(SendMessageW(hwnd_, TCM_GETITEMCOUNT, 0, 0));
  const int selected = static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (!SendMessageW(hwnd_, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) continue;
    if (i == selected) InflateRect(&item, 2, 2);  // the system draws the chosen tab larger
    FillRect(dc, &item, face.get());
    const int frame = TabFrame(i);
    DrawElement(dc, item, *tabs, frame);
    wchar_t text[kTabTextMax + 1] = {};
    TCITEMW ti{};
    ti.mask = TCIF_TEXT;
    ti.pszText = text;
    ti.cchTextMax = kTabTextMax;
    SendMessageW(hwnd_, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&ti));
    SetTextColor(dc, frame == 4 ? GetSysColor(COLOR_BTNSHADOW) : Colour(Data().Model().colours.buttonText));
    DrawTextW(dc, text, -1, &item, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

// TSkinSizer ------------------------------------------------------------------

bool TSkinSizer::BeforeMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_PAINT:
      ValidateRect(hwnd_, nullptr);
      m.result = 0;
      return false;
    case WM_ERASEBKGND:
      m.result = 1;
      return false;
    default:
      return true;
  }
}

}  // namespace skin
