// Menus: MainMenu (a native menu bar, or shown as buttons by a toolbar
// menu band), PopupMenu and MenuItem. Items are built from data tables
// (MenuEntry) and keep their native menu up to date when changed.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_gdi.h"
#include "ui/component.h"

namespace ui {

class Menu;

// What the system says of an owner-drawn item as it draws it.
struct MenuItemState {
  bool selected = false;
  bool disabled = false;
  bool checked = false;
  bool isDefault = false;
};

// The menu font of the system (owner-drawn items measure and draw with it).
gdi::Font CreateMenuFont();

class MenuItem {
 public:
  explicit MenuItem(std::string_view caption = "", std::function<void()> onClick = {});
  ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  std::string Name;
  int Tag = 0;
  std::string Hint;
  // Checked toggles (a radio item becomes checked) before OnClick runs.
  bool AutoCheck = false;
  std::function<void()> OnClick;
  // Owner-drawn menus ask these (a skinner sets them); unset: plain drawing.
  // The measuring DC has the menu font selected.
  std::function<void(MenuItem& item, HDC dc, int& width, int& height)> OnMeasureItem;
  std::function<void(MenuItem& item, HDC dc, const RECT& rect, const MenuItemState& state)> OnDrawItem;
  // The item's picture in its menu's image list; -1: none.
  int ImageIndex = -1;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  bool IsLine() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the others of its group.
  void SetChecked(bool on);
  bool RadioItem() const { return radio_; }
  void SetRadioItem(bool on, int groupIndex = 0);
  int GroupIndex() const { return group_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  // The key shown right-aligned after the caption ("Ctrl+O").
  const std::string& ShortCutText() const { return shortCut_; }
  void SetShortCutText(std::string_view text);
  // The default item of its menu is shown bold.
  bool Default() const { return default_; }
  void SetDefault(bool on);

  MenuItem* Add(std::unique_ptr<MenuItem> item);
  MenuItem* Add(std::string_view caption, std::function<void()> onClick = {});
  MenuItem* AddSeparator() { return Add("-"); }
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  MenuItem* Item(int index) const { return items_[index].get(); }
  MenuItem* Parent() const { return parent_; }
  Menu* RootMenu() const;

  unsigned Command() const { return command_; }
  // The submenu of the item (created with the first child).
  HMENU Handle() const { return menu_; }
  // Runs the item as a click would.
  void Click();

  // The item of a native menu at a position (or with a command id).
  static MenuItem* FromMenuPosition(HMENU menu, UINT idOrPos, bool byPosition);
  void MeasureItem(MEASUREITEMSTRUCT& m);
  void DrawItem(const DRAWITEMSTRUCT& d);

 private:
  friend class Menu;
  void Fill(MENUITEMINFOW& info, std::wstring& text) const;
  void RebuildChildren();
  void UpdateInParent();
  void Changed();

  std::string caption_;
  bool checked_ = false;
  bool radio_ = false;
  int group_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool default_ = false;
  std::string shortCut_;
  unsigned command_ = 0;
  HMENU menu_ = nullptr;
  MenuItem* parent_ = nullptr;
  Menu* root_ = nullptr;  // set on a menu's root item
  std::vector<std::unique_ptr<MenuItem>> items_;
};

// One row of a menu table; children make a submenu.
struct MenuEntry {
  std::string caption;  // "-" for a separator
  MenuItem** item = nullptr;  // receives the created item
  std::function<void()> onClick = {};
  std::vector<MenuEntry> children = {};
  bool checked = false;
  bool radio = false;
  int group = 0;
  bool autoCheck = false;
  std::string hint = {};
  std::string name = {};
};

// How owner-drawn items place their captions.
enum class MenuAlignment { Left, Right, Center };

class Menu : public Component {
 public:
  Menu(Form* owner, bool popup);
  // The pictures of the items (ImageIndex); not owned.
  HIMAGELIST Images = nullptr;
  MenuAlignment Alignment = MenuAlignment::Left;
  // Right-to-left reading: alignments and the arrow keys are mirrored.
  bool RightToLeft = false;
  // The top-level items.
  MenuItem Items;
  HMENU Handle() const { return Items.Handle(); }
  void AddEntries(const std::vector<MenuEntry>& entries) { AddEntries(Items, entries); }
  static void AddEntries(MenuItem& parent, const std::vector<MenuEntry>& entries);
  // Owner-drawn items (a skinner switches this on and off).
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool on);
  // Called after any change of the menu's items.
  std::function<void()> OnChange;
  void Changed();

 private:
  bool ownerDraw_ = false;
};

class MainMenu : public Menu {
 public:
  explicit MainMenu(Form* owner);
};

class PopupMenu : public Menu {
 public:
  explicit PopupMenu(Form* owner);
  // Shows the menu at screen coordinates; commands go to the owner form
  // (or to the window given).
  void Popup(int x, int y, HWND window = nullptr, const RECT* exclude = nullptr);
  std::function<void()> OnPopup;
};

}  // namespace ui
