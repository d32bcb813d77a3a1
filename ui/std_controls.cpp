#include "ui/std_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/form.h"
#include "ui/wide.h"

namespace ui {

Form* OwnerOf(Control* parent) { return parent ? parent->ParentForm() : nullptr; }

// Button ---------------------------------------------------------------------

Button::Button(Control* parent, std::string_view caption) : Button(parent, caption, BS_PUSHBUTTON) {}

Button::Button(Control* parent, std::string_view caption, DWORD style)
    : Control(parent, OwnerOf(parent)) {
  DeclareClass("TButtonControl");
  DeclareClass("TButton");
  CreateWnd(L"BUTTON", WS_TABSTOP | style, 0, 75, 25);
  SetText(caption);
}

void Button::SetDefault(bool on) {
  default_ = on;
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  if ((style & BS_TYPEMASK) == BS_OWNERDRAW) {
    Invalidate();
    return;
  }
  SendMessageW(hwnd_, BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void Button::Click() {
  if (ModalResult != 0) {
    if (Form* f = ParentForm()) f->ModalResult = ModalResult;
  }
  Control::Click();
}

void Button::WndProc(Message& m) {
  if (m.msg == CN_COMMAND && HIWORD(m.wParam) == BN_CLICKED) {
    Click();
    return;
  }
  Control::WndProc(m);
}

// BitBtn ---------------------------------------------------------------------

BitBtn::BitBtn(Control* parent, std::string_view caption) : Button(parent, caption, BS_OWNERDRAW) {
  DeclareClass("TBitBtn");
}

void BitBtn::SetGlyph(gdi::Bitmap bitmap, int numGlyphs) {
  glyph_ = std::move(bitmap);
  numGlyphs_ = std::max(1, numGlyphs);
  Invalidate();
}

void BitBtn::WndProc(Message& m) {
  switch (m.msg) {
    case CN_COMMAND:
      // Owner-drawn buttons report a quick second click as a double click.
      if (HIWORD(m.wParam) == BN_CLICKED || HIWORD(m.wParam) == BN_DOUBLECLICKED) Click();
      return;
    case CN_DRAWITEM:
      Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(m.lParam));
      m.result = TRUE;
      return;
    case WM_LBUTTONDBLCLK:
      m.msg = WM_LBUTTONDOWN;  // a fast second click presses the button again
      break;
    default:
      break;
  }
  Button::WndProc(m);
}

void BitBtn::Draw(const DRAWITEMSTRUCT& d) {
  HDC dc = d.hDC;
  RECT r = d.rcItem;
  bool pressed = d.itemState & ODS_SELECTED;
  bool focused = d.itemState & ODS_FOCUS;
  bool disabled = d.itemState & ODS_DISABLED;
  if (default_ || focused) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  int W = r.right - r.left, H = r.bottom - r.top;

  int gw = 0, gh = 0;
  BITMAP bm{};
  if (glyph_ && GetObjectW(glyph_.get(), sizeof bm, &bm)) {
    gw = bm.bmWidth / numGlyphs_;
    gh = bm.bmHeight;
  }
  std::wstring caption = Wide(Text());
  gdi::SelectGuard selectFont(dc, FontHandle(font_));
  RECT tr{0, 0, 0, 0};
  if (!caption.empty()) DrawTextW(dc, caption.c_str(), -1, &tr, DT_CALCRECT | DT_SINGLELINE);
  int cw = tr.right, ch = tr.bottom;

  // Glyph and caption side by side (or stacked), centred as a block.
  bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  int L = horizontal ? W : H;
  int g = horizontal ? gw : gh, c = horizontal ? cw : ch;
  int s = (cw == 0 || gw == 0) ? 0 : Spacing;
  int margin = Margin;
  if (margin == -1 && s == -1) {
    margin = (L - g - c) / 3;
    s = margin;
  } else if (margin == -1) {
    margin = (L - g - s - c) / 2;
  } else if (s == -1) {
    s = (L - margin - g - c) / 2;
  }
  int glyphPos = (Layout == blGlyphLeft || Layout == blGlyphTop) ? margin : L - margin - g;
  int capPos = (Layout == blGlyphLeft || Layout == blGlyphTop) ? margin + g + s : glyphPos - s - c;
  int off = pressed ? 1 : 0;
  int gx, gy, cx, cy;
  if (horizontal) {
    gx = glyphPos; gy = (H - gh + 1) / 2; cx = capPos; cy = (H - ch + 1) / 2;
  } else {
    gx = (W - gw + 1) / 2; gy = glyphPos; cx = (W - cw + 1) / 2; cy = capPos;
  }
  if (gw > 0) {
    int frame = (disabled && numGlyphs_ > 1) ? 1 : 0;
    gdi::MemoryDc mem(dc);
    gdi::SelectGuard selectGlyph(mem.get(), glyph_.get());
    COLORREF key = GetPixel(mem.get(), frame * gw, gh - 1);
    TransparentBlt(dc, r.left + gx + off, r.top + gy + off, gw, gh, mem.get(), frame * gw, 0, gw, gh, key);
  }
  if (cw > 0) {
    RECT cr{r.left + cx + off, r.top + cy + off, r.left + cx + off + cw, r.top + cy + off + ch};
    SetBkMode(dc, TRANSPARENT);
    if (disabled) {
      OffsetRect(&cr, 1, 1);
      SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
      DrawTextW(dc, caption.c_str(), -1, &cr, DT_SINGLELINE);
      OffsetRect(&cr, -1, -1);
      SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
      SetTextColor(dc, font_.color == kDefaultColor ? GetSysColor(COLOR_BTNTEXT) : font_.color);
    }
    DrawTextW(dc, caption.c_str(), -1, &cr, DT_SINGLELINE);
  }
  if (focused && !(d.itemState & ODS_NOFOCUSRECT)) {
    RECT fr = r;
    InflateRect(&fr, -3, -3);
    DrawFocusRect(dc, &fr);
  }
}

// CheckBox -------------------------------------------------------------------

CheckBox::CheckBox(Control* parent, std::string_view caption) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TButtonControl");
  DeclareClass("TCustomCheckBox");
  DeclareClass("TCheckBox");
  CreateWnd(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 120, 17);
  SetText(caption);
}

bool CheckBox::Checked() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool on) { SendMessageW(hwnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

void CheckBox::WndProc(Message& m) {
  if (m.msg == CN_COMMAND && HIWORD(m.wParam) == BN_CLICKED) {
    Click();
    return;
  }
  Control::WndProc(m);
}

// Edit and Memo --------------------------------------------------------------

Edit::Edit(Control* parent) : Edit(parent, ES_AUTOHSCROLL, false) {}

Edit::Edit(Control* parent, DWORD style, bool memo) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TCustomEdit");
  if (memo) {
    DeclareClass("TCustomMemo");
    DeclareClass("TMemo");
  } else {
    DeclareClass("TEdit");
  }
  color_ = clWindow();
  CreateWnd(L"EDIT", WS_TABSTOP | style, WS_EX_CLIENTEDGE, 121, memo ? 89 : 21);
}

void Edit::SetMaxLength(int chars) { SendMessageW(hwnd_, EM_LIMITTEXT, chars, 0); }

void Edit::SetCharCase(CharCase c) {
  charCase_ = c;
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE) & ~(ES_UPPERCASE | ES_LOWERCASE);
  if (c == ecUpperCase) style |= ES_UPPERCASE;
  if (c == ecLowerCase) style |= ES_LOWERCASE;
  SetWindowLongW(hwnd_, GWL_STYLE, style);
}

