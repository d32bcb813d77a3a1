// The skinned menu bar and popup menus under Wine: the bar built from a
// form's native menu and rebuilt when it changes, items opened by the
// mouse, the arrow keys and accelerators, popup windows with and without
// the skin's menu background, and what many popup menus leave behind; and
// the menu seams of the form layer that owner-drawing relies on.
#include <functional>
#include <memory>
#include <vector>

#include "skin/layout/menu_layout.h"
#include "skin/win/win_skin_menu.h"
#include "skin/win/win_skin_popup.h"
#include "tests/win/support/skin_fixture.h"

namespace {

using testsupport::PumpPosted;
using testsupport::PumpUntil;

// Runs `step` every 10 ms inside whatever modal menu loop the test starts
// next; when it returns true (or after 3 s) the menu is ended.
class WhileMenuOpen {
 public:
  explicit WhileMenuOpen(std::function<bool()> step) : timer_(nullptr, 10, true), start_(GetTickCount()) {
    timer_.OnTimer = [this, step = std::move(step)] {
      if (done_) return;
      bool finished = step();
      if (!finished && GetTickCount() - start_ > 3000) timedOut = finished = true;
      if (finished) {
        done_ = true;
        EndMenu();
      }
    };
  }
  bool timedOut = false;

 private:
  ui::Timer timer_;
  DWORD start_;
  bool done_ = false;
};

LPARAM ScreenPoint(HWND h, const RECT& r) {
  RECT w{};
  GetWindowRect(h, &w);
  return MAKELPARAM(w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2);
}

class SkinMenuTest : public SkinTest {
 protected:
  // A test form with a native menu: &File (Recent > One, -, Open), &Edit
  // (Copy), &Help (no items, a command of its own) and &Tools (Options).
  ui::Form* MakeMenuForm() {
    forms.push_back(std::make_unique<ui::Form>("TfrmMenuTest"));
    ui::Form* f = forms.back().get();
    menu = std::make_unique<ui::MainMenu>(f);
    menu->AddEntries({{.caption = "&File",
                       .children = {{.caption = "&Recent", .children = {{.caption = "One"}}},
                                    {.caption = "-"},
                                    {.caption = "&Open"}}},
                      {.caption = "&Edit", .children = {{.caption = "&Copy"}}},
                      {.caption = "&Help", .onClick = [this] { ++helpClicks; }},
                      {.caption = "&Tools", .children = {{.caption = "&Options"}}}});
    f->SetBounds(50, 50, 360, 240);
    f->SetMenu(menu.get());
    f->Show();
    SetForegroundWindow(f->Handle());
    PumpPosted();
    return f;
  }
  void TearDown() override {
    for (auto& f : forms) f->SetMenu(nullptr);
    menu.reset();
    SkinTest::TearDown();
  }
  // The menu form skinned with skin `index`, its frame set up and painted.
  skin::TWinSkinForm* SkinnedMenuFrame(int index) {
    ui::Form* f = MakeMenuForm();
    SwitchOn(index);
    skin::TWinSkinForm* frame = ReadyFrame(f->Handle());
    if (frame) frame->PaintFrame();
    return frame;
  }
  // Presses a bar button as the mouse would.
  static void PressButton(HWND h, const skin::TMenuBtn& b) {
    LPARAM at = ScreenPoint(h, b.rect);
    SendMessageW(h, WM_NCLBUTTONDOWN, SendMessageW(h, WM_NCHITTEST, 0, at), at);
  }
  std::unique_ptr<ui::MainMenu> menu;
  int helpClicks = 0;
};

TEST_F(SkinMenuTest, TheBarIsBuiltFromTheMenuRebuiltWhenItChangesAndGivenBack) {
  ui::Form* f = MakeMenuForm();
  HWND h = f->Handle();
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(h);
  ASSERT_NE(frame, nullptr);
  skin::TWinSkinMenu* bar = frame->MenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenu(h), nullptr);  // the frame draws the bar
  ASSERT_EQ(bar->Buttons().size(), 4u);
  EXPECT_EQ(bar->Buttons()[0]->caption, "&File");
  EXPECT_EQ(bar->Buttons()[0]->submenu, menu->Items.Item(0)->Handle());
  EXPECT_EQ(bar->Buttons()[2]->submenu, nullptr);
  EXPECT_EQ(bar->Buttons()[2]->command, menu->Items.Item(2)->Command());

