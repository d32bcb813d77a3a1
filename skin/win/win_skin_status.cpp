// Status bars drawn from the skin's StatusBarEdges element: each panel by
// the bevel its SBT_ type bits give, so form-layer and bare status bars
// look alike.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "skin/layout/control_layout.h"
#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_scroll.h"

namespace skin {

namespace {

constexpr int kEdgeFrames = 3;
constexpr int kTextInset = 2;

struct PanelText {
  std::wstring text;
  int type = 0;  // the SBT_ bits
};

PanelText ReadPanel(HWND bar, int index) {
  PanelText p;
  const LRESULT length = SendMessageW(bar, SB_GETTEXTLENGTHW, index, 0);
  p.type = HIWORD(length);
  if (p.type & SBT_OWNERDRAW) return p;  // its "text" is the owner's data
  std::wstring w(static_cast<size_t>(LOWORD(length)) + 1, L'\0');
  const LRESULT got = SendMessageW(bar, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(w.data()));
  p.type = HIWORD(got);
  w.resize(std::min<size_t>(LOWORD(got), w.size() - 1));
  p.text = std::move(w);
  return p;
}

// Leading tabs align a panel's text: one centres it, two right-align it.
UINT TakeAlignment(std::wstring& text) {
  size_t tabs = 0;
  while (tabs < text.size() && tabs < 2 && text[tabs] == L'\t') ++tabs;
  text.erase(0, tabs);
  return tabs == 0 ? DT_LEFT : tabs == 1 ? DT_CENTER : DT_RIGHT;
}

void EdgeLine(HDC dc, COLORREF colour, POINT from, POINT to) {
  gdi::Pen pen(CreatePen(PS_SOLID, 1, colour));
  gdi::SelectGuard select(dc, pen.get());
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

void DrawPlainEdge(HDC dc, RECT r, PanelBevel bevel) {
  PanelEdge edge = StatusPanelEdge(bevel);
  if (!edge.drawn) return;
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF topLeft = edge.shadowTopLeft ? shadow : light, bottomRight = edge.shadowTopLeft ? light : shadow;
  EdgeLine(dc, topLeft, {r.left, r.bottom - 1}, {r.left, r.top});
  EdgeLine(dc, topLeft, {r.left, r.top}, {r.right - 1, r.top});
  EdgeLine(dc, bottomRight, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1});
  EdgeLine(dc, bottomRight, {r.right - 1, r.bottom - 1}, {r.left - 1, r.bottom - 1});
}

}  // namespace

bool TSkinStatusBar::BeforeMessage(ui::Message& m) {
  return !TakePaintMessages(*this, m);
}

void TSkinStatusBar::Draw(HDC target, RECT r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  const SkinModel& model = Data().Model();
  const TDataSkinObject* edges = model.statusBarEdges.get();
  const bool image = edges && !edges->image.Empty();
  gdi::BitmapCanvas canvas(w, h);
  HDC dc = canvas.dc();
  RECT all{0, 0, w, h};
  gdi::Brush face(CreateSolidBrush(Colour(model.colours.buttonFace)));
  FillRect(dc, &all, face.get());
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  gdi::SelectGuard selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  // The element's second colour stands for the button text when not set.
  SetTextColor(dc, Colour(edges ? edges->normalColour2 : model.colours.buttonText));

  auto panel = [&](RECT box, PanelText p, PanelBevel bevel, bool aligned) {
    const int frame = StatusPanelFrame(bevel);
    panelFrames_.push_back(frame);
    if (image)
      win32::DrawNineSlice(dc, box, edges->image, false, edges->trans == 1, kEdgeFrames, frame,
                           {edges->leftWidth, edges->topHeight, edges->rightWidth, edges->bottomHeight},
                           edges->tile != 0);
    else
      DrawPlainEdge(dc, box, bevel);
    UINT align = aligned ? TakeAlignment(p.text) : DT_LEFT;
    if (p.text.empty()) p.text = L" ";
    RECT text{box.left + kTextInset, box.top, box.right - kTextInset, box.bottom};
    DrawTextW(dc, p.text.c_str(), static_cast<int>(p.text.size()), &text,
              align | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
  };

  panelFrames_.clear();
  const bool simple = SendMessageW(hwnd_, SB_ISSIMPLE, 0, 0) != 0;
  const int parts = static_cast<int>(SendMessageW(hwnd_, SB_GETPARTS, 0, 0));
  if (simple || parts <= 0) {
    PanelText p = simple ? ReadPanel(hwnd_, SB_SIMPLEID) : PanelText{};
    panel(all, p, PanelBevel::kLowered, false);
  } else {
    for (int i = 0; i < parts; ++i) {
      RECT box{};
      if (!SendMessageW(hwnd_, SB_GETRECT, i, reinterpret_cast<LPARAM>(&box))) continue;
      PanelText p = ReadPanel(hwnd_, i);
      panel(box, p, PanelBevelFromType(p.type), true);
    }
  }
  BitBlt(target, r.left, r.top, w, h, dc, 0, 0, SRCCOPY);
}

}  // namespace skin
