#include "skin/win_skin_popup.h"

#include <unordered_map>

#include "ui/application.h"

namespace skin {

namespace {

std::unordered_map<HWND, TWinSkinPopMenu*>& Handlers() {
  static std::unordered_map<HWND, TWinSkinPopMenu*> map;
  return map;
}

}  // namespace

TWinSkinPopMenu::TWinSkinPopMenu(HWND window, TSkinData& data) : hwnd_(window), data_(data) {
  Handlers()[hwnd_] = this;
  oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

TWinSkinPopMenu::~TWinSkinPopMenu() { Restore(); }

void TWinSkinPopMenu::Restore() {
  if (!oldProc_) return;
  if (IsWindow(hwnd_) && GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(SubclassProc))
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
  Handlers().erase(hwnd_);
  oldProc_ = nullptr;
}

LRESULT CALLBACK TWinSkinPopMenu::SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = Handlers().find(h);
  if (it == Handlers().end() || !it->second->oldProc_) return DefWindowProcW(h, msg, wParam, lParam);
  WNDPROC old = it->second->oldProc_;
  if (msg == WM_NCDESTROY) it->second->Restore();
  return CallWindowProcW(old, h, msg, wParam, lParam);
}

}  // namespace skin