  // Painted: the buttons sit side by side in the bar, from its start.
  frame->PaintFrame();
  const skin::Thickness th = frame->Borders();
  RECT w{};
  GetWindowRect(h, &w);
  const int barWidth = (w.right - w.left) - th.left - th.right;
  const auto& first = *bar->Buttons()[0];
  EXPECT_EQ(first.rect.left, th.left + skin::MenuBarStartX(data->Model(), barWidth));
  EXPECT_EQ(first.rect.top, th.top);
  EXPECT_EQ(first.rect.bottom, th.top + GetSystemMetrics(SM_CYMENU) - 1);
  EXPECT_EQ(bar->Buttons()[1]->rect.left, first.rect.right);
  // The frame finds the buttons under the mouse; moving over one makes it hot.
  LPARAM at = ScreenPoint(h, bar->Buttons()[1]->rect);
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, at), HTMENU);
  SendMessageW(h, WM_NCMOUSEMOVE, HTMENU, at);
  EXPECT_EQ(frame->Hot(), bar->Buttons()[1].get());
  EXPECT_EQ(bar->Buttons()[1]->state, 3);

  // A new item and a disabled one show in the bar at once.
  menu->Items.Add("&Window");
  menu->Items.Item(1)->SetEnabled(false);
  bar = frame->MenuBar();
  ASSERT_EQ(bar->Buttons().size(), 5u);
  EXPECT_EQ(bar->Buttons()[4]->caption, "&Window");
  EXPECT_FALSE(bar->Buttons()[1]->enabled);
  EXPECT_EQ(frame->Hot(), nullptr);  // the old buttons are gone

  SwitchOff();
  EXPECT_EQ(GetMenu(h), menu->Handle());
}

TEST_F(SkinMenuTest, ABarItemWithoutSubmenuOnlyPostsItsCommandAndOneWithItemsOpensOwnerDrawn) {
  ui::Form* f = MakeMenuForm();
  HWND h = f->Handle();
  int fileClicks = 0;
  menu->Items.Item(0)->OnClick = [&] { ++fileClicks; };
  SwitchOn(0);
  skin::TWinSkinForm* frame = ReadyFrame(h);
  ASSERT_NE(frame, nullptr);
  frame->PaintFrame();
  skin::TWinSkinMenu* bar = frame->MenuBar();
  {
    bool sawMenu = false;
    WhileMenuOpen watch([&] { return sawMenu = !testsupport::OpenPopupMenus().empty(); });
    PressButton(h, *bar->Buttons()[2]);
    PumpPosted();
    EXPECT_FALSE(sawMenu);
    EXPECT_EQ(helpClicks, 1);
  }
  {
    HMENU file = menu->Items.Item(0)->Handle();
    bool ownerDrawn = false, learnt = false, markedOpen = false;
    int index = -2;
    WhileMenuOpen watch([&] {
      std::vector<HWND> open = testsupport::OpenPopupMenus();
      if (open.empty()) return false;
      skin::TWinSkinPopMenu* handler = skin::TWinSkinPopMenu::Find(open[0]);
      if (!handler || handler->Menu() != file) return false;  // its items not drawn yet
      MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
      ownerDrawn = GetMenuItemInfoW(file, 0, TRUE, &info) && (info.fType & MFT_OWNERDRAW);
      learnt = true;
      index = bar->CurrentIndex();
      markedOpen = frame->MenuOpen();
      return true;
    });
    PressButton(h, *bar->Buttons()[0]);
    EXPECT_FALSE(watch.timedOut);
    EXPECT_TRUE(learnt);
    EXPECT_TRUE(ownerDrawn);
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(markedOpen);
  }
  PumpPosted();
  EXPECT_EQ(fileClicks, 1);  // the item's command is posted before its menu opens
  EXPECT_EQ(bar->CurrentIndex(), -1);
  EXPECT_FALSE(frame->MenuOpen());
  EXPECT_EQ(bar->Buttons()[0]->state, 1);
  SwitchOff();
  // Given back: the items draw themselves again.
  MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
  ASSERT_TRUE(GetMenuItemInfoW(menu->Items.Item(0)->Handle(), 0, TRUE, &info));
  EXPECT_FALSE(info.fType & MFT_OWNERDRAW);
  EXPECT_FALSE(menu->Items.Item(0)->Item(0)->OnDrawItem);
}

