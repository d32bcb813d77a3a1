#include "ui/bars.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/application.h"
#include "ui/commands.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/image_list.h"
#include "ui/menus.h"
#include "ui/mnemonic.h"
#include "ui/std_controls.h"
#include "ui/wide.h"

namespace ui {

// StatusBar ------------------------------------------------------------------

StatusBar::StatusBar(Control* parent) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TStatusBar");
  CreateWnd(STATUSCLASSNAMEW, SBARS_SIZEGRIP | SBARS_TOOLTIPS, 0, 100, 20);
  SendMessageW(hwnd_, WM_SIZE, 0, 0);  // takes its natural height
}

int StatusBar::AlignHeight() const { return Height(); }

int StatusBar::AddPanel(int width) {
  widths_.push_back(width);
  ApplyParts();
  return PanelCount() - 1;
}

void StatusBar::SetPanelWidth(int index, int width) {
  widths_[index] = width;
  ApplyParts();
}

void StatusBar::ApplyParts() {
  std::vector<int> rights;
  int x = 0;
  for (size_t i = 0; i < widths_.size(); ++i) {
    x += widths_[i];
    rights.push_back(i + 1 == widths_.size() ? -1 : x);
  }
  SendMessageW(hwnd_, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void StatusBar::SetPanelText(int index, std::string_view text) {
  std::wstring w = Wide(text);
  SendMessageW(hwnd_, SB_SETTEXTW, index, reinterpret_cast<LPARAM>(w.c_str()));
}

std::string StatusBar::PanelText(int index) const {
  LRESULT len = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, index, 0));
  std::wstring w(len + 1, L'\0');
  SendMessageW(hwnd_, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(w.data()));
  w.resize(len);
  return Narrow(w);
}

bool StatusBar::SizeGrip() const { return GetWindowLongW(hwnd_, GWL_STYLE) & SBARS_SIZEGRIP; }

void StatusBar::SetSizeGrip(bool on) {
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, on ? style | SBARS_SIZEGRIP : style & ~SBARS_SIZEGRIP);
  Invalidate();
}

void StatusBar::WndProc(Message& m) { Control::WndProc(m); }

// ToolButton -----------------------------------------------------------------

void ToolButton::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
  if (bar_) bar_->Rebuild();
}

void ToolButton::SetImageIndex(int index) {
  image_ = index;
  if (bar_) SendMessageW(bar_->Handle(), TB_CHANGEBITMAP, command_, index);
}

bool ToolButton::Down() const {
  if (!bar_ || style_ == tbsSeparator) return false;
  UINT msg = style_ == tbsCheck ? TB_ISBUTTONCHECKED : TB_ISBUTTONPRESSED;
  return SendMessageW(bar_->Handle(), msg, command_, 0) != 0;
}

void ToolButton::SetDown(bool on) {
  down_ = on;
  if (bar_)
    SendMessageW(bar_->Handle(), style_ == tbsCheck ? TB_CHECKBUTTON : TB_PRESSBUTTON, command_, MAKELONG(on, 0));
}

bool ToolButton::Enabled() const { return enabled_; }

void ToolButton::SetEnabled(bool on) {
  enabled_ = on;
  if (bar_) SendMessageW(bar_->Handle(), TB_ENABLEBUTTON, command_, MAKELONG(on, 0));
}

void ToolButton::SetVisible(bool on) {
  visible_ = on;
  if (bar_) bar_->Rebuild();
}