void Edit::SetReadOnly(bool on) { SendMessageW(hwnd_, EM_SETREADONLY, on, 0); }

void Edit::SelectAll() { SendMessageW(hwnd_, EM_SETSEL, 0, -1); }

std::string Edit::TextWithoutSelection() const {
  int n = GetWindowTextLengthW(hwnd_);
  std::wstring w(n + 1, L'\0');
  w.resize(GetWindowTextW(hwnd_, w.data(), n + 1));
  DWORD start = 0, end = 0;
  SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  start = std::min<DWORD>(start, w.size());
  end = std::clamp<DWORD>(end, start, w.size());
  w.erase(start, end - start);
  return Narrow(w);
}

std::string Edit::Filtered(std::string_view inserted) {
  std::wstring w = Wide(inserted);
  if (!(GetWindowLongW(hwnd_, GWL_STYLE) & ES_MULTILINE)) {
    size_t eol = w.find_first_of(L"\r\n");
    if (eol != std::wstring::npos) w.resize(eol);
  }
  if (charCase_ == ecUpperCase && !w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
  if (charCase_ == ecLowerCase && !w.empty()) CharLowerBuffW(w.data(), static_cast<DWORD>(w.size()));
  std::string s = Narrow(w);
  if (Filter) s = Filter(TextWithoutSelection(), s);
  return s;
}

void Edit::InsertText(std::string_view text) {
  std::string s = Filtered(text);
  if (s.empty()) return;
  std::wstring w = Wide(s);
  Message rep{EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(w.c_str()), 0};
  DefaultHandler(rep);
}

void Edit::WndProc(Message& m) {
  switch (m.msg) {
    case WM_CHAR: {
      wchar_t ch = static_cast<wchar_t>(m.wParam);
      if (ch < 0x20 || ch == 0x7F) break;  // editing keys (backspace, Ctrl+V ...)
      std::wstring typed;
      if (ch >= 0xD800 && ch <= 0xDBFF) {
        pendingHighSurrogate_ = ch;
        return;
      }
      if (ch >= 0xDC00 && ch <= 0xDFFF) {
        if (!pendingHighSurrogate_) return;
        typed = {pendingHighSurrogate_, ch};
        pendingHighSurrogate_ = 0;
      } else {
        if (OnKeyPress) OnKeyPress(ch);
        if (ch == 0) return;
        typed = std::wstring(1, ch);
      }
      std::string s = Filtered(Narrow(typed));
      if (s.empty()) return;
      std::wstring w = Wide(s);
      if (w.size() == 1) {
        m.wParam = w[0];
        break;  // the control inserts the (possibly changed) character
      }
      Message rep{EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(w.c_str()), 0};
      DefaultHandler(rep);
      return;
    }
    case WM_PASTE: {
      if ((GetWindowLongW(hwnd_, GWL_STYLE) & ES_READONLY) || !OpenClipboard(hwnd_)) return;
      std::wstring clip;
      if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
          clip = p;
          GlobalUnlock(h);
        }
      }
      CloseClipboard();
      InsertText(Narrow(clip));
      return;
    }
    case CN_COMMAND:
      if (HIWORD(m.wParam) == EN_CHANGE && OnChange) OnChange();
      return;
    default:
      break;
  }
  Control::WndProc(m);
}