TEST_F(SkinMenuTest, ArrowKeysMoveAlongTheBarWrappingAtBothEnds) {
  ui::Form* f = MakeMenuForm();
  HWND h = f->Handle();
  SwitchOn(1);
  skin::TWinSkinForm* frame = ReadyFrame(h);
  ASSERT_NE(frame, nullptr);
  skin::TWinSkinMenu* bar = frame->MenuBar();
  const int last = static_cast<int>(bar->Buttons().size()) - 1;
  std::vector<int> seen;
  {
    WhileMenuOpen watch([&] {
      std::vector<HWND> open = testsupport::OpenPopupMenus();
      if (open.empty()) return false;
      const int at = bar->CurrentIndex();
      if (at < 0 || (!seen.empty() && seen.back() == at)) return false;  // between two menus
      seen.push_back(at);
      if (seen.size() == 4) return true;
      // Last to first, first to last, then past Help, which has no items,
      // onto Edit.
      PostMessageW(h, WM_KEYDOWN, seen.size() == 1 ? VK_RIGHT : VK_LEFT, 0);
      return false;
    });
    bar->Open(last);
    EXPECT_FALSE(watch.timedOut);
    EXPECT_EQ(seen, (std::vector<int>{last, 0, last, 1}));
    PumpPosted();
    EXPECT_EQ(helpClicks, 0);  // passed over by the arrow key: its command does not run
  }

  // On File, Down selects Recent, whose Right opens its own submenu.
  bool keysSent = false, subOpenedInPlace = false;
  WhileMenuOpen sub([&] {
    std::vector<HWND> open = testsupport::OpenPopupMenus();
    if (open.empty() || bar->CurrentIndex() < 0) return false;
    if (!keysSent) {
      keysSent = true;
      PostMessageW(h, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(h, WM_KEYDOWN, VK_RIGHT, 0);
      return false;
    }
    if (open.size() == 2) {
      subOpenedInPlace = bar->CurrentIndex() == 0;
      return true;
    }
    return false;
  });
  bar->Open(0);
  EXPECT_FALSE(sub.timedOut);
  EXPECT_TRUE(subOpenedInPlace);
  SwitchOff();
}

TEST_F(SkinMenuTest, MovingTheMouseOntoAnotherButtonOpensItsMenu) {
  skin::TWinSkinForm* frame = SkinnedMenuFrame(3);
  ASSERT_NE(frame, nullptr);
  HWND h = frame->Handle();
  skin::TWinSkinMenu* bar = frame->MenuBar();
  POINT before{};
  GetCursorPos(&before);
  RECT w{};
  GetWindowRect(h, &w);
  auto moveOnto = [&](const RECT& r) {
    SetCursorPos(w.left + (r.left + r.right) / 2, w.top + (r.top + r.bottom) / 2);
    PostMessageW(h, WM_MOUSEMOVE, 0, 0);
  };
  const RECT edit = bar->Buttons()[1]->rect;
  std::vector<int> seen;
  WhileMenuOpen watch([&] {
    const int at = bar->CurrentIndex();
    if (testsupport::OpenPopupMenus().empty() || at < 0 || (!seen.empty() && seen.back() == at)) return false;
    seen.push_back(at);
    if (seen.size() > 1) return true;
    moveOnto(edit);
    return false;
  });
  bar->Open(0);
  EXPECT_FALSE(watch.timedOut);
  EXPECT_EQ(seen, (std::vector<int>{0, 1}));

  // Onto Help, which has no items: the open menu closes, Help shows hot,
  // and its command waits for a click.
  const RECT help = bar->Buttons()[2]->rect;
  bool moved = false;
  WhileMenuOpen onto([&] {
    if (testsupport::OpenPopupMenus().empty() || bar->CurrentIndex() != 0 || moved) return false;
    moved = true;
    moveOnto(help);
    return false;
  });
  bar->Open(0);
  EXPECT_FALSE(onto.timedOut);
  PumpPosted();
  SetCursorPos(before.x, before.y);
  EXPECT_TRUE(moved);
  EXPECT_EQ(helpClicks, 0);
  EXPECT_EQ(bar->CurrentIndex(), -1);
  EXPECT_EQ(frame->Hot(), bar->Buttons()[2].get());
  SwitchOff();
}

TEST_F(SkinMenuTest, BarButtonsPastANarrowWindowsEndAreCutAndTheBorderStaysTheBorder) {
  skin::TWinSkinForm* frame = SkinnedMenuFrame(0);
  ASSERT_NE(frame, nullptr);
  HWND h = frame->Handle();
  RECT w{};
  GetWindowRect(h, &w);
  skin::TWinSkinMenu* bar = frame->MenuBar();
  const int wide = bar->Buttons().back()->rect.right;
  // Narrower than the bar's buttons, wider than the first one.
  const int width = bar->Buttons()[0]->rect.right + frame->Borders().right + 20;
  SetWindowPos(h, nullptr, 0, 0, width, w.bottom - w.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpPosted();
  frame->PaintFrame();
  GetWindowRect(h, &w);
  const int barEnd = (w.right - w.left) - frame->Borders().right;
  ASSERT_LT(barEnd, wide);
  for (const auto& b : bar->Buttons()) EXPECT_LE(b->rect.right, barEnd);
  // The window's right edge beside the bar: no button there, so a press
  // is the system's (it sizes the window).
  const POINT edge{(w.right - w.left) - 1, bar->Buttons()[0]->rect.top + 2};
  EXPECT_EQ(bar->ButtonAt(edge), nullptr);
  EXPECT_EQ(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(w.left + edge.x, w.top + edge.y)), HTRIGHT);
  SwitchOff();
}

TEST_F(SkinMenuTest, AcceleratorsOpenEnabledBarItemsAndPlainAltIsSwallowed) {
  ui::Form* f = MakeMenuForm();
  HWND h = f->Handle();
  SwitchOn(2);
  skin::TWinSkinForm* frame = ReadyFrame(h);
  ASSERT_NE(frame, nullptr);
  skin::TWinSkinMenu* bar = frame->MenuBar();
  int opened = -2;
  {
    WhileMenuOpen watch([&] {
      if (testsupport::OpenPopupMenus().empty()) return false;
      opened = bar->CurrentIndex();
      return true;
    });
    EXPECT_TRUE(f->DialogChar(L'e', true));
    EXPECT_FALSE(watch.timedOut);
  }
  EXPECT_EQ(opened, 1);
  // A plain letter (no Alt) opens no menu.
  {
    bool sawMenu = false;
    WhileMenuOpen watch([&] { return sawMenu = !testsupport::OpenPopupMenus().empty(); });
    EXPECT_FALSE(f->DialogChar(L'e', false));
    EXPECT_FALSE(sawMenu);
  }
  // No item carries "z"; a disabled item's accelerator opens nothing.
  EXPECT_FALSE(f->DialogChar(L'z', true));
  menu->Items.Item(1)->SetEnabled(false);
  EXPECT_FALSE(f->DialogChar(L'e', true));
  EXPECT_FALSE(frame->MenuBar()->HasAccelerator(L'e'));
  EXPECT_TRUE(frame->MenuBar()->HasAccelerator(L't'));
  // Alt alone and Alt with an item's key end with the bar, not in the
  // system's menu loop (which would not return here).
  EXPECT_EQ(SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, 0), 0);
  EXPECT_EQ(SendMessageW(h, WM_SYSCOMMAND, SC_KEYMENU, L't'), 0);
  EXPECT_EQ(frame->MenuBar()->CurrentIndex(), -1);
  SwitchOff();
}

