#include "ui/form.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/application.h"
#include "ui/bars.h"
#include "ui/commands.h"
#include "ui/menus.h"
#include "ui/mnemonic.h"
#include "ui/std_controls.h"
#include "ui/wide.h"

namespace ui {

Form::Form(std::string_view className, BorderStyle border)
    : Control(nullptr, nullptr), border_(border) {
  DeclareClass("TScrollingWinControl");
  DeclareClass("TCustomForm");
  DeclareClass("TForm");
  if (className != "TForm") DeclareClass(className);
  visible_ = false;
  windowClass_ = Wide(className);
  RegisterOwnClass(windowClass_.c_str());
  App().AddForm(this);
  Form* main = App().MainForm();
  HWND owner = main && main != this ? main->Handle() : nullptr;
  DWORD ex = 0;
  DWORD style = StyleFor(border_, &ex) | WS_CLIPCHILDREN;
  CreateWindowExW(ex | WS_EX_CONTROLPARENT, windowClass_.c_str(), L"", style, CW_USEDEFAULT,
                  CW_USEDEFAULT, 400, 300, owner, nullptr, GetModuleHandleW(nullptr), this);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(font_)), FALSE);
}

Form::~Form() {
  AnnounceDestroying();
  for (Component* c : components_) c->owner_ = nullptr;
  App().RemoveForm(this);
  if (tooltip_) DestroyWindow(tooltip_);
}

DWORD Form::StyleFor(BorderStyle b, DWORD* exStyle) const {
  switch (b) {
    case bsDialog:
      *exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      return WS_POPUP | WS_CAPTION | WS_SYSMENU;
    case bsSingle:
      *exStyle = WS_EX_WINDOWEDGE;
      return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    case bsSizeToolWin:
      *exStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
      return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    case bsSizeable:
    default:
      *exStyle = WS_EX_WINDOWEDGE;
      return WS_OVERLAPPEDWINDOW;
  }
}

void Form::SetBorderStyle(BorderStyle b) {
  int cw = ClientWidth(), ch = ClientHeight();
  border_ = b;
  DWORD ex = 0;
  DWORD style = StyleFor(b, &ex) | WS_CLIPCHILDREN | (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE);
  SetWindowLongW(hwnd_, GWL_STYLE, style);
  SetWindowLongW(hwnd_, GWL_EXSTYLE, ex | WS_EX_CONTROLPARENT);
  SetClientSize(cw, ch);
}

void Form::SetClientSize(int width, int height) {
  // The frame's share is what the window has around its client area now:
  // a frame drawn by the program (a skin) is not what AdjustWindowRectEx
  // computes for the style. A minimized window has no client area to go by.
  RECT w{}, c{};
  if (hwnd_ && !IsIconic(hwnd_) && GetWindowRect(hwnd_, &w) && GetClientRect(hwnd_, &c)) {
    SetSize(width + (w.right - w.left) - c.right, height + (w.bottom - w.top) - c.bottom);
    return;
  }
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, GetWindowLongW(hwnd_, GWL_STYLE), GetMenu(hwnd_) != nullptr,
                     GetWindowLongW(hwnd_, GWL_EXSTYLE));
  SetSize(r.right - r.left, r.bottom - r.top);
}

