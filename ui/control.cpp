#include "ui/control.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <unordered_map>

#include "ui/application.h"
#include "ui/commands.h"
#include "ui/form.h"
#include "ui/menus.h"
#include "ui/wide.h"

namespace ui {

namespace {

// Window handle to control, kept in the process rather than as a window
// property: Wine answers a property lookup with a round trip to its server,
// and the bridge looks the control up on every message.
std::unordered_map<HWND, Control*>& Registry() {
  static std::unordered_map<HWND, Control*> map;
  return map;
}

void Attach(HWND h, Control* c) { Registry()[h] = c; }

void Detach(HWND h) { Registry().erase(h); }

}  // namespace

const wchar_t kNotifyTargetProp[] = L"Vorlune.NotifyTarget";

ShiftState ShiftState::Now() {
  ShiftState s;
  s.shift = GetKeyState(VK_SHIFT) < 0;
  s.ctrl = GetKeyState(VK_CONTROL) < 0;
  s.alt = GetKeyState(VK_MENU) < 0;
  return s;
}

Control::Control(Control* parent, Form* owner)
    : Component(owner), parent_(parent), color_(clBtnFace()) {
  DeclareClass("TControl");
  DeclareClass("TWinControl");
  WindowProc = [this](Message& m) { WndProc(m); };
  if (parent_) parent_->children_.push_back(this);
}

Control::~Control() {
  AnnounceDestroying();
  for (Control* c : children_) c->parent_ = nullptr;
  if (parent_) {
    auto& list = parent_->children_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  if (hwnd_) {
    HWND h = hwnd_;
    Detach(h);
    if (oldProc_) SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    hwnd_ = nullptr;
    DestroyWindow(h);
  }
}

void Control::AnnounceDestroying() {
  if (destroyingAnnounced_ || !hwnd_) return;
  destroyingAnnounced_ = true;
  Guarded([&] { Perform(CM_DESTROYING); });
}

Form* Control::ParentForm() const {
  const Control* c = this;
  while (c->parent_) c = c->parent_;
  return c->InheritsFrom("TCustomForm") ? static_cast<Form*>(const_cast<Control*>(c)) : nullptr;
}

Control* Control::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  auto it = Registry().find(hwnd);
  return it == Registry().end() ? nullptr : it->second;
}

Control* Control::FromHandleOrParent(HWND hwnd) {
  while (hwnd) {
    if (Control* c = FromHandle(hwnd)) return c;
    if (!(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) return nullptr;
    hwnd = GetParent(hwnd);
  }
  return nullptr;
}

void Control::RegisterOwnClass(const wchar_t* name, UINT style, HCURSOR cursor) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = Bridge;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  RegisterClassExW(&wc);
}

void Control::CreateWnd(const wchar_t* windowClass, DWORD style, DWORD exStyle, int width,
                        int height, bool ownClass) {
  HWND parentWnd = parent_ ? parent_->Handle() : nullptr;
  if (parent_) style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (visible_ && parent_) style |= WS_VISIBLE;
  HWND h = CreateWindowExW(exStyle, windowClass, L"", style, 0, 0, width, height, parentWnd,
                           nullptr, GetModuleHandleW(nullptr), ownClass ? this : nullptr);
  if (!h) return;
  if (!ownClass) {
    hwnd_ = h;
    Attach(h, this);
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Bridge)));
  }
  SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(font_)), FALSE);
}

LRESULT CALLBACK Control::Bridge(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Control* c = FromHandle(hwnd);
  if (!c && msg == WM_NCCREATE) {
    c = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (c) {
      c->hwnd_ = hwnd;
      Attach(hwnd, c);
    }
  }
  if (!c) return DefWindowProcW(hwnd, msg, wParam, lParam);
  Message m{msg, wParam, lParam, 0};
  Form* form = c->ParentForm();
  if (form) ++form->handlerDepth_;
  Guarded([&] {
    MessageHook hook = c->WindowProc;  // a hook may replace itself meanwhile
    if (hook) hook(m); else c->WndProc(m);
  });
  if (form) --form->handlerDepth_;
  if (msg == WM_NCDESTROY && FromHandle(hwnd) == c) {
    Detach(hwnd);
    c->hwnd_ = nullptr;
  }
  return m.result;
}

void Control::DefaultHandler(Message& m) {
  if (!hwnd_) return;
  m.result = oldProc_ ? CallWindowProcW(oldProc_, hwnd_, m.msg, m.wParam, m.lParam)
                      : DefWindowProcW(hwnd_, m.msg, m.wParam, m.lParam);
}

LRESULT Control::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  Message m{msg, wParam, lParam, 0};
  MessageHook hook = WindowProc;
  if (hook) hook(m); else WndProc(m);
  return m.result;
}