Memo::Memo(Control* parent)
    : Edit(parent, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, true) {}

int Memo::LineCount() const {
  if (GetWindowTextLengthW(hwnd_) == 0) return 0;
  return static_cast<int>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
}

std::string Memo::Line(int index) const {
  LRESULT start = SendMessageW(hwnd_, EM_LINEINDEX, index, 0);
  if (start < 0) return {};
  LRESULT len = SendMessageW(hwnd_, EM_LINELENGTH, start, 0);
  std::wstring w(std::max<LRESULT>(len, 1), L'\0');
  *reinterpret_cast<WORD*>(w.data()) = static_cast<WORD>(w.size());
  LRESULT got = SendMessageW(hwnd_, EM_GETLINE, index, reinterpret_cast<LPARAM>(w.data()));
  w.resize(got);
  return Narrow(w);
}

void Memo::AddLine(std::string_view line) {
  std::wstring w = (GetWindowTextLengthW(hwnd_) ? L"\r\n" : L"") + Wide(line);
  int end = GetWindowTextLengthW(hwnd_);
  SendMessageW(hwnd_, EM_SETSEL, end, end);
  Message rep{EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(w.c_str()), 0};
  DefaultHandler(rep);
}

// Label, GroupBox ----------------------------------------------------------------

Label::Label(Control* parent, std::string_view caption) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TGraphicControl");
  DeclareClass("TCustomLabel");
  DeclareClass("TLabel");
  if (parent) color_ = parent->Color();
  CreateWnd(L"STATIC", SS_LEFT | SS_NOTIFY, 0, 65, 13);
  SetText(caption);
  AutoSize();
}

