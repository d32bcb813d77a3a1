// The skinned menu bar of a framed window: TWinSkinMenu reads the window's
// menu, takes it away from the window and draws its own bar in the frame,
// one TMenuBtn per top-level item, and opens the items' submenus itself.
// Also here: the skin's measuring and drawing of owner-drawn popup items.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win_gdi.h"
#include "skin/win/win_skin_form.h"

namespace ui {
class MainMenu;
class MenuItem;
struct MenuItemState;
}  // namespace ui

namespace skin {

class TSkinData;
class TWinSkinMenu;

// One button of the bar: a top-level item of the window's menu.
class TMenuBtn final : public TNCObject {
 public:
  TMenuBtn(TWinSkinForm& frame, TWinSkinMenu& bar, int index) : TNCObject(frame), index(index), bar_(bar) {}
  // A press also opens the item.
  void Press() override;
  void Draw() override;

  int index;
  std::string caption;  // UTF-8, with its "&" accelerator mark
  bool enabled = true;
  UINT command = 0;
  HMENU submenu = nullptr;  // none for an item without items
  ui::MenuItem* item = nullptr;  // the form's item, when the menu is a form's

 private:
  TWinSkinMenu& bar_;
};

class TWinSkinMenu {
 public:
  TWinSkinMenu(TWinSkinForm& frame, HMENU menu, ui::MainMenu* formMenu, TSkinData& data);
  ~TWinSkinMenu();
  TWinSkinMenu(const TWinSkinMenu&) = delete;
  TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

  // Reads the top-level items again (at attach and when the menu changed).
  void Build();
  // Takes the menu away from the window: the frame draws the bar instead.
  void TakeMenuAway();
  // Gives the window its menu back and the items their own drawing.
  void GiveBack(bool windowAlive);

  // Paints the whole bar into `bar` (window coordinates) of the window DC.
  void Paint(HDC dc, RECT bar);
  // Redraws one button from the kept bar (hover, press, leave).
  void DrawButton(const TMenuBtn& button);
  // Opens item `index`: posts its command and shows its submenu below it,
  // then whichever item the arrow keys or the mouse move to.
  void Open(int index);
  // Opens the enabled item whose caption carries the accelerator.
  bool OpenByAccelerator(wchar_t ch);
  bool HasAccelerator(wchar_t ch) const;
  // The window's WM_MENUSELECT while one of the bar's menus is open.
  void MenuSelect(WPARAM wParam, LPARAM lParam);

  TMenuBtn* ButtonAt(POINT windowPoint) const;
  const std::vector<std::unique_ptr<TMenuBtn>>& Buttons() const { return buttons_; }
  HMENU Handle() const { return menu_; }
  // The item whose submenu is open, or -1.
  int CurrentIndex() const { return current_; }

 private:
  static LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam);
  bool Filter(const MSG& msg);
  void OpenNext(int index);
  RECT BarRect() const;
  void LayOut(HDC dc);
  void DrawCaption(HDC dc, const TMenuBtn& button, int dx, int dy);
  void OwnerDrawItems(ui::MenuItem& item);

  TWinSkinForm& frame_;
  HMENU menu_;
  ui::MainMenu* formMenu_;
  TSkinData& data_;
  std::vector<std::unique_ptr<TMenuBtn>> buttons_;
  gdi::Font font_;
  RECT bar_{};            // window coordinates, as last painted
  gdi::Bitmap kept_;      // the painted bar's background
  SIZE keptSize_{};
  int current_ = -1;
  int next_ = -1;
  HMENU currentMenu_ = nullptr;
  bool currentHasItems_ = false;
  bool keyboard_ = false;
  POINT lastMove_{-1, -1};
  bool rebuildWanted_ = false;
  std::vector<std::pair<HMENU, UINT>> ownerDrawn_;  // items made owner-drawn, by menu and command
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The skin's owner-drawing of popup items: measuring and drawing, and
// setting both on an item.
void MeasureSkinMenuItem(ui::MenuItem& item, HDC dc, int& width, int& height);
void DrawSkinMenuItem(const TSkinData& data, ui::MenuItem& item, HDC dc, const RECT& rect,
                      const ui::MenuItemState& state);
void SkinMenuItem(ui::MenuItem& item, const TSkinData& data);
void UnskinMenuItem(ui::MenuItem& item);

}  // namespace skin
