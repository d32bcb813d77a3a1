#include "ui/menus.h"

#include <algorithm>

#include "ui/commands.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/wide.h"

namespace ui {

MenuItem::MenuItem(std::string_view caption, std::function<void()> onClick)
    : OnClick(std::move(onClick)), caption_(caption) {
  command_ = AllocateCommand([this] { Click(); });
}

MenuItem::~MenuItem() {
  ReleaseCommand(command_);
  if (parent_ && parent_->menu_) RemoveMenu(parent_->menu_, command_, MF_BYCOMMAND);
  items_.clear();
  if (menu_) DestroyMenu(menu_);
}

Menu* MenuItem::RootMenu() const {
  const MenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->root_;
}

void MenuItem::Fill(MENUITEMINFOW& info, std::wstring& text) const {
  info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU | MIIM_FTYPE;
  info.wID = command_;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  info.hSubMenu = menu_;
  info.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED) | (default_ ? MFS_DEFAULT : 0);
  Menu* root = RootMenu();
  bool ownerDraw = root && root->OwnerDraw();
  if (IsLine()) {
    info.fType = MFT_SEPARATOR;
  } else {
    info.fType = radio_ ? MFT_RADIOCHECK : 0;
    info.fMask |= MIIM_STRING;
    text = Wide(caption_);
    if (!shortCut_.empty()) text += L"\t" + Wide(shortCut_);
    info.dwTypeData = text.data();
  }
  if (ownerDraw) info.fType |= MFT_OWNERDRAW;
}

void MenuItem::RebuildChildren() {
  if (!menu_) return;
  while (GetMenuItemCount(menu_) > 0) RemoveMenu(menu_, 0, MF_BYPOSITION);
  UINT pos = 0;
  for (auto& child : items_) {
    if (!child->visible_) continue;
    MENUITEMINFOW info;
    std::wstring text;
    child->Fill(info, text);
    InsertMenuItemW(menu_, pos++, TRUE, &info);
  }
}

void MenuItem::UpdateInParent() {
  if (parent_ && parent_->menu_ && visible_) {
    MENUITEMINFOW info;
    std::wstring text;
    Fill(info, text);
    SetMenuItemInfoW(parent_->menu_, command_, FALSE, &info);
  }
  Changed();
}

void MenuItem::Changed() {
  if (Menu* m = RootMenu()) m->Changed();
}

void MenuItem::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
  UpdateInParent();
}

void MenuItem::SetChecked(bool on) {
  checked_ = on;
  if (on && radio_ && parent_) {
    for (auto& s : parent_->items_) {
      if (s.get() != this && s->radio_ && s->group_ == group_ && s->checked_) {
        s->checked_ = false;
        s->UpdateInParent();
      }
    }
  }
  UpdateInParent();
}

void MenuItem::SetRadioItem(bool on, int groupIndex) {
  radio_ = on;
  group_ = groupIndex;
  UpdateInParent();
}

void MenuItem::SetEnabled(bool on) {
  enabled_ = on;
  UpdateInParent();
}

void MenuItem::SetShortCutText(std::string_view text) {
  shortCut_ = std::string(text);
  UpdateInParent();
}

void MenuItem::SetDefault(bool on) {
  default_ = on;
  UpdateInParent();
}

void MenuItem::SetVisible(bool on) {
  visible_ = on;
  if (parent_) parent_->RebuildChildren();
  Changed();
}

MenuItem* MenuItem::Add(std::unique_ptr<MenuItem> item) {
  item->parent_ = this;
  MenuItem* raw = item.get();
  items_.push_back(std::move(item));
  if (!menu_) {
    menu_ = CreatePopupMenu();
    UpdateInParent();  // the item now carries a submenu
  }
  RebuildChildren();
  Changed();
  return raw;
}

MenuItem* MenuItem::Add(std::string_view caption, std::function<void()> onClick) {
  return Add(std::make_unique<MenuItem>(caption, std::move(onClick)));
}

void MenuItem::Clear() {
  items_.clear();
  RebuildChildren();
  Changed();
}

void MenuItem::Click() {
  if (!enabled_) return;
  if (AutoCheck) SetChecked(radio_ ? true : !checked_);
  if (OnClick) OnClick();
}

MenuItem* MenuItem::FromMenuPosition(HMENU menu, UINT idOrPos, bool byPosition) {
  if (!menu) return nullptr;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  if (!GetMenuItemInfoW(menu, idOrPos, byPosition, &info)) return nullptr;
  return reinterpret_cast<MenuItem*>(info.dwItemData);
}