RECT ToolButton::ScreenRect() const {
  RECT r{};
  if (!bar_) return r;
  SendMessageW(bar_->Handle(), TB_GETRECT, command_, reinterpret_cast<LPARAM>(&r));
  MapWindowPoints(bar_->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ToolButton::Click() {
  if (!enabled_) return;
  if (OnClick) {
    OnClick();
  } else if (DropdownMenu) {
    RECT r = ScreenRect();
    DropdownMenu->Popup(r.left, r.bottom, nullptr, &r);
  }
}

// ToolBar --------------------------------------------------------------------

namespace {
thread_local ToolBar* g_tracking = nullptr;
}

ToolBar::ToolBar(Control* parent) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TToolWindow");
  DeclareClass("TToolBar");
  CreateWnd(TOOLBARCLASSNAMEW,
            TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_TRANSPARENT | CCS_NODIVIDER | CCS_NORESIZE |
                CCS_NOPARENTALIGN,
            0, 100, 30);
  SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  if (HWND tip = reinterpret_cast<HWND>(SendMessageW(hwnd_, TB_GETTOOLTIPS, 0, 0)))
    SetPropW(tip, kNotifyTargetProp, this);
}

ToolBar::~ToolBar() {
  if (menu_) menu_->OnChange = nullptr;
  for (auto& b : buttons_) ReleaseCommand(b->command_);
}

ToolButton* ToolBar::AddButton(std::string_view caption, std::string_view hint, int imageIndex,
                               ToolButtonStyle style) {
  auto b = std::make_unique<ToolButton>();
  b->bar_ = this;
  b->caption_ = std::string(caption);
  b->Hint = std::string(hint);
  b->image_ = imageIndex;
  b->style_ = style;
  ToolButton* raw = b.get();
  b->command_ = AllocateCommand([raw] { raw->Click(); });
  buttons_.push_back(std::move(b));
  Rebuild();
  return raw;
}

ToolButton* ToolBar::AddSeparator() { return AddButton("", "", -1, tbsSeparator); }

ToolButton* ToolBar::ButtonByCommand(unsigned command) const {
  for (auto& b : buttons_)
    if (b->command_ == command) return b.get();
  return nullptr;
}

int ToolBar::IndexOf(const ToolButton* b) const {
  for (size_t i = 0; i < buttons_.size(); ++i)
    if (buttons_[i].get() == b) return static_cast<int>(i);
  return -1;
}

void ToolBar::SetImages(ImageList* images) {
  images_ = images;
  Rebuild();
}

void ToolBar::SetShowCaptions(bool on) {
  showCaptions_ = on;
  Rebuild();
}

bool ToolBar::Flat() const { return GetWindowLongW(hwnd_, GWL_STYLE) & TBSTYLE_FLAT; }

void ToolBar::SetFlat(bool on) {
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, on ? style | TBSTYLE_FLAT : style & ~TBSTYLE_FLAT);
  Invalidate();
}

bool ToolBar::Transparent() const { return GetWindowLongW(hwnd_, GWL_STYLE) & TBSTYLE_TRANSPARENT; }

void ToolBar::SetTransparent(bool on) {
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, on ? style | TBSTYLE_TRANSPARENT : style & ~TBSTYLE_TRANSPARENT);
  Invalidate();
}