void Control::Reflect(Message& m, HWND child) {
  Control* c = FromHandle(child);
  // Helper windows of a control (a toolbar's tooltip) name the control.
  if (!c && child) c = static_cast<Control*>(GetPropW(child, kNotifyTargetProp));
  if (c && c != this && c->hwnd_) {
    m.result = c->Perform(m.msg + kCnBase, m.wParam, m.lParam);
  } else {
    DefaultHandler(m);
  }
}

LRESULT Control::CtlColor(HDC dc) {
  SetTextColor(dc, font_.TextColor());
  SetBkColor(dc, color_);
  return reinterpret_cast<LRESULT>(SolidBrush(color_));
}

void Control::WndProc(Message& m) {
  switch (m.msg) {
    case WM_COMMAND:
      if (m.lParam) return Reflect(m, reinterpret_cast<HWND>(m.lParam));
      // A menu command (a popup tracked with this window as owner).
      if (HIWORD(m.wParam) == 0 && RunCommand(LOWORD(m.wParam))) return;
      break;
    case WM_NOTIFY:
      return Reflect(m, reinterpret_cast<NMHDR*>(m.lParam)->hwndFrom);
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (m.lParam) return Reflect(m, reinterpret_cast<HWND>(m.lParam));
      break;
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.lParam);
      if (d->CtlType == ODT_MENU) {
        MenuItem* item = reinterpret_cast<MenuItem*>(d->itemData);
        if (item) { item->DrawItem(*d); m.result = TRUE; return; }
        break;
      }
      return Reflect(m, d->hwndItem);
    }
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.lParam);
      if (mi->CtlType == ODT_MENU) {
        MenuItem* item = reinterpret_cast<MenuItem*>(mi->itemData);
        if (item) { item->MeasureItem(*mi); m.result = TRUE; return; }
      }
      break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      return Reflect(m, reinterpret_cast<HWND>(m.lParam));
    case CN_CTLCOLORBTN:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
      m.result = CtlColor(reinterpret_cast<HDC>(m.wParam));
      return;
    case WM_MOUSEMOVE:
      if (!mouseInside_) {
        mouseInside_ = true;
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd_, 0};
        TrackMouseEvent(&t);
        Perform(CM_MOUSEENTER);
      }
      App().SetHint(CurrentHint());
      break;
    case WM_MOUSELEAVE:
      mouseInside_ = false;
      Perform(CM_MOUSELEAVE);
      break;
    case WM_SETCURSOR:
      if (cursor_ && reinterpret_cast<HWND>(m.wParam) == hwnd_ && LOWORD(m.lParam) == HTCLIENT) {
        ::SetCursor(LoadCursorW(nullptr, cursor_));
        m.result = TRUE;
        return;
      }
      break;
    case WM_CONTEXTMENU:
      if (popupMenu && reinterpret_cast<HWND>(m.wParam) == hwnd_) {
        POINT p{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
        if (p.x == -1 && p.y == -1) {
          p = {0, 0};
          ClientToScreen(hwnd_, &p);
        }
        popupMenu->Popup(p.x, p.y);
        return;
      }
      break;
    case WM_SIZE:
      DefaultHandler(m);
      Realign();
      if (OnResize) OnResize();
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_TEXTCHANGED:
    case CM_DIALOGCHAR:
    case CM_DIALOGKEY:
    case CM_MENUCHANGED:
    case CM_DESTROYING:
      return;  // notifications; a skinner's hook acts on them
    default:
      // A reflected notification that the control does not handle.
      if (m.msg >= kCnBase && m.msg < kCnBase + 0x400) {
        m.result = 0;
        return;
      }
      break;
  }
  DefaultHandler(m);
}

// Geometry --------------------------------------------------------------

void Control::SetBounds(int left, int top, int width, int height) {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, nullptr, left, top, std::max(0, width), std::max(0, height),
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (align_ != alNone && parent_) parent_->Realign();
}

