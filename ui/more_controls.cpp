#include "ui/more_controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/gdi.h"
#include "ui/image_list.h"
#include "ui/std_controls.h"
#include "ui/wide.h"

namespace ui {

// ComboBoxEx -----------------------------------------------------------------

ComboBoxEx::ComboBoxEx(Control* parent) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TCustomCombo");
  DeclareClass("TCustomComboBoxEx");
  DeclareClass("TComboBoxEx");
  color_ = clWindow();
  CreateWnd(WC_COMBOBOXEXW, WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 145, 200);
  SetDropDownCount(dropDownCount_);
}

void ComboBoxEx::SetImages(ImageList* images) {
  SendMessageW(hwnd_, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

int ComboBoxEx::AddItem(std::string_view caption, int imageIndex) {
  std::wstring w = Wide(caption);
  COMBOBOXEXITEMW it{};
  it.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
  it.iItem = ItemCount();
  it.pszText = w.data();
  it.iImage = imageIndex;
  it.iSelectedImage = imageIndex;
  return static_cast<int>(SendMessageW(hwnd_, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
}

void ComboBoxEx::Clear() { SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0); }

int ComboBoxEx::ItemCount() const { return static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)); }

std::string ComboBoxEx::ItemText(int index) const {
  wchar_t buf[512] = {};
  COMBOBOXEXITEMW it{};
  it.mask = CBEIF_TEXT;
  it.iItem = index;
  it.pszText = buf;
  it.cchTextMax = 511;
  if (!SendMessageW(hwnd_, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return {};
  return Narrow(buf);
}

int ComboBoxEx::ItemIndex() const { return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }

void ComboBoxEx::SetItemIndex(int index) { SendMessageW(hwnd_, CB_SETCURSEL, index, 0); }

std::string ComboBoxEx::Text() const {
  int i = ItemIndex();
  return i >= 0 ? ItemText(i) : std::string();
}

void ComboBoxEx::SetDropDownCount(int n) {
  dropDownCount_ = n;
  HWND combo = reinterpret_cast<HWND>(SendMessageW(hwnd_, CBEM_GETCOMBOCONTROL, 0, 0));
  SendMessageW(combo ? combo : hwnd_, CB_SETMINVISIBLE, n, 0);
  // Without visual styles the dropped-down height is the window's height.
  int itemHeight = static_cast<int>(SendMessageW(hwnd_, CB_GETITEMHEIGHT, 0, 0));
  RECT r;
  GetWindowRect(hwnd_, &r);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, std::max(itemHeight, 16) * (n + 1) + 8,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ComboBoxEx::WndProc(Message& m) {
  if (m.msg == CN_COMMAND) {
    if (HIWORD(m.wParam) == CBN_SELCHANGE && OnChange) OnChange();
    return;
  }
  Control::WndProc(m);
}

// Splitter -------------------------------------------------------------------

Splitter::Splitter(Control* parent, Align align) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TGraphicControl");
  DeclareClass("TSplitter");
  bool vertical = align == alLeft || align == alRight;
  RegisterOwnClass(vertical ? L"TSplitter" : L"TSplitterH", CS_DBLCLKS,
                   LoadCursorW(nullptr, vertical ? IDC_SIZEWE : IDC_SIZENS));
  CreateWnd(vertical ? L"TSplitter" : L"TSplitterH", 0, 0, vertical ? 3 : 100, vertical ? 100 : 3, true);
  SetAlign(align);
}

Control* Splitter::Target() const {
  // The aligned control just before the splitter on the same side.
  if (!parent_) return nullptr;
  const auto& sibs = parent_->Controls();
  Control* found = nullptr;
  for (Control* c : sibs) {
    if (c == this) break;
    if (c->GetAlign() == align_ && c->Visible()) found = c;
  }
  return found;
}

void Splitter::WndProc(Message& m) {
  if (EraseWith(m, parent_ ? parent_->Color() : color_)) return;
  switch (m.msg) {
    case WM_LBUTTONDOWN: {
      Control* t = Target();
      if (!t) return;
      dragging_ = true;
      start_ = {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
      ClientToScreen(hwnd_, &start_);
      startSize_ = (align_ == alLeft || align_ == alRight) ? t->Width() : t->Height();
      SetCapture(hwnd_);
      return;
    }
    case WM_MOUSEMOVE:
      if (dragging_) {
        Control* t = Target();
        POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
        ClientToScreen(hwnd_, &p);
        int d = 0;
        switch (align_) {
          case alLeft: d = p.x - start_.x; break;
          case alRight: d = start_.x - p.x; break;
          case alTop: d = p.y - start_.y; break;
          case alBottom: d = start_.y - p.y; break;
          default: break;
        }
        int size = std::max(MinSize, startSize_ + d);
        if (t) {
          if (align_ == alLeft || align_ == alRight) t->SetWidth(size);
          else t->SetHeight(size);
        }
        return;
      }
      break;
    case WM_LBUTTONUP:
      if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
        if (OnMoved) OnMoved();
      }
      return;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      break;
    default:
      break;
  }
  Control::WndProc(m);
}

// PaintBox -------------------------------------------------------------------

PaintBox::PaintBox(Control* parent) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TGraphicControl");
  DeclareClass("TPaintBox");
  RegisterOwnClass(L"TPaintBox", CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW));
  CreateWnd(L"TPaintBox", WS_TABSTOP, 0, 100, 100, true);
}

void PaintBox::Draw(HDC target, const RECT& area) {
  const int w = std::max<LONG>(1, area.right), h = std::max<LONG>(1, area.bottom);
  gdi::MemoryDc mem(target);
  gdi::Bitmap bmp(CreateCompatibleBitmap(target, w, h));
  gdi::SelectGuard selectBmp(mem.get(), bmp.get());
  gdi::SelectGuard selectFont(mem.get(), FontHandle(font_));
  FillRect(mem.get(), &area, SolidBrush(color_));
  if (OnPaint) OnPaint(mem.get(), area);
  BitBlt(target, 0, 0, w, h, mem.get(), 0, 0, SRCCOPY);
}

gdi::Bitmap PaintBox::Picture() {
  RECT r;
  GetClientRect(hwnd_, &r);
  gdi::WindowDc screen(hwnd_);
  gdi::MemoryDc mem(screen.get());
  gdi::Bitmap bmp(CreateCompatibleBitmap(screen.get(), std::max<LONG>(1, r.right), std::max<LONG>(1, r.bottom)));
  {
    gdi::SelectGuard selectBmp(mem.get(), bmp.get());
    Draw(mem.get(), r);
  }
  return bmp;
}

void PaintBox::WndProc(Message& m) {
  auto x = [&] { return static_cast<int>(static_cast<short>(LOWORD(m.lParam))); };
  auto y = [&] { return static_cast<int>(static_cast<short>(HIWORD(m.lParam))); };
  switch (m.msg) {
    case WM_ERASEBKGND:
      m.result = 1;
      return;
    case WM_PAINT: {
      gdi::PaintDc dc(hwnd_);
      RECT r;
      GetClientRect(hwnd_, &r);
      Draw(dc.get(), r);
      return;
    }
    case WM_PRINTCLIENT: {
      RECT r;
      GetClientRect(hwnd_, &r);
      Draw(reinterpret_cast<HDC>(m.wParam), r);
      return;
    }
    case WM_SIZE:
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case WM_GETDLGCODE:
      m.result = DLGC_WANTARROWS;
      return;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd_, 0};
        tracking_ = TrackMouseEvent(&t) != FALSE;
      }
      if (OnMouseMove) OnMouseMove(x(), y());
      return;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (OnMouseLeave) OnMouseLeave();
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      ::SetFocus(hwnd_);
      if (OnMouseDown) OnMouseDown(x(), y());
      break;
    case WM_LBUTTONDBLCLK:
      if (OnMouseDblClick) OnMouseDblClick(x(), y());
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd_, nullptr, FALSE);  // the focus frame
      break;
    default:
      break;
  }
  Control::WndProc(m);
}