void Form::SetSize(int width, int height) {
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::SetMenu(MainMenu* menu) {
  menu_ = menu;
  int cw = ClientWidth(), ch = ClientHeight();
  ::SetMenu(hwnd_, menu ? menu->Handle() : nullptr);
  SetClientSize(cw, ch);
}

void Form::ApplyPosition() {
  RECT w;
  GetWindowRect(hwnd_, &w);
  int width = w.right - w.left, height = w.bottom - w.top;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  switch (position) {
    case poDesigned:
      return;
    case poDesktopCenter:
      SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
      break;
    case poOwnerFormCenter:
    case poMainFormCenter: {
      HWND owner = GetWindow(hwnd_, GW_OWNER);
      if (position == poMainFormCenter && App().MainForm()) owner = App().MainForm()->Handle();
      if (owner && owner != hwnd_ && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &area);
      break;
    }
    default:
      break;
  }
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  SetWindowPos(hwnd_, nullptr, std::max(0, x), std::max(0, y), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetVisible(bool on) {
  if (on) {
    if (OnShow) OnShow();
    ApplyPosition();
    visible_ = true;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    Realign();
  } else {
    if (!visible_) return;
    visible_ = false;
    ShowWindow(hwnd_, SW_HIDE);
    if (OnHide) OnHide();
  }
}

// Modal loop and closing -------------------------------------------------------

namespace {

struct DisabledWindows {
  HWND except;
  std::vector<HWND> list;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM p) {
  auto* d = reinterpret_cast<DisabledWindows*>(p);
  if (hwnd != d->except && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    d->list.push_back(hwnd);
  }
  return TRUE;
}

}  // namespace

int Form::ShowModal() {
  if (modal_) return mrCancel;
  modal_ = true;
  ModalResult = mrNone;
  closeRequested_ = false;
  HWND previous = GetActiveWindow();
  if (visible_) SetVisible(false);
  DisabledWindows others{hwnd_, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&others));
  auto giveBack = [&] {
    for (HWND h : others.list)
      if (IsWindow(h)) EnableWindow(h, TRUE);
    SetVisible(false);
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    modal_ = false;
  };
  try {
    SetVisible(true);
  } catch (...) {
    // The form could not start (its first query failed, say): the error is
    // shown here, once, and the other windows get their input back, so the
    // program goes on as if the form had been cancelled.
    giveBack();
    App().HandleCurrentException();
    return mrCancel;
  }
  try {
    RunModalLoop();
  } catch (...) {
    giveBack();  // a failing close handler must not leave the program disabled
    throw;
  }
  int result = ModalResult;
  giveBack();
  return result;
}

void Form::RunModalLoop() {
  for (;;) {
    if (!App().HandleMessage()) {
      ModalResult = mrCancel;
      break;
    }
    if (ModalResult == mrNone) continue;
    // The close request is carried out now that no handler of the form runs.
    if (!CloseQuery()) {
      ModalResult = mrNone;
      continue;
    }
    CloseAction action = caHide;
    if (OnClose) OnClose(action);
    if (action == caNone) {
      ModalResult = mrNone;
      continue;
    }
    break;
  }
}

void Form::Close() {
  if (modal_) {
    ModalResult = mrCancel;
    return;
  }
  closeRequested_ = true;
  if (!Busy()) DoClose();
  else PostMessageW(App().Handle(), WM_NULL, 0, 0);
}

bool Form::CloseQuery() {
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(can);
  return can;
}

void Form::DoClose() {
  closeRequested_ = false;
  if (!CloseQuery()) return;
  CloseAction action = caHide;
  if (OnClose) OnClose(action);
  if (action == caNone) return;
  if (action == caMinimize) {
    ShowWindow(hwnd_, SW_MINIMIZE);
    return;
  }
  SetVisible(false);
  if (App().MainForm() == this) App().Terminate();
}

// Keyboard -------------------------------------------------------------------

bool Form::DialogKey(WORD key, ShiftState shift) {
  return Perform(CM_DIALOGKEY, key, (shift.shift ? 1 : 0) | (shift.ctrl ? 2 : 0) | (shift.alt ? 4 : 0)) != 0;
}

bool Form::DialogChar(wchar_t ch, bool alt) { return Perform(CM_DIALOGCHAR, ch, alt) != 0; }

static bool HandleDialogKey(Form& form, WORD key, LPARAM shiftBits) {
  bool shift = shiftBits & 1, ctrl = shiftBits & 2, alt = shiftBits & 4;
  const auto& comps = form.Components();
  if (key == VK_TAB) {
    if (ctrl || alt) return false;
    HWND next = GetNextDlgTabItem(form.Handle(), GetFocus(), shift);
    if (next) ::SetFocus(next);
    return true;
  }
  if (ctrl || alt) return false;
  if (key == VK_RETURN) {
    Control* focused = Control::FromHandleOrParent(GetFocus());
    Button* target = nullptr;
    if (focused && focused->InheritsFrom("TButton")) target = static_cast<Button*>(focused);
    for (size_t i = 0; !target && i < comps.size(); ++i) {
      if (comps[i]->InheritsFrom("TButton") && static_cast<Button*>(comps[i])->Default())
        target = static_cast<Button*>(comps[i]);
    }
    if (target && target->CanFocus()) {
      target->Click();
      return true;
    }
    return false;
  }
  if (key == VK_ESCAPE) {
    for (Component* c : comps) {
      if (!c->InheritsFrom("TButton")) continue;
      auto* b = static_cast<Button*>(c);
      if (b->Cancel && b->CanFocus()) {
        b->Click();
        return true;
      }
    }
  }
  return false;
}

static bool HandleDialogChar(Form& form, wchar_t ch, bool alt) {
  for (Component* c : form.Components()) {
    if (alt && c->InheritsFrom("TToolBar") && static_cast<ToolBar*>(c)->MenuBandChar(ch)) return true;
  }
  for (Component* c : form.Components()) {
    if (!c->InheritsFrom("TButtonControl")) continue;
    auto* ctl = static_cast<Control*>(c);
    if (!ctl->CanFocus() || !MatchesMnemonic(ctl->Caption(), ch)) continue;
    ctl->SetFocus();
    if (c->InheritsFrom("TCustomCheckBox")) {
      auto* box = static_cast<CheckBox*>(c);
      box->SetChecked(!box->Checked());
    }
    ctl->Click();
    return true;
  }
  for (Component* c : form.Components()) {
    if (!c->InheritsFrom("TCustomLabel")) continue;
    auto* label = static_cast<Label*>(c);
    if (label->FocusControl && label->FocusControl->CanFocus() && MatchesMnemonic(label->Caption(), ch)) {
      label->FocusControl->SetFocus();
      return true;
    }
  }
  return false;
}

// Tooltips -------------------------------------------------------------------

HWND Form::ToolTip() {
  if (!tooltip_) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    SendMessageW(tooltip_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(font_)), FALSE);
  }
  return tooltip_;
}

