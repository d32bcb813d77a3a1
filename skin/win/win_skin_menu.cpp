#include "skin/win/win_skin_menu.h"

#include <algorithm>

#include "skin/layout/menu_layout.h"
#include "skin/model/skin_data.h"
#include "skin/win/win_img_dc.h"
#include "ui/application.h"
#include "ui/menus.h"
#include "ui/mnemonic.h"
#include "ui/wide.h"

namespace skin {

namespace {

// The bar whose submenu is open (the message filter's target).
TWinSkinMenu* g_open = nullptr;

COLORREF DisabledColour(const SkinColours& c) {
  return c.buttonShadow == kColourNotSet ? GetSysColor(COLOR_BTNSHADOW) : win32::ResolveColour(c.buttonShadow);
}

}  // namespace

void TMenuBtn::Press() {
  TNCObject::Press();
  bar_.Open(index);
}

void TMenuBtn::Draw() { bar_.DrawButton(*this); }

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& frame, HMENU menu, ui::MainMenu* formMenu, TSkinData& data)
    : frame_(frame), menu_(menu), formMenu_(formMenu), data_(data), font_(ui::CreateMenuFont()) {}

TWinSkinMenu::~TWinSkinMenu() {
  *alive_ = false;
  if (g_open == this) g_open = nullptr;
}

// Building and giving back ---------------------------------------------------

void TWinSkinMenu::Build() {
  if (current_ >= 0) {  // a submenu is open: its button must stay
    rebuildWanted_ = true;
    return;
  }
  for (auto& b : buttons_)
    if (frame_.Hot() == b.get()) frame_.SetHot(nullptr);
  buttons_.clear();
  const int count = GetMenuItemCount(menu_);
  for (int i = 0; i < count; ++i) {
    wchar_t text[81] = {};  // captions of up to 80 characters
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 81;
    if (!GetMenuItemInfoW(menu_, static_cast<UINT>(i), TRUE, &info)) continue;
    auto b = std::make_unique<TMenuBtn>(frame_, *this, static_cast<int>(buttons_.size()));
    b->caption = ui::Narrow(text);
    b->enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
    b->command = info.wID;
    b->submenu = info.hSubMenu;
    if (formMenu_) {
      if (ui::MenuItem* item = ui::MenuItem::FromMenuPosition(menu_, static_cast<UINT>(i), true)) {
        b->item = item;
        b->caption = item->Caption();
        b->enabled = item->Enabled();
        b->submenu = item->Count() > 0 ? item->Handle() : nullptr;
      }
    }
    buttons_.push_back(std::move(b));
  }
}

void TWinSkinMenu::TakeMenuAway() {
  if (GetMenu(frame_.Handle()) == menu_) SetMenu(frame_.Handle(), nullptr);
}

void TWinSkinMenu::GiveBack(bool windowAlive) {
  // Only items still in their menus are touched: the form may have removed some.
  for (auto [parent, command] : ownerDrawn_) {
    if (!IsMenu(parent)) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!GetMenuItemInfoW(parent, command, FALSE, &info)) continue;
    info.fMask = MIIM_FTYPE;
    info.fType &= ~static_cast<UINT>(MFT_OWNERDRAW);
    SetMenuItemInfoW(parent, command, FALSE, &info);
    if (auto* item = reinterpret_cast<ui::MenuItem*>(info.dwItemData)) UnskinMenuItem(*item);
  }
  ownerDrawn_.clear();
  HWND h = frame_.Handle();
  if (windowAlive && IsMenu(menu_) && GetMenu(h) != menu_) SetMenu(h, menu_);
}

void TWinSkinMenu::OwnerDrawItems(ui::MenuItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) {
    ui::MenuItem& item = *parent.Item(i);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    if (parent.Handle() && GetMenuItemInfoW(parent.Handle(), item.Command(), FALSE, &info)) {
      info.fType |= MFT_OWNERDRAW;
      SetMenuItemInfoW(parent.Handle(), item.Command(), FALSE, &info);
      std::pair<HMENU, UINT> key{parent.Handle(), item.Command()};
      if (std::find(ownerDrawn_.begin(), ownerDrawn_.end(), key) == ownerDrawn_.end()) ownerDrawn_.push_back(key);
      SkinMenuItem(item, data_);
    }
    if (item.Count() > 0) OwnerDrawItems(item);
  }
}

// Painting -------------------------------------------------------------------

RECT TWinSkinMenu::BarRect() const {
  RECT w{};
  GetWindowRect(frame_.Handle(), &w);
  const Thickness& th = frame_.Borders();
  return {th.left, th.top, (w.right - w.left) - th.right, th.top + frame_.MenuBarHeight()};
}

