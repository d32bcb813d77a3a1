// TWinSkinPopMenu: the handler of one popup-menu window ("#32768") while
// skinning is on. With the skin's MenuBackground image it subclasses the
// window for as long as the menu is open, paints the border from that image
// (in the non-client area, and after the window's own painting where the
// system draws the border inside the window) and keeps the painted
// background for the owner-drawn items; it gives the procedure back when
// the window goes.
#pragma once

#include <windows.h>

#include "platform/win_gdi.h"

namespace skin {

class TSkinData;

class TWinSkinPopMenu {
 public:
  TWinSkinPopMenu(HWND window, TSkinData& data);
  ~TWinSkinPopMenu();
  TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
  TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

  HWND Handle() const { return hwnd_; }
  TSkinData& Data() const { return data_; }
  void Restore();

  // The handler of a popup window, or null.
  static TWinSkinPopMenu* Find(HWND window);
  // The handler showing `menu`; when none knows it yet, the newest handler
  // that has not learnt its menu learns it now (its first item is drawn).
  static TWinSkinPopMenu* ForMenu(HMENU menu);
  HMENU Menu() const { return menu_; }
  bool Subclassed() const { return subclassed_; }
  bool HasBackground() const { return static_cast<bool>(background_); }
  // Copies the painted background under `item` (the popup window's client
  // coordinates) to `to` of `dst`; false when there is none.
  bool CopyBackground(HDC dc, RECT dst, RECT item) const;

 private:
  static LRESULT CALLBACK SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT CallOld(UINT msg, WPARAM wParam, LPARAM lParam);
  // Renders the MenuBackground nine-slice in the window's size.
  bool Render();
  void PaintBorder(HDC windowDc);
  POINT ClientOrigin() const;

  HWND hwnd_;
  TSkinData& data_;
  bool subclassed_ = false;
  HMENU menu_ = nullptr;
  gdi::Bitmap background_;
  SIZE size_{};
};

}  // namespace skin