// Gauge ----------------------------------------------------------------------

Gauge::Gauge(Control* parent) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TGraphicControl");
  DeclareClass("TGauge");
  RegisterOwnClass(L"TGauge", CS_HREDRAW | CS_VREDRAW);
  CreateWnd(L"TGauge", 0, 0, 100, 20, true);
}

void Gauge::SetRange(int minValue, int maxValue) {
  min_ = minValue;
  max_ = std::max(minValue, maxValue);
  progress_ = std::clamp(progress_, min_, max_);
  Invalidate();
}

void Gauge::SetProgress(int value) {
  value = std::clamp(value, min_, max_);
  if (value == progress_) return;
  progress_ = value;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

int Gauge::PercentDone() const {
  if (max_ == min_) return 0;
  return static_cast<int>(100LL * (progress_ - min_) / (max_ - min_));
}

std::string Gauge::PercentText() const { return std::to_string(PercentDone()) + "%"; }

void Gauge::Paint(HDC dc) {
  RECT r;
  GetClientRect(hwnd_, &r);
  gdi::MemoryDc mem(dc);
  gdi::Bitmap bmp(CreateCompatibleBitmap(dc, std::max<LONG>(1, r.right), std::max<LONG>(1, r.bottom)));
  {
    gdi::SelectGuard selectBmp(mem.get(), bmp.get());
    FillRect(mem.get(), &r, SolidBrush(BackColor));
    RECT fill = r;
    fill.right = r.left + static_cast<LONG>((static_cast<long long>(r.right - r.left) * PercentDone()) / 100);
    FillRect(mem.get(), &fill, SolidBrush(ForeColor));
    // The text in the fill colour over the background, and in the background
    // colour over the fill.
    std::wstring text = Wide(PercentText());
    {
      gdi::SelectGuard selectFont(mem.get(), FontHandle(font_));
      SetBkMode(mem.get(), TRANSPARENT);
      RECT rest{fill.right, r.top, r.right, r.bottom};
      for (int pass = 0; pass < 2; ++pass) {
        const RECT& clip = pass == 0 ? rest : fill;
        gdi::Region rgn(CreateRectRgnIndirect(&clip));
        SelectClipRgn(mem.get(), rgn.get());
        SetTextColor(mem.get(), pass == 0 ? ForeColor : BackColor);
        DrawTextW(mem.get(), text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectClipRgn(mem.get(), nullptr);
      }
      FrameRect(mem.get(), &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
    BitBlt(dc, 0, 0, r.right, r.bottom, mem.get(), 0, 0, SRCCOPY);
  }
}

void Gauge::WndProc(Message& m) {
  switch (m.msg) {
    case WM_ERASEBKGND:
      m.result = 1;
      return;
    case WM_PAINT: {
      gdi::PaintDc dc(hwnd_);
      Paint(dc.get());
      return;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(m.wParam));
      return;
    default:
      break;
  }
  Control::WndProc(m);
}

DatePicker::DatePicker(Control* parent) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TDateTimePicker");
  color_ = clWindow();
  CreateWnd(DATETIMEPICK_CLASSW, WS_TABSTOP | DTS_SHORTDATEFORMAT | DTS_SHOWNONE, WS_EX_CLIENTEDGE, 100, 22);
  SetValue(std::nullopt);
}

std::optional<DatePicker::Date> DatePicker::Value() const {
  SYSTEMTIME st{};
  if (SendMessageW(hwnd_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return std::nullopt;
  return Date{st.wYear, st.wMonth, st.wDay};
}

void DatePicker::SetValue(std::optional<Date> date) {
  if (!date) {
    SendMessageW(hwnd_, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    return;
  }
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(date->year);
  st.wMonth = static_cast<WORD>(date->month);
  st.wDay = static_cast<WORD>(date->day);
  SendMessageW(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

}  // namespace ui
