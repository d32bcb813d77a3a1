#include "skin/win/win_skin_control.h"

#include <unordered_map>

#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "skin/win/win_skin_form.h"
#include "skin/win/win_skin_guard.h"
#include "skin/win/win_subclass.h"
#include "ui/application.h"
#include "ui/control.h"

namespace skin {

namespace {

// The skinner of each skinned window, by hook or by subclassing alike: a
// window has one at the most, so that no skinner keeps another's hook or
// procedure to put back after that one is freed.
std::unordered_map<HWND, TSkinControl*>& Skinned() {
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
  FaultPoint("control paint");
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

TSkinControl* TSkinControl::SkinnerOf(HWND window) {
  auto it = Skinned().find(window);
  return it == Skinned().end() ? nullptr : it->second;
}

void TSkinControl::AttachControl(ui::Control& control, bool recolour) {
  if (!control.Handle() || SkinnerOf(control.Handle())) return;  // one skinner a control
  Skinned()[control.Handle()] = this;
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
  if (!IsWindow(window) || SkinnerOf(window)) return;  // one skinner a window
  hwnd_ = window;
  Refresh();
  // The common controls' subclassing comes out of the chain at detach,
  // whatever subclassed the window after it.
  if (!win32::AddSubclass(hwnd_, SubclassProc, this)) return;
  Skinned()[hwnd_] = this;
  subclassed_ = true;
}

void TSkinControl::Detach() {
  if (frame_.HotSkinner() == this) frame_.SetHotSkinner(nullptr);
  if (hookTaken_) {
    if (recoloured_ && !frame_.Destroying()) control_->SetColor(oldColour_);
    control_->WindowProc = std::move(oldHook_);
    hookTaken_ = false;
  }
  recoloured_ = false;
  if (subclassed_) {
    win32::RemoveSubclass(hwnd_, SubclassProc);
    subclassed_ = false;
  }
  if (SkinnerOf(hwnd_) == this) Skinned().erase(hwnd_);
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
  auto hook = oldHook_;  // a handler may detach meanwhile, or free the skinner
  const HWND h = hwnd_;
  // The skin's steps fail alone (no error box from inside a paint): the
  // control then handles the message itself, a paint draws it plain.
  bool passOn = true;
  if (!SkinGuarded([&] { passOn = BeforeMessage(m); })) passOn = true;
  if (!passOn) return;
  if (hook) hook(m);
  if (SkinnerOf(h) == this) SkinGuarded([&] { AfterMessage(m); });
}

LRESULT CALLBACK TSkinControl::SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
  auto* s = reinterpret_cast<TSkinControl*>(self);
  ui::Message m{msg, wParam, lParam, 0};
  bool passOn = true;
  if (!SkinGuarded([&] { passOn = s->BeforeMessage(m); })) passOn = true;
  if (!passOn) return m.result;
  m.result = DefSubclassProc(h, msg, wParam, lParam);
  // The skinner may have gone meanwhile (the window's last message detaches it).
  if (SkinnerOf(h) == s) SkinGuarded([&] { s->AfterMessage(m); });
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
  FaultPoint("control paint");
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