class SkinPopupTest : public SkinTest {
 protected:
  ui::Form* MakePopupForm() {
    ui::Form* f = MakeForm("TfrmPopupTest");
    popup = std::make_unique<ui::PopupMenu>(f);
    popup->AddEntries({{.caption = "&Open"}, {.caption = "-"}, {.caption = "&Large", .checked = true, .radio = true},
                       {.caption = "&Small", .radio = true}});
    popup->Items.Item(0)->SetShortCutText("Ctrl+O");
    popup->Items.Item(0)->SetDefault(true);
    return f;
  }
  void TearDown() override {
    popup.reset();
    SkinTest::TearDown();
  }
  // Shows the popup menu and ends it once its items are drawn; the handler
  // of its window as it was then goes to `seen`.
  bool ShowOnce(ui::Form* f, const std::function<void(skin::TWinSkinPopMenu&)>& seen = {}) {
    bool drawn = false;
    size_t lastOpen = 0, lastHandlers = 0;
    bool lastFound = false;
    HMENU lastMenu = nullptr;
    WhileMenuOpen watch([&] {
      std::vector<HWND> open = testsupport::OpenPopupMenus();
      lastOpen = open.size();
      lastHandlers = manager->PopupHandlerCount();
      if (open.empty()) return false;
      skin::TWinSkinPopMenu* handler = skin::TWinSkinPopMenu::Find(open[0]);
      lastFound = handler != nullptr;
      lastMenu = handler ? handler->Menu() : nullptr;
      if (!handler || handler->Menu() != popup->Handle()) return false;
      drawn = true;
      if (seen) seen(*handler);
      return true;
    });
    RECT w{};
    GetWindowRect(f->Handle(), &w);
    popup->Popup(w.left + 40, w.top + 60);
    if (!drawn)
      ADD_FAILURE() << "open " << lastOpen << " handlers " << lastHandlers << " found " << lastFound << " menu "
                    << lastMenu << " wanted " << popup->Handle();
    return drawn && !watch.timedOut;
  }
  std::unique_ptr<ui::PopupMenu> popup;
};