void TWinSkinMenu::LayOut(HDC dc) {
  gdi::SelectGuard font(dc, font_.get());
  std::vector<int> widths;
  for (auto& b : buttons_) {
    std::wstring text = ui::Wide(b->caption);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    widths.push_back(r.right - r.left);
  }
  std::vector<Rect> rects = LayOutMenuBar(data_.Model(), win32::ToRect(bar_), widths);
  for (size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->rect = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
}

void TWinSkinMenu::DrawCaption(HDC dc, const TMenuBtn& b, int dx, int dy) {
  const SkinColours& c = data_.Model().colours;
  gdi::SelectGuard font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, b.enabled ? win32::ResolveColour(c.menuBarText) : DisabledColour(c));
  std::wstring text = ui::Wide(b.caption);
  RECT r{b.rect.left + dx, b.rect.top + dy, b.rect.right + dx, b.rect.bottom + dy};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TWinSkinMenu::Paint(HDC dc, RECT bar) {
  bar_ = bar;
  const int w = bar.right - bar.left, h = bar.bottom - bar.top;
  if (w <= 0 || h <= 0) return;
  const SkinModel& m = data_.Model();
  gdi::MemoryDc mem(dc);
  gdi::Bitmap canvas(CreateCompatibleBitmap(dc, w, h));
  if (!mem || !canvas) return;
  gdi::SelectGuard select(mem.get(), canvas.get());
  const RECT local{0, 0, w, h};
  const TDataSkinObject* e = m.menuBar.get();
  if (e && !e->image.Empty()) {
    const int frame = frame_.IsActive() ? 1 : 2;
    if (e->tile == 1)
      win32::DrawNineSlice(mem.get(), local, e->image, true, false, 2, frame,
                           {e->leftWidth, e->topHeight, e->rightWidth, e->bottomHeight});
    else
      win32::DrawThreeSlice(mem.get(), local, e->image, true, false, 2, frame, e->leftWidth, e->rightWidth);
  } else {
    gdi::Brush fill(CreateSolidBrush(win32::ResolveColour(m.colours.menubar)));
    FillRect(mem.get(), &local, fill.get());
  }
  // The background is kept for redrawing single buttons.
  if (!kept_ || keptSize_.cx != w || keptSize_.cy != h) {
    kept_.reset(CreateCompatibleBitmap(dc, w, h));
    keptSize_ = {w, h};
  }
  if (kept_) {
    gdi::MemoryDc keep(dc);
    gdi::SelectGuard selectKeep(keep.get(), kept_.get());
    BitBlt(keep.get(), 0, 0, w, h, mem.get(), 0, 0, SRCCOPY);
  }
  LayOut(mem.get());
  for (auto& b : buttons_) DrawCaption(mem.get(), *b, -bar.left, -bar.top);
  BitBlt(dc, bar.left, bar.top, w, h, mem.get(), 0, 0, SRCCOPY);
}

void TWinSkinMenu::DrawButton(const TMenuBtn& b) {
  if (frame_.SetupState() != 1 || !b.visible || b.rect.right <= b.rect.left) return;
  gdi::WindowDc dc(frame_.Handle(), gdi::WindowDc::kWholeWindow);
  if (!dc) return;
  if (kept_) {
    gdi::MemoryDc keep(dc.get());
    gdi::SelectGuard selectKeep(keep.get(), kept_.get());
    BitBlt(dc.get(), b.rect.left, b.rect.top, b.rect.right - b.rect.left, b.rect.bottom - b.rect.top, keep.get(),
           b.rect.left - bar_.left, b.rect.top - bar_.top, SRCCOPY);
  }
  if (b.state == 2 || b.state == 3) {
    gdi::Brush edge(CreateSolidBrush(win32::ResolveColour(data_.Model().colours.buttonHilight)));
    FrameRect(dc.get(), &b.rect, edge.get());
  }
  DrawCaption(dc.get(), b, 0, 0);
}

TMenuBtn* TWinSkinMenu::ButtonAt(POINT p) const {
  for (auto& b : buttons_)
    if (b->visible && PtInRect(&b->rect, p)) return b.get();
  return nullptr;
}

// Opening --------------------------------------------------------------------

bool TWinSkinMenu::HasAccelerator(wchar_t ch) const {
  for (auto& b : buttons_)
    if (b->enabled && ui::MatchesMnemonic(b->caption, ch)) return true;
  return false;
}

bool TWinSkinMenu::OpenByAccelerator(wchar_t ch) {
  for (auto& b : buttons_) {
    if (b->enabled && ui::MatchesMnemonic(b->caption, ch)) {
      Open(b->index);
      return true;
    }
  }
  return false;
}

void TWinSkinMenu::Open(int index) {
  std::shared_ptr<bool> alive = alive_;
  const HWND h = frame_.Handle();
  int at = index;
  bool moved = false;  // `at` was reached from an open menu (mouse or arrow key)
  while (at >= 0 && at < static_cast<int>(buttons_.size())) {
    TMenuBtn* b = buttons_[static_cast<size_t>(at)].get();
    if (!b->enabled || !b->submenu) {
      // An item without items runs on a click or a key only: the mouse
      // moving onto it from an open menu just shows it hot.
      if (moved && b->enabled) {
        b->Enter();
        break;
      }
      if (b->enabled) PostMessageW(h, WM_COMMAND, MAKEWPARAM(b->command, 0), 0);
      if (frame_.Hot() == b) frame_.SetHot(nullptr);
      b->state = 1;
      DrawButton(*b);
      break;
    }
    PostMessageW(h, WM_COMMAND, MAKEWPARAM(b->command, 0), 0);
    if (b->item) OwnerDrawItems(*b->item);
    if (b->rect.right <= b->rect.left) {  // not painted yet
      bar_ = BarRect();
      gdi::WindowDc dc(h, gdi::WindowDc::kWholeWindow);
      if (dc) LayOut(dc.get());
    }
    current_ = at;
    next_ = -1;
    currentMenu_ = b->submenu;
    currentHasItems_ = false;
    keyboard_ = false;
    GetCursorPos(&lastMove_);
    if (frame_.Hot() && frame_.Hot() != b) frame_.Hot()->Leave();
    frame_.SetHot(b);
    b->state = 2;
    DrawButton(*b);
    RECT w{};
    GetWindowRect(h, &w);
    TWinSkinMenu* outer = g_open;
    g_open = this;
    frame_.SetMenuOpen(true);
    {
      gdi::Hook filter(SetWindowsHookExW(WH_MSGFILTER, FilterProc, nullptr, GetCurrentThreadId()));
      TrackPopupMenuEx(b->submenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, w.left + b->rect.left,
                       w.top + b->rect.bottom, h, nullptr);
    }
    if (!*alive) return;  // the window lost its frame while the menu was open
    g_open = outer;
    frame_.SetMenuOpen(false);
    current_ = -1;
    currentMenu_ = nullptr;
    if (frame_.Hot() == b) frame_.SetHot(nullptr);
    b->state = 1;
    DrawButton(*b);
    at = next_;
    next_ = -1;
    moved = true;
    if (rebuildWanted_) {
      rebuildWanted_ = false;
      Build();
      frame_.PaintFrame();
      break;
    }
  }
}

void TWinSkinMenu::OpenNext(int index) {
  next_ = index;
  EndMenu();
}

void TWinSkinMenu::MenuSelect(WPARAM wParam, LPARAM lParam) {
  if (current_ < 0) return;
  const UINT flags = HIWORD(wParam);
  HMENU menu = reinterpret_cast<HMENU>(lParam);
  if (flags == 0xFFFF && !menu) {  // the menu closes
    if (!keyboard_) frame_.SetMenuOpen(false);
    return;
  }
  currentMenu_ = menu;
  currentHasItems_ = (flags & MF_POPUP) != 0;
}

LRESULT CALLBACK TWinSkinMenu::FilterProc(int code, WPARAM wParam, LPARAM lParam) {
  LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
  if (next || code != MSGF_MENU || !g_open) return next;
  bool taken = false;
  ui::Guarded([&] { taken = g_open->Filter(*reinterpret_cast<const MSG*>(lParam)); });
  return taken ? 1 : 0;
}

bool TWinSkinMenu::Filter(const MSG& msg) {
  const int count = static_cast<int>(buttons_.size());
  if (current_ < 0 || current_ >= count) return false;
  switch (msg.message) {
    case WM_KEYDOWN: {
      WPARAM key = msg.wParam;
      const bool rtl = (formMenu_ && formMenu_->RightToLeft) ||
                       (GetWindowLongPtrW(frame_.Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
      if (rtl && (key == VK_LEFT || key == VK_RIGHT)) key = key == VK_LEFT ? VK_RIGHT : VK_LEFT;
      if (key == VK_RETURN || key == VK_ESCAPE) {
        keyboard_ = false;
        return false;
      }
      keyboard_ = true;
      // The arrows go from menu to menu: items that open none are passed
      // over (they run on their accelerator or a click, never on the way).
      const bool left = key == VK_LEFT && currentMenu_ == buttons_[static_cast<size_t>(current_)]->submenu;
      const bool right = key == VK_RIGHT && !currentHasItems_;
      if (!left && !right) return false;
      std::vector<bool> openable;
      for (const auto& b : buttons_) openable.push_back(b->enabled && b->submenu);
      const int to = NextOpenableBarItem(current_, left ? -1 : 1, openable);
      if (to < 0) return false;
      OpenNext(to);
      return true;
    }
    case WM_SYSKEYDOWN:
      if (msg.wParam == VK_MENU) frame_.SetMenuOpen(false);
      return false;
    case WM_MOUSEMOVE: {
      if (msg.pt.x == lastMove_.x && msg.pt.y == lastMove_.y) return false;
      lastMove_ = msg.pt;
      RECT w{};
      GetWindowRect(frame_.Handle(), &w);
      TMenuBtn* b = ButtonAt({msg.pt.x - w.left, msg.pt.y - w.top});
      if (b && b->index != current_ && b->enabled) {
        OpenNext(b->index);
        return true;
      }
      return false;
    }
    default:
      return false;
  }
}

}  // namespace skin
