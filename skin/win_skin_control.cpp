#include "skin/win_skin_control.h"

#include <unordered_map>

#include "skin/skin_data.h"
#include "skin/win_img_dc.h"
#include "skin/win_skin_form.h"
#include "ui/application.h"
#include "ui/control.h"

namespace skin {

namespace {

std::unordered_map<HWND, TSkinControl*>& Subclassed() {
  static std::unordered_map<HWND, TSkinControl*> map;
  return map;
}

}  // namespace

std::wstring WindowText(HWND h) {
  int n = GetWindowTextLengthW(h);
  std::wstring w(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(h, w.data(), n + 1);
  w.resize(static_cast<size_t>(n > 0 ? n : 0));
  return w;
}

bool TakePaintMessages(TSkinControl& skinner, ui::Message& m) {
  if (m.msg == WM_ERASEBKGND) {
    m.result = 1;
    return true;
  }
  if (m.msg != WM_PAINT) return false;
  RECT r{};
  GetClientRect(skinner.Handle(), &r);
  if (m.wParam) {
    skinner.Draw(reinterpret_cast<HDC>(m.wParam), r);
  } else {
    gdi::PaintDc dc(skinner.Handle());
    skinner.Draw(dc.get(), r);
  }
  m.result = 0;
  return true;
}

void TrackMouseLeave(HWND window) {
  TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, window, 0};
  TrackMouseEvent(&t);
}

TSkinControl::TSkinControl(TWinSkinForm& frame) : frame_(frame) {}

TSkinControl::~TSkinControl() { Detach(); }

const TSkinData& TSkinControl::Data() const { return frame_.Data(); }

COLORREF TSkinControl::Colour(uint32_t skinColour) const { return win32::ResolveColour(skinColour); }

void TSkinControl::AttachControl(ui::Control& control, bool recolour) {
  control_ = &control;
  hwnd_ = control.Handle();
  oldHook_ = control.WindowProc;
  control.WindowProc = [this](ui::Message& m) { Flow(m); };
  hookTaken_ = true;
  Refresh();
  if (recolour) {
    oldColour_ = control.Color();
    recoloured_ = true;
    control.SetColor(Colour(Data().Model().colours.buttonFace));
  }
  Repaint();
}

void TSkinControl::AttachWindow(HWND window) {
  hwnd_ = window;
  Refresh();
  Subclassed()[hwnd_] = this;
  oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

void TSkinControl::Detach() {
  if (frame_.HotSkinner() == this) frame_.SetHotSkinner(nullptr);
  if (hookTaken_) {
    if (recoloured_ && !frame_.Destroying()) control_->SetColor(oldColour_);
    control_->WindowProc = std::move(oldHook_);
    hookTaken_ = false;
  }
  recoloured_ = false;
  if (oldProc_) {
    if (IsWindow(hwnd_) && GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SubclassProc))
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    Subclassed().erase(hwnd_);
    oldProc_ = nullptr;
  }
  control_ = nullptr;
}

void TSkinControl::SkinChanged() {
  if (recoloured_ && control_) control_->SetColor(Colour(Data().Model().colours.buttonFace));
}

void TSkinControl::Refresh() {
  focused_ = GetFocus() == hwnd_;
  enabled_ = !(GetWindowLongW(hwnd_, GWL_STYLE) & WS_DISABLED);
  text_ = WindowText(hwnd_);
}

void TSkinControl::Flow(ui::Message& m) {
  if (m.msg == ui::CM_DESTROYING) {
    // The control goes: give it back while it is whole, then let it hear.
    auto hook = oldHook_;
    Detach();
    if (hook) hook(m);
    return;
  }
  auto hook = oldHook_;  // a handler may detach meanwhile
  if (!BeforeMessage(m)) return;
  if (hook) hook(m);
  if (Attached()) AfterMessage(m);
}

LRESULT CALLBACK TSkinControl::SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = Subclassed().find(h);
  if (it == Subclassed().end()) return DefWindowProcW(h, msg, wParam, lParam);
  TSkinControl* s = it->second;
  WNDPROC old = s->oldProc_;
  ui::Message m{msg, wParam, lParam, 0};
  bool passOn = true;
  ui::Guarded([&] { passOn = s->BeforeMessage(m); });
  if (!passOn) return m.result;
  m.result = CallWindowProcW(old, h, msg, wParam, lParam);
  // The window may have gone meanwhile (its last message detaches).
  auto again = Subclassed().find(h);
  if (again != Subclassed().end() && again->second == s) ui::Guarded([&] { s->AfterMessage(m); });
  return m.result;
}

bool TSkinControl::BeforeMessage(ui::Message&) { return true; }

void TSkinControl::AfterMessage(ui::Message& m) {
  switch (m.msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case ui::CM_ENABLEDCHANGED:
      Refresh();
      Repaint();
      break;
    case WM_SETTEXT:
      text_ = WindowText(hwnd_);
      Repaint();
      break;
    case WM_PAINT:
      Paint();
      break;
    case WM_NCDESTROY:
      Detach();
      break;
    default:
      break;
  }
}

void TSkinControl::Paint() {
  if (!IsWindow(hwnd_)) return;
  GetWindowRect(hwnd_, &rect_);
  gdi::WindowDc dc(hwnd_, gdi::WindowDc::kWholeWindow);
  if (!dc) return;
  Draw(dc.get(), {0, 0, rect_.right - rect_.left, rect_.bottom - rect_.top});
}

void TSkinControl::Draw(HDC, RECT) {}

void TSkinControl::Repaint() {
  if (!IsWindow(hwnd_)) return;
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_UPDATENOW);
}

void TSkinControl::Leave() {
  if (IsWindow(hwnd_)) SendMessageW(hwnd_, ui::CM_MOUSELEAVE, 0, 0);
}

void TSkinControl::BecomeHot() {
  TSkinControl* hot = frame_.HotSkinner();
  if (hot && hot != this) hot->Leave();
  frame_.SetHotSkinner(this);
}

void TSkinControl::StopBeingHot() {
  if (frame_.HotSkinner() == this) frame_.SetHotSkinner(nullptr);
}

}  // namespace skin