static RECT WindowRectInParent(HWND h) {
  RECT r{};
  if (!h) return r;
  GetWindowRect(h, &r);
  HWND parent = (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr;
  if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int Control::Left() const { return WindowRectInParent(hwnd_).left; }
int Control::Top() const { return WindowRectInParent(hwnd_).top; }
int Control::Width() const {
  RECT r = WindowRectInParent(hwnd_);
  return r.right - r.left;
}
int Control::Height() const {
  RECT r = WindowRectInParent(hwnd_);
  return r.bottom - r.top;
}
int Control::ClientWidth() const {
  RECT r{};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r.right;
}
int Control::ClientHeight() const {
  RECT r{};
  if (hwnd_) GetClientRect(hwnd_, &r);
  return r.bottom;
}

void Control::SetAlign(Align a) {
  align_ = a;
  if (parent_) parent_->Realign();
}

void Control::Realign() {
  if (!hwnd_ || realigning_) return;
  bool any = std::any_of(children_.begin(), children_.end(),
                         [](Control* c) { return c->align_ != alNone; });
  if (!any) return;
  realigning_ = true;
  RECT r;
  GetClientRect(hwnd_, &r);
  auto place = [](Control* c, int x, int y, int w, int h) {
    SetWindowPos(c->hwnd_, nullptr, x, y, std::max(0, w), std::max(0, h),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  };
  // Top and bottom bars take the full width, then left and right columns,
  // then the client control fills what is left; ties go by creation order.
  for (Align pass : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (Control* c : children_) {
      if (c->align_ != pass || !c->visible_ || !c->hwnd_) continue;
      switch (pass) {
        case alTop: {
          int h = c->AlignHeight();
          place(c, r.left, r.top, r.right - r.left, h);
          r.top += h;
          break;
        }
        case alBottom: {
          int h = c->AlignHeight();
          place(c, r.left, r.bottom - h, r.right - r.left, h);
          r.bottom -= h;
          break;
        }
        case alLeft: {
          int w = c->AlignWidth();
          place(c, r.left, r.top, w, r.bottom - r.top);
          r.left += w;
          break;
        }
        case alRight: {
          int w = c->AlignWidth();
          place(c, r.right - w, r.top, w, r.bottom - r.top);
          r.right -= w;
          break;
        }
        default:
          place(c, r.left, r.top, r.right - r.left, r.bottom - r.top);
          break;
      }
    }
  }
  realigning_ = false;
}

void Control::Invalidate() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

// State -----------------------------------------------------------------

void Control::SetEnabled(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  if (hwnd_) EnableWindow(hwnd_, on);
  Perform(CM_ENABLEDCHANGED);
}

void Control::SetVisible(bool on) {
  if (visible_ == on) return;
  visible_ = on;
  if (hwnd_) ShowWindow(hwnd_, on ? SW_SHOWNA : SW_HIDE);
  if (parent_ && align_ != alNone) parent_->Realign();
  Perform(CM_VISIBLECHANGED, on);
}

bool Control::CanFocus() const {
  for (const Control* c = this; c; c = c->parent_) {
    if (!c->visible_ || !c->enabled_) return false;
  }
  return hwnd_ != nullptr;
}

void Control::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

bool Control::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

std::string Control::Text() const {
  if (!hwnd_) return {};
  int n = GetWindowTextLengthW(hwnd_);
  std::wstring w(n + 1, L'\0');
  n = GetWindowTextW(hwnd_, w.data(), n + 1);
  w.resize(n);
  return Narrow(w);
}

void Control::SetText(std::string_view text) {
  if (!hwnd_) return;
  SetWindowTextW(hwnd_, Wide(text).c_str());
  Perform(CM_TEXTCHANGED);
}

void Control::SetHint(std::string_view hint) {
  hint_ = std::string(hint);
  if (Form* f = ParentForm()) f->UpdateToolTip(this);
}

void Control::SetFont(const ui::Font& font) {
  font_ = font;
  if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(font_)), TRUE);
  Invalidate();
}

void Control::SetFontColor(COLORREF c) {
  font_.color = c;
  Invalidate();
}

void Control::SetColor(COLORREF c) {
  color_ = c;
  Invalidate();
}

void Control::SetTabOrder(int position) {
  if (!parent_ || !hwnd_) return;
  auto& sibs = parent_->children_;
  auto it = std::find(sibs.begin(), sibs.end(), this);
  if (it == sibs.end()) return;
  sibs.erase(it);
  position = std::clamp(position, 0, static_cast<int>(sibs.size()));
  sibs.insert(sibs.begin() + position, this);
  // Dialog navigation follows the window order: restack the siblings.
  HWND after = HWND_TOP;
  for (Control* c : sibs) {
    if (!c->hwnd_) continue;
    SetWindowPos(c->hwnd_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = c->hwnd_;
  }
}

void Control::ReparentChild(Control* child) { children_.push_back(child); }

bool Control::EraseWith(Message& m, COLORREF colour) {
  if (m.msg != WM_ERASEBKGND) return false;
  RECT r;
  GetClientRect(hwnd_, &r);
  FillRect(reinterpret_cast<HDC>(m.wParam), &r, SolidBrush(colour));
  m.result = 1;
  return true;
}

bool Control::ClickMessages(Message& m) {
  if (m.msg == WM_LBUTTONUP) {
    Click();
    return true;
  }
  if (m.msg == WM_LBUTTONDBLCLK) {
    if (OnDblClick) OnDblClick();
    return true;
  }
  return false;
}

// Keys and clicks ---------------------------------------------------------

void Control::DoKeyDown(WORD& key, ShiftState shift) {
  if (OnKeyDown) OnKeyDown(key, shift);
}

void Control::DoKeyUp(WORD& key, ShiftState shift) {
  if (OnKeyUp) OnKeyUp(key, shift);
}

void Control::Click() {
  if (OnClick) OnClick();
}

}  // namespace ui