TEST_F(SkinPopupTest, WithoutMenuBackgroundPopupsKeepTheSystemBorderWhileItemsAreOwnerDrawn) {
  ui::Form* f = MakePopupForm();
  SwitchOn(0);
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  ASSERT_TRUE(data->Model().menuBackground && data->Model().menuItem);
  // With the skin's background the window is subclassed, and its border
  // shows the image's corner on screen and when printed.
  const skin::TDataSkinObject& back = *data->Model().menuBackground;
  ASSERT_GT(back.leftWidth, 1);
  ASSERT_GT(back.topHeight, 1);
  const uint32_t corner = back.image.At(1, 1);
  const COLORREF expected = RGB(skin::RedOf(corner), skin::GreenOf(corner), skin::BlueOf(corner));
  bool subclassed = false, background = false;
  COLORREF onScreen = 0, printed = 0;
  ASSERT_TRUE(ShowOnce(f, [&](skin::TWinSkinPopMenu& m) {
    subclassed = m.Subclassed();
    background = m.HasBackground();
    HDC screen = GetWindowDC(m.Handle());
    onScreen = GetPixel(screen, 1, 1);
    ReleaseDC(m.Handle(), screen);
    RECT w{};
    GetWindowRect(m.Handle(), &w);
    gdi::BitmapCanvas canvas(w.right - w.left, w.bottom - w.top);
    SendMessageW(m.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    printed = GetPixel(canvas.dc(), 1, 1);
  }));
  EXPECT_TRUE(subclassed);
  EXPECT_TRUE(background);
  EXPECT_EQ(onScreen, expected);
  EXPECT_EQ(printed, expected);
  PumpPosted();
  EXPECT_EQ(manager->PopupHandlerCount(), 0u);

  // A skin without the element: the system's own window, skinned items.
  const_cast<skin::SkinModel&>(data->Model()).menuBackground.reset();
  ASSERT_TRUE(ShowOnce(f, [&](skin::TWinSkinPopMenu& m) {
    subclassed = m.Subclassed();
    background = m.HasBackground();
  }));
  EXPECT_FALSE(subclassed);
  EXPECT_FALSE(background);
  MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
  ASSERT_TRUE(GetMenuItemInfoW(popup->Handle(), 0, TRUE, &info));
  EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
  SwitchOff();
}

TEST_F(SkinPopupTest, AComponentThatGoesWhileItsPopupIsOpenTakesItsHandlersAlong) {
  ui::Form* f = MakePopupForm();
  SwitchOn(0);
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  size_t handlersAfter = 9;
  bool subclassedAfter = true;
  HWND window = nullptr;
  ASSERT_TRUE(ShowOnce(f, [&](skin::TWinSkinPopMenu& m) {
    window = m.Handle();
    data.reset();  // the component unregisters while its popup is open
    handlersAfter = manager->PopupHandlerCount();
    subclassedAfter = skin::TWinSkinPopMenu::Find(window) != nullptr;
  }));
  EXPECT_EQ(handlersAfter, 0u);
  EXPECT_FALSE(subclassedAfter);
  PumpPosted();
}

TEST_F(SkinPopupTest, TwoHundredPopupMenusLeaveTheObjectCountsWhereTheyWere) {
  ui::Form* f = MakePopupForm();
  SwitchOn(3);
  ASSERT_NE(ReadyFrame(f->Handle()), nullptr);
  ASSERT_TRUE(ShowOnce(f));  // anything made once for good is made now
  PumpPosted();
  const long gdiObjects = gdi::LiveGdiObjects(), userObjects = gdi::LiveUserObjects();
  int shown = 0;
  for (int i = 0; i < 200; ++i) shown += ShowOnce(f) ? 1 : 0;
  PumpPosted();
  EXPECT_EQ(shown, 200);
  EXPECT_EQ(gdi::LiveGdiObjects(), gdiObjects);
  EXPECT_EQ(gdi::LiveUserObjects(), userObjects);
  EXPECT_EQ(manager->PopupHandlerCount(), 0u);
  SwitchOff();
}

// The form layer's menu seams ----------------------------------------------

TEST(MenuSeams, OwnerDrawingGetsTheItemStateTheMenuFontAndTheNewItemParts) {
  ui::Form f("TfrmMenuSeam");
  ui::PopupMenu popup(&f);
  ui::MenuItem* item = popup.Items.Add("&Open");
  item->SetShortCutText("Ctrl+O");
  item->SetDefault(true);
  // The native item shows the key after a tab and is the default.
  wchar_t text[64] = {};
  GetMenuStringW(popup.Handle(), 0, text, 64, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(text), L"&Open\tCtrl+O");
  MENUITEMINFOW info{sizeof info, MIIM_STATE};
  ASSERT_TRUE(GetMenuItemInfoW(popup.Handle(), 0, TRUE, &info));
  EXPECT_TRUE(info.fState & MFS_DEFAULT);

  LOGFONTW measuredWith{};
  item->OnMeasureItem = [&](ui::MenuItem&, HDC dc, int& w, int& h) {
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof measuredWith, &measuredWith);
    w = h = 10;
  };
  MEASUREITEMSTRUCT m{};
  item->MeasureItem(m);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  EXPECT_EQ(std::wstring(measuredWith.lfFaceName), std::wstring(metrics.lfMenuFont.lfFaceName));
  EXPECT_EQ(measuredWith.lfHeight, metrics.lfMenuFont.lfHeight);

  ui::MenuItemState got;
  item->OnDrawItem = [&](ui::MenuItem&, HDC, const RECT&, const ui::MenuItemState& s) { got = s; };
  DRAWITEMSTRUCT d{};
  d.itemState = ODS_SELECTED | ODS_GRAYED | ODS_CHECKED | ODS_DEFAULT;
  item->DrawItem(d);
  EXPECT_TRUE(got.selected && got.disabled && got.checked && got.isDefault);
  item->SetDefault(false);
  d.itemState = 0;
  item->DrawItem(d);
  EXPECT_FALSE(got.selected || got.disabled || got.checked || got.isDefault);
  d.itemState = ODS_SELECTED;
  item->SetChecked(true);
  item->SetEnabled(false);
  item->DrawItem(d);
  EXPECT_TRUE(got.selected && got.disabled && got.checked);
}

}  // namespace
