// TWinSkinPopMenu: the handler of one popup-menu window ("#32768") while
// skinning is on. It subclasses the window for as long as the menu is open
// and gives the procedure back when the window goes.
#pragma once

#include <windows.h>

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

 private:
  static LRESULT CALLBACK SubclassProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_;
  TSkinData& data_;
  WNDPROC oldProc_ = nullptr;
};

}  // namespace skin