void ToolBar::Rebuild() {
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  while (SendMessageW(hwnd_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(hwnd_, TB_DELETEBUTTON, 0, 0);
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  style = menu_ ? style | TBSTYLE_LIST : style & ~TBSTYLE_LIST;
  SetWindowLongW(hwnd_, GWL_STYLE, style);
  SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
  if (images_) SendMessageW(hwnd_, TB_SETBITMAPSIZE, 0, MAKELONG(images_->Width(), images_->Height()));
  else SendMessageW(hwnd_, TB_SETBITMAPSIZE, 0, MAKELONG(0, 0));
  bool captions = showCaptions_ || menu_;
  SendMessageW(hwnd_, TB_SETMAXTEXTROWS, captions ? 1 : 0, 0);
  std::vector<TBBUTTON> list;
  for (auto& b : buttons_) {
    if (!b->visible_) continue;
    b->wideCaption_ = Wide(b->caption_);
    TBBUTTON t{};
    t.idCommand = static_cast<int>(b->command_);
    t.iBitmap = b->style_ == tbsSeparator ? 6 : (b->image_ >= 0 && images_ ? b->image_ : I_IMAGENONE);
    t.fsState = (b->enabled_ ? TBSTATE_ENABLED : 0) | (b->down_ && b->style_ == tbsCheck ? TBSTATE_CHECKED : 0);
    switch (b->style_) {
      case tbsCheck: t.fsStyle = BTNS_CHECK; break;
      case tbsDropDown: t.fsStyle = BTNS_DROPDOWN; break;
      case tbsSeparator: t.fsStyle = BTNS_SEP; break;
      default: t.fsStyle = BTNS_BUTTON; break;
    }
    if (menu_) t.fsStyle |= BTNS_AUTOSIZE | BTNS_SHOWTEXT;
    t.iString = captions && b->style_ != tbsSeparator ? reinterpret_cast<INT_PTR>(b->wideCaption_.c_str()) : -1;
    list.push_back(t);
  }
  if (!list.empty()) SendMessageW(hwnd_, TB_ADDBUTTONSW, list.size(), reinterpret_cast<LPARAM>(list.data()));
  SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
  if (OnSizeChanged) OnSizeChanged();
  if (parent_ && parent_->InheritsFrom("TCoolBar")) static_cast<CoolBar*>(parent_)->UpdateBands();
  else if (parent_ && align_ != alNone) parent_->Realign();
}

SIZE ToolBar::IdealSize() const {
  SIZE s{0, 0};
  SendMessageW(hwnd_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&s));
  if (s.cy == 0) s.cy = HIWORD(SendMessageW(hwnd_, TB_GETBUTTONSIZE, 0, 0));
  return s;
}

int ToolBar::HitTest(POINT client) const {
  int i = static_cast<int>(SendMessageW(hwnd_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
  if (i < 0) return -1;
  TBBUTTON t{};
  if (!SendMessageW(hwnd_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&t))) return -1;
  ToolButton* b = ButtonByCommand(t.idCommand);
  return b && b->style_ != tbsSeparator ? IndexOf(b) : -1;
}

std::string ToolBar::CurrentHint() const {
  int i = HitTest(lastMouse_);
  return i >= 0 ? buttons_[i]->Hint : hint_;
}

// Menu band ------------------------------------------------------------------

void ToolBar::SetMenu(MainMenu* menu) {
  if (menu_) menu_->OnChange = nullptr;
  menu_ = menu;
  if (menu_) {
    menu_->OnChange = [this] {
      // Only a change of the top-level captions needs new buttons.
      std::vector<std::string> now;
      for (int i = 0; i < menu_->Items.Count(); ++i)
        if (menu_->Items.Item(i)->Visible()) now.push_back(menu_->Items.Item(i)->Caption());
      std::vector<std::string> shown;
      for (auto& b : buttons_) shown.push_back(b->caption_);
      if (now != shown) RebuildMenuBand();
    };
  }
  RebuildMenuBand();
}

void ToolBar::RebuildMenuBand() {
  for (auto& b : buttons_) ReleaseCommand(b->command_);
  buttons_.clear();
  if (menu_) {
    for (int i = 0; i < menu_->Items.Count(); ++i) {
      MenuItem* item = menu_->Items.Item(i);
      if (!item->Visible()) continue;
      auto b = std::make_unique<ToolButton>();
      b->bar_ = this;
      b->caption_ = item->Caption();
      b->Hint = item->Hint;
      b->menuItem_ = item;
      b->command_ = AllocateCommand({});
      buttons_.push_back(std::move(b));
    }
  }
  Rebuild();
}

bool ToolBar::MenuBandChar(wchar_t ch) {
  if (!menu_ || !CanFocus()) return false;
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (MatchesMnemonic(buttons_[i]->caption_, ch)) {
      TrackMenu(static_cast<int>(i));
      return true;
    }
  }
  return false;
}

LRESULT CALLBACK ToolBar::MenuFilter(int code, WPARAM wParam, LPARAM lParam) {
  // While one menu of the band is open, moving over another band button
  // closes it and opens that button's menu.
  if (code == MSGF_MENU && g_tracking) {
    Guarded([lParam] {
      auto* msg = reinterpret_cast<MSG*>(lParam);
      if (msg->message != WM_MOUSEMOVE) return;
      POINT p = msg->pt;
      ScreenToClient(g_tracking->hwnd_, &p);
      int i = g_tracking->HitTest(p);
      if (i >= 0 && i != g_tracking->trackingIndex_) {
        g_tracking->nextTrackIndex_ = i;
        EndMenu();
      }
    });
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ToolBar::TrackMenu(int buttonIndex) {
  Form* form = ParentForm();
  int current = buttonIndex;
  while (current >= 0 && current < ButtonCount()) {
    ToolButton* b = buttons_[current].get();
    MenuItem* item = b->menuItem_;
    if (!item || !item->Enabled()) break;
    if (item->Count() == 0) {
      item->Click();
      break;
    }
    trackingIndex_ = current;
    nextTrackIndex_ = -1;
    SendMessageW(hwnd_, TB_PRESSBUTTON, b->command_, MAKELONG(TRUE, 0));
    RECT r = b->ScreenRect();
    ToolBar* outer = g_tracking;
    g_tracking = this;
    gdi::Hook hook(SetWindowsHookExW(WH_MSGFILTER, MenuFilter, nullptr, GetCurrentThreadId()));
    TPMPARAMS params{sizeof params, r};
    if (form) SetForegroundWindow(form->Handle());  // a menu needs its owner active
    TrackPopupMenuEx(item->Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, r.left, r.bottom,
                     form ? form->Handle() : hwnd_, &params);
    hook.reset();
    g_tracking = outer;
    SendMessageW(hwnd_, TB_PRESSBUTTON, b->command_, MAKELONG(FALSE, 0));
    current = nextTrackIndex_;
  }
  trackingIndex_ = -1;
}

void ToolBar::WndProc(Message& m) {
  switch (m.msg) {
    case WM_MOUSEMOVE:
      lastMouse_ = {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
      break;
    case WM_MOUSELEAVE:
      lastMouse_ = {-1, -1};
      break;
    case WM_ERASEBKGND:
      if (!Transparent() && EraseWith(m, color_)) return;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (menu_) {
        int i = HitTest({GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)});
        if (i >= 0) {
          TrackMenu(i);
          return;
        }
      }
      break;
    case CN_COMMAND: {
      ToolButton* b = ButtonByCommand(LOWORD(m.wParam));
      if (b && b->menuItem_) TrackMenu(IndexOf(b));
      else if (b) b->Click();
      return;
    }
    case CN_NOTIFY: {
      auto* h = reinterpret_cast<NMHDR*>(m.lParam);
      if (h->code == TBN_DROPDOWN) {
        auto* n = reinterpret_cast<NMTOOLBARW*>(m.lParam);
        ToolButton* b = ButtonByCommand(n->iItem);
        if (b && b->DropdownMenu && b->enabled_) {
          RECT r = b->ScreenRect();
          b->DropdownMenu->Popup(r.left, r.bottom, nullptr, &r);
        }
        m.result = TBDDRET_DEFAULT;
        return;
      }
      if (h->code == TTN_GETDISPINFOW) {
        auto* t = reinterpret_cast<NMTTDISPINFOW*>(m.lParam);
        ToolButton* b = ButtonByCommand(static_cast<unsigned>(t->hdr.idFrom));
        static std::wstring tip;
        tip = b ? Wide(b->Hint) : L"";
        t->lpszText = tip.data();
        t->hinst = nullptr;
        m.result = 0;
        return;
      }
      m.result = 0;
      return;
    }
    default:
      break;
  }
  Control::WndProc(m);
}

// CoolBar --------------------------------------------------------------------

CoolBar::CoolBar(Control* parent) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TToolWindow");
  DeclareClass("TCoolBar");
  CreateWnd(REBARCLASSNAMEW,
            RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE |
                WS_CLIPCHILDREN,
            WS_EX_CONTROLPARENT, 100, 30);
  REBARINFO info{sizeof info, 0, nullptr};
  SendMessageW(hwnd_, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
}

static SIZE ChildSize(Control* child) {
  if (child->InheritsFrom("TToolBar")) return static_cast<ToolBar*>(child)->IdealSize();
  return SIZE{child->Width(), child->Height()};
}

void CoolBar::AddBand(Control* child, bool newRow) {
  SIZE s = ChildSize(child);
  REBARBANDINFOW bi{};
  bi.cbSize = REBARBANDINFOW_V3_SIZE;
  bi.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE;
  bi.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | (newRow && !bands_.empty() ? RBBS_BREAK : 0);
  bi.hwndChild = child->Handle();
  bi.cxMinChild = 0;
  bi.cyMinChild = s.cy;
  bi.cx = s.cx + 16;
  bi.cxIdeal = s.cx;
  bi.wID = static_cast<UINT>(bands_.size());
  bands_.push_back(child);
  SendMessageW(hwnd_, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&bi));
  if (parent_) parent_->Realign();
}

int CoolBar::BandCount() const { return static_cast<int>(SendMessageW(hwnd_, RB_GETBANDCOUNT, 0, 0)); }

void CoolBar::UpdateBands() {
  for (size_t i = 0; i < bands_.size(); ++i) {
    SIZE s = ChildSize(bands_[i]);
    REBARBANDINFOW bi{};
    bi.cbSize = REBARBANDINFOW_V3_SIZE;
    bi.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
    bi.cxMinChild = 0;
    bi.cyMinChild = s.cy;
    bi.cxIdeal = s.cx;
    SendMessageW(hwnd_, RB_SETBANDINFOW, i, reinterpret_cast<LPARAM>(&bi));
  }
  if (parent_) parent_->Realign();
}

int CoolBar::AlignHeight() const {
  int h = static_cast<int>(SendMessageW(hwnd_, RB_GETBARHEIGHT, 0, 0));
  return h > 0 ? h : Height();
}

void CoolBar::WndProc(Message& m) {
  if (m.msg == CN_NOTIFY) {
    auto* h = reinterpret_cast<NMHDR*>(m.lParam);
    if (h->code == RBN_HEIGHTCHANGE && parent_) parent_->Realign();
    m.result = 0;
    return;
  }
  Control::WndProc(m);
}

}  // namespace ui