gdi::Font CreateMenuFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return gdi::Font(CreateFontIndirectW(&metrics.lfMenuFont));
}

void MenuItem::MeasureItem(MEASUREITEMSTRUCT& m) {
  gdi::WindowDc dc;
  gdi::Font menuFont = CreateMenuFont();
  gdi::SelectGuard selectMenuFont(dc.get(), menuFont.get());
  int w = 0, h = 0;
  if (OnMeasureItem) {
    OnMeasureItem(*this, dc.get(), w, h);
  } else if (IsLine()) {
    h = 8;
  } else {
    gdi::SelectGuard selectFont(dc.get(), FontHandle(Font{}));
    std::wstring t = Wide(caption_);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.get(), t.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    w = r.right + 40;
    h = std::max<int>(r.bottom + 6, 20);
  }
  m.itemWidth = w;
  m.itemHeight = h;
}

void MenuItem::DrawItem(const DRAWITEMSTRUCT& d) {
  bool selected = d.itemState & ODS_SELECTED;
  if (OnDrawItem) {
    MenuItemState state;
    state.selected = selected;
    state.disabled = (d.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0 || !enabled_;
    state.checked = (d.itemState & ODS_CHECKED) != 0 || checked_;
    state.isDefault = (d.itemState & ODS_DEFAULT) != 0 || default_;
    OnDrawItem(*this, d.hDC, d.rcItem, state);
    return;
  }
  RECT r = d.rcItem;
  FillRect(d.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    r.top += (r.bottom - r.top) / 2;
    DrawEdge(d.hDC, &r, EDGE_ETCHED, BF_TOP);
    return;
  }
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, GetSysColor(!enabled_ ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  gdi::SelectGuard selectFont(d.hDC, FontHandle(Font{}));
  std::wstring t = Wide(caption_);
  RECT tr = r;
  tr.left += 20;
  DrawTextW(d.hDC, t.c_str(), -1, &tr, DT_SINGLELINE | DT_VCENTER);
  if (checked_) {
    RECT cr{r.left + 4, r.top, r.left + 18, r.bottom};
    DrawTextW(d.hDC, radio_ ? L"\x25CF" : L"\x221A", -1, &cr, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
  }
}

// Menus ----------------------------------------------------------------------

Menu::Menu(Form* owner, bool popup) : Component(owner) {
  DeclareClass("TMenu");
  Items.root_ = this;
  Items.menu_ = popup ? CreatePopupMenu() : CreateMenu();
}

void Menu::AddEntries(MenuItem& parent, const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& e : entries) {
    MenuItem* item = parent.Add(e.caption, e.onClick);
    item->Name = e.name;
    item->Hint = e.hint;
    item->AutoCheck = e.autoCheck;
    if (e.radio) item->SetRadioItem(true, e.group);
    if (e.checked) item->SetChecked(true);
    if (!e.children.empty()) AddEntries(*item, e.children);
    if (e.item) *e.item = item;
  }
}

void Menu::SetOwnerDraw(bool on) {
  if (ownerDraw_ == on) return;
  ownerDraw_ = on;
  // Rebuilding every submenu, the top level included, re-applies the item types.
  std::function<void(MenuItem&)> refresh = [&refresh](MenuItem& item) {
    item.RebuildChildren();
    for (auto& child : item.items_) refresh(*child);
  };
  refresh(Items);
  Changed();
}

void Menu::Changed() {
  if (OnChange) OnChange();
  if (Form* f = Owner()) {
    if (f->Handle()) f->Perform(CM_MENUCHANGED);
  }
}

MainMenu::MainMenu(Form* owner) : Menu(owner, false) { DeclareClass("TMainMenu"); }

PopupMenu::PopupMenu(Form* owner) : Menu(owner, true) { DeclareClass("TPopupMenu"); }

void PopupMenu::Popup(int x, int y, HWND window, const RECT* exclude) {
  if (OnPopup) OnPopup();
  HWND target = window ? window : (Owner() ? Owner()->Handle() : nullptr);
  TPMPARAMS params{sizeof params, {}};
  if (target) SetForegroundWindow(GetAncestor(target, GA_ROOT));  // a menu needs its owner active
  if (exclude) params.rcExclude = *exclude;
  TrackPopupMenuEx(Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_VERTICAL, x, y,
                   target, exclude ? &params : nullptr);
}

}  // namespace ui