void Label::AutoSize() {
  RECT r{0, 0, 0, 0};
  {
    gdi::WindowDc dc(hwnd_);
    gdi::SelectGuard selectFont(dc.get(), FontHandle(font_));
    std::wstring w = Wide(Text());
    DrawTextW(dc.get(), w.empty() ? L" " : w.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
  }
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right, r.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Label::CtlColor(HDC dc) {
  SetTextColor(dc, font_.TextColor());
  SetBkMode(dc, TRANSPARENT);
  COLORREF back = parent_ ? parent_->Color() : color_;
  return reinterpret_cast<LRESULT>(SolidBrush(back));
}

void Label::WndProc(Message& m) {
  if (m.msg == CN_COMMAND) {
    if (HIWORD(m.wParam) == STN_CLICKED) Click();
    if (HIWORD(m.wParam) == STN_DBLCLK && OnDblClick) OnDblClick();
    return;
  }
  Control::WndProc(m);
}

GroupBox::GroupBox(Control* parent, std::string_view caption) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TCustomControl");
  DeclareClass("TCustomGroupBox");
  DeclareClass("TGroupBox");
  CreateWnd(L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT, 185, 105);
  SetText(caption);
}

// The system's group box paints its frame and caption only; on a parent
// that clips its children nothing else paints the inside, so the box fills
// it with its own colour first.
void GroupBox::WndProc(Message& m) {
  if (EraseWith(m, color_)) return;
  Control::WndProc(m);
}

// Panel ----------------------------------------------------------------------

Panel::Panel(Control* parent, std::string_view caption) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TCustomControl");
  DeclareClass("TCustomPanel");
  DeclareClass("TPanel");
  RegisterOwnClass(L"TPanel", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  CreateWnd(L"TPanel", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 185, 41, true);
  SetText(caption);
}

void Panel::WndProc(Message& m) {
  if (EraseWith(m, color_) || ClickMessages(m)) return;
  switch (m.msg) {
    case WM_PAINT: {
      gdi::PaintDc paint(hwnd_);
      HDC dc = paint.get();
      RECT r;
      GetClientRect(hwnd_, &r);
      if (BevelOuter == bvRaised) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
      if (BevelOuter == bvLowered) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
      std::wstring caption = Wide(Text());
      if (!caption.empty()) {
        gdi::SelectGuard selectFont(dc, FontHandle(font_));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, font_.TextColor());
        UINT align = CaptionAlignment == taCenter ? DT_CENTER
                     : CaptionAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
        DrawTextW(dc, caption.c_str(), -1, &r, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
      }
      return;
    }
    case WM_SETTEXT:
      DefaultHandler(m);
      Invalidate();
      return;
    default:
      break;
  }
  Control::WndProc(m);
}

// Image ----------------------------------------------------------------------

Image::Image(Control* parent) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TGraphicControl");
  DeclareClass("TImage");
  if (parent) color_ = parent->Color();
  RegisterOwnClass(L"TImage", CS_DBLCLKS);
  CreateWnd(L"TImage", 0, 0, 105, 105, true);
}

void Image::SetPicture(gdi::Bitmap bitmap) {
  bitmap_ = std::move(bitmap);
  Invalidate();
}

void Image::WndProc(Message& m) {
  if (EraseWith(m, parent_ ? parent_->Color() : color_) || ClickMessages(m)) return;
  switch (m.msg) {
    case WM_PAINT: {
      gdi::PaintDc paint(hwnd_);
      HDC dc = paint.get();
      BITMAP bm{};
      if (bitmap_ && GetObjectW(bitmap_.get(), sizeof bm, &bm)) {
        RECT r;
        GetClientRect(hwnd_, &r);
        int w = bm.bmWidth, h = bm.bmHeight, x = 0, y = 0;
        if (Stretch) {
          w = r.right;
          h = r.bottom;
        } else if (Center) {
          x = (r.right - w) / 2;
          y = (r.bottom - h) / 2;
        }
        gdi::MemoryDc mem(dc);
        gdi::SelectGuard selectPicture(mem.get(), bitmap_.get());
        SetStretchBltMode(dc, COLORONCOLOR);
        if (Transparent) {
          COLORREF key = GetPixel(mem.get(), 0, bm.bmHeight - 1);
          TransparentBlt(dc, x, y, w, h, mem.get(), 0, 0, bm.bmWidth, bm.bmHeight, key);
        } else {
          StretchBlt(dc, x, y, w, h, mem.get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        }
      }
      return;
    }
    default:
      break;
  }
  Control::WndProc(m);
}

}  // namespace ui
