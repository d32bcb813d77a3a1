// List views: the scroll-bar skinner plus a header skinner on the list's
// column header, and the header drawn from the skin's Headerbar element.
#include <windows.h>

#include <commctrl.h>

#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_scroll.h"

namespace skin {

namespace {

constexpr int kHeaderTextInset = 4;
constexpr int kHeaderTextMax = 200;

}  // namespace

// List view ------------------------------------------------------------------

TSkinListView::~TSkinListView() { TSkinListView::Detach(); }

void TSkinListView::AttachControl(ui::Control& control, bool recolour) {
  TSkinScrollBar::AttachControl(control, recolour);
  WatchHeader();
}

void TSkinListView::AttachWindow(HWND window) {
  TSkinScrollBar::AttachWindow(window);
  WatchHeader();
}

void TSkinListView::Detach() {
  header_.reset();
  TSkinScrollBar::Detach();
}

void TSkinListView::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_STYLECHANGED:  // the view style changes through the window style
    case WM_PARENTNOTIFY:  // the header window was created
    case LVM_SETVIEW:
    case LVM_INSERTCOLUMNW:
    case WM_PAINT:
      TSkinScrollBar::AfterMessage(m);
      if (Attached()) WatchHeader();
      return;
    default:
      TSkinScrollBar::AfterMessage(m);
      return;
  }
}

void TSkinListView::WatchHeader() {
  if (!IsWindow(hwnd_)) return;
  // Outside the details view only an existing header is asked for, so
  // that asking creates none.
  const bool details = (GetWindowLongW(hwnd_, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
  if (!details && !FindWindowExW(hwnd_, nullptr, WC_HEADERW, nullptr)) return;
  HWND header = reinterpret_cast<HWND>(SendMessageW(hwnd_, LVM_GETHEADER, 0, 0));
  if (!header) return;
  if (header_ && header_->Handle() == header && header_->Attached()) return;
  header_.reset();
  header_ = std::make_unique<TSkinHeader>(frame_);
  header_->AttachWindow(header);
}

// Header ---------------------------------------------------------------------

bool TSkinHeader::BeforeMessage(ui::Message& m) {
  const TDataSkinObject* bar = Data().Model().headerbar.get();
  if (m.msg == WM_ERASEBKGND && bar && !bar->image.Empty()) {
    m.result = 1;
    return false;
  }
  return true;
}

void TSkinHeader::Draw(HDC target, RECT) {
  const SkinModel& model = Data().Model();
  const TDataSkinObject* bar = model.headerbar.get();
  if (!bar || bar->image.Empty()) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  gdi::BitmapCanvas canvas(client.right, client.bottom);
  HDC dc = canvas.dc();
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  gdi::SelectGuard selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Colour(model.colours.buttonText));
  const Slices slices{bar->leftWidth, bar->topHeight, bar->rightWidth, bar->bottomHeight};
  auto face = [&](RECT r) {
    win32::DrawNineSlice(dc, r, bar->image, false, bar->trans == 1, bar->frameCount, 1, slices, bar->tile != 0);
  };

  textLefts_.clear();
  const int count = static_cast<int>(SendMessageW(hwnd_, HDM_GETITEMCOUNT, 0, 0));
  int right = 0;
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (!SendMessageW(hwnd_, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) continue;
    right = std::max<int>(right, item.right);
    face(item);
    wchar_t text[kHeaderTextMax + 1] = {};
    HDITEMW hi{};
    hi.mask = HDI_TEXT | HDI_FORMAT;
    hi.pszText = text;
    hi.cchTextMax = kHeaderTextMax + 1;
    SendMessageW(hwnd_, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&hi));
    const int n = static_cast<int>(wcsnlen(text, kHeaderTextMax));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text, n, &extent);
    int x = item.left + kHeaderTextInset;
    if ((hi.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
      x = item.right - kHeaderTextInset - extent.cx;
    else if ((hi.fmt & HDF_JUSTIFYMASK) == HDF_CENTER)
      x = (item.left + item.right - extent.cx) / 2;
    textLefts_.push_back(x);
    RECT box{std::max<LONG>(x, item.left), item.top, std::min<LONG>(x + extent.cx, item.right), item.bottom};
    if (box.right > box.left)
      DrawTextW(dc, text, n, &box, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (right < client.right) face({right, 0, client.right, client.bottom});
  BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

}  // namespace skin