void Form::UpdateToolTip(Control* c) {
  if (!c->Handle() || c == this || c->InheritsFrom("TToolBar")) return;
  TOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V2_SIZE;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = hwnd_;
  ti.uId = reinterpret_cast<UINT_PTR>(c->Handle());
  SendMessageW(ToolTip(), TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
  if (c->Hint().empty()) return;
  std::wstring text = Wide(c->Hint());
  ti.lpszText = text.data();
  SendMessageW(ToolTip(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

// Messages -------------------------------------------------------------------

void Form::WndProc(Message& m) {
  if (EraseWith(m, color_)) return;
  switch (m.msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_QUERYENDSESSION:
      m.result = CloseQuery() ? TRUE : FALSE;
      return;
    case WM_ACTIVATE:
      if (LOWORD(m.wParam) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (f && IsChild(hwnd_, f)) savedFocus_ = f;
      } else {
        if (savedFocus_ && IsWindow(savedFocus_) && IsChild(hwnd_, savedFocus_) &&
            IsWindowVisible(savedFocus_) && IsWindowEnabled(savedFocus_)) {
          ::SetFocus(savedFocus_);
        } else {
          HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
          ::SetFocus(first ? first : hwnd_);
        }
        if (OnActivate) OnActivate();
      }
      return;
    case WM_MENUSELECT: {
      UINT flags = HIWORD(m.wParam);
      HMENU menu = reinterpret_cast<HMENU>(m.lParam);
      if (flags == 0xFFFF && !menu) {
        App().SetHint("");
        return;
      }
      MenuItem* item = MenuItem::FromMenuPosition(menu, LOWORD(m.wParam), (flags & MF_POPUP) != 0);
      App().SetHint(item ? item->Hint : "");
      return;
    }
    case CM_DIALOGKEY:
      m.result = HandleDialogKey(*this, static_cast<WORD>(m.wParam), m.lParam);
      return;
    case CM_DIALOGCHAR:
      m.result = HandleDialogChar(*this, static_cast<wchar_t>(m.wParam), m.lParam != 0);
      return;
    case CM_MENUCHANGED:
      if (menu_) DrawMenuBar(hwnd_);
      return;
    default:
      break;
  }
  Control::WndProc(m);
}

}  // namespace ui
