// The controls of the form layer: list view, tree view, toolbar, edit
// filter, gauge, status bar, alignment.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "tests/win/support/gui.h"
#include "ui/gdi.h"
#include "ui/ui.h"

using testsupport::PumpUntil;

namespace {

struct ListForm : ui::Form {
  ui::ListView list{this};
  ListForm() : ui::Form("TfrmListTest") {
    SetClientSize(400, 300);
    list.SetAlign(ui::alClient);
    list.SetViewStyle(ui::vsReport);
    list.SetReadOnly(true);
  }
};

}  // namespace

TEST(UiListView, AutoSizedColumnsShareTheWidthAndFixedWidthsHoldUntilResize) {
  ListForm f;
  f.list.AddColumn("存储设备", 50, true);
  f.list.AddColumn("容量", 50, true);
  f.list.AddColumn("备 注", 50, true);
  int w = f.list.ClientWidth();
  EXPECT_EQ(f.list.Column(1)->Width(), w / 3);
  EXPECT_EQ(f.list.Column(0)->Width(), w / 3 + w % 3);
  f.list.Column(2)->SetWidth(300);
  EXPECT_EQ(f.list.Column(2)->Width(), 300);
  f.SetClientSize(500, 300);
  int w2 = f.list.ClientWidth();
  EXPECT_NE(w, w2);
  EXPECT_EQ(f.list.Column(2)->Width(), w2 / 3);
  f.list.ClearColumns();
  EXPECT_EQ(f.list.ColumnCount(), 0);
}

TEST(UiListView, ItemsSubItemsSelectionEventsAndSorting) {
  ListForm f;
  f.list.AddColumn("名称", 100);
  f.list.AddColumn("类别", 100);
  std::vector<std::pair<std::string, bool>> events;
  f.list.OnSelectItem = [&](ui::ListItem* item, bool selected) { events.emplace_back(item->Caption(), selected); };
  ui::ListItem* b = f.list.AddItem("乙", 1, {"目录", "[CD1]:\\"});
  ui::ListItem* a = f.list.AddItem("甲", 4, {"文件"});
  EXPECT_EQ(f.list.ItemCount(), 2);
  EXPECT_EQ(b->SubItem(1), "[CD1]:\\");
  EXPECT_EQ(f.list.Selected(), nullptr);
  f.list.SetSelected(a);
  EXPECT_EQ(f.list.Selected(), a);
  f.list.SetSelected(b);  // single selection: a loses it
  EXPECT_FALSE(a->Selected());
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0], std::make_pair(std::string("甲"), true));
  EXPECT_EQ(events[1], std::make_pair(std::string("甲"), false));
  EXPECT_EQ(events[2], std::make_pair(std::string("乙"), true));
  // Text shown by the control itself.
  wchar_t buf[64] = {};
  ListView_GetItemText(f.list.Handle(), 0, 1, buf, 64);
  EXPECT_STREQ(buf, L"目录");

  f.list.CustomSort([](const ui::ListItem& x, const ui::ListItem& y) { return x.ImageIndex() - y.ImageIndex(); });
  EXPECT_EQ(f.list.Item(0), b);
  f.list.CustomSort([](const ui::ListItem& x, const ui::ListItem& y) { return y.ImageIndex() - x.ImageIndex(); });
  EXPECT_EQ(f.list.Item(0), a);
  EXPECT_EQ(a->Index(), 0);
  a->SetCaption("丙");
  ListView_GetItemText(f.list.Handle(), 0, 0, buf, 64);
  EXPECT_STREQ(buf, L"丙");
  for (ui::ViewStyle s : {ui::vsIcon, ui::vsSmallIcon, ui::vsList, ui::vsReport}) {
    f.list.SetViewStyle(s);
    EXPECT_EQ(f.list.GetViewStyle(), s);
  }
  EXPECT_EQ(GetWindowLongW(f.list.Handle(), GWL_STYLE) & LVS_TYPEMASK, static_cast<LONG>(LVS_REPORT));
  f.list.Clear();
  EXPECT_EQ(f.list.ItemCount(), 0);
}

TEST(UiListView, DoubleClickKeysAndHeaderClick) {
  ListForm f;
  f.list.AddColumn("名称", 100);
  f.list.AddColumn("类别", 100);
  f.list.AddItem("光盘1", 0, {"700M"});
  int dbl = 0;
  std::vector<WORD> keys;
  ui::ListColumn* clicked = nullptr;
  f.list.OnDblClick = [&] { ++dbl; };
  f.list.OnKeyDown = [&](WORD& key, ui::ShiftState) { keys.push_back(key); };
  f.list.OnColumnClick = [&](ui::ListColumn* c) { clicked = c; };
  f.Show();
  RECT r;
  ListView_GetItemRect(f.list.Handle(), 0, &r, LVIR_LABEL);
  LPARAM at = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
  PostMessageW(f.list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(f.list.Handle(), WM_LBUTTONUP, 0, at);
  PostMessageW(f.list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(f.list.Handle(), WM_LBUTTONUP, 0, at);
  testsupport::PostKey(f.list.Handle(), VK_RETURN);
  testsupport::PostKey(f.list.Handle(), VK_DELETE);
  HWND header = ListView_GetHeader(f.list.Handle());
  RECT hr;
  Header_GetItemRect(header, 1, &hr);
  testsupport::PostClick(header, hr.left + 10, (hr.top + hr.bottom) / 2);
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_RETURN, VK_DELETE}));
  EXPECT_EQ(clicked, f.list.Column(1));
}

TEST(UiTreeView, ChildrenLoadOnExpansion) {
  ui::Form f("TfrmTreeTest");
  ui::TreeView tree(&f);
  tree.SetReadOnly(true);
  ui::TreeNode* root = tree.AddChild(nullptr, "[光盘1]:\\", 0);
  root->SetHasChildren(true);
  int loads = 0;
  tree.OnExpanding = [&](ui::TreeNode* node, bool& allow) {
    if (node->Text() == "锁定") {
      allow = false;
      return;
    }
    if (node->Count() > 0) return;
    ++loads;
    tree.AddChild(node, "目录", 1)->SetHasChildren(true);
    tree.AddChild(node, "锁定", 1)->SetHasChildren(true);
    tree.AddChild(node, "文件.txt", 4);
  };
  EXPECT_EQ(root->Count(), 0);
  root->Expand();
  EXPECT_EQ(loads, 1);
  ASSERT_EQ(root->Count(), 3);
  EXPECT_TRUE(root->Expanded());
  EXPECT_EQ(root->Item(0)->Level(), 1);
  root->Collapse();
  root->Expand();
  EXPECT_EQ(loads, 1);  // loaded once
  root->Item(1)->Expand();
  EXPECT_FALSE(root->Item(1)->Expanded());
  tree.SetSelected(root->Item(2));
  EXPECT_EQ(tree.Selected(), root->Item(2));
  EXPECT_EQ(tree.ClassName(), "TTreeView");
  EXPECT_TRUE(tree.InheritsFrom("TCustomTreeView"));
}

TEST(UiToolBar, CheckButtonsDropDownsCaptionsAndImageSizes) {
  ui::Form f("TfrmBarTest");
  f.SetClientSize(600, 300);
  ui::ImageList large(&f, 32, 32), small(&f, 16, 16);
  for (ui::ImageList* list : {&large, &small}) {
    gdi::BitmapCanvas strip(list->Width() * 2, list->Height());
    list->AddMasked(strip.Take().get(), RGB(255, 0, 255));
  }
  ui::CoolBar cool(&f);
  cool.SetAlign(ui::alTop);
  ui::ToolBar bar(&cool);
  bar.SetImages(&large);
  bar.SetShowCaptions(false);
  ui::PopupMenu view(&f);
  ui::MenuItem* great = nullptr;
  view.AddEntries({{.caption = "大图标(&G)", .item = &great, .radio = true, .autoCheck = true}});
  ui::ToolButton* search = bar.AddButton("检索快照", "检索快照", 0, ui::tbsCheck);
  bar.AddSeparator();
  ui::ToolButton* show = bar.AddButton("显示", "图标、列表或详细资料显示", 1, ui::tbsDropDown);
  show->DropdownMenu = &view;
  cool.AddBand(&bar);
  int clicks = 0;
  search->OnClick = [&] { ++clicks; };
  f.Show();
  int largeHeight = bar.IdealSize().cy;
  int coolLarge = cool.Height();

  RECT r;
  SendMessageW(bar.Handle(), TB_GETRECT, search->Command(), reinterpret_cast<LPARAM>(&r));
  testsupport::PostClick(bar.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(search->Down());
  search->SetDown(false);
  EXPECT_FALSE(search->Down());

  // The drop-down part opens the menu; a call queued behind the click
  // runs inside the menu's loop and closes it again.
  bool menuOpen = false, looked = false;
  SendMessageW(bar.Handle(), TB_GETRECT, show->Command(), reinterpret_cast<LPARAM>(&r));
  PostMessageW(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 3, (r.top + r.bottom) / 2));
  ui::App().Post([&] {
    menuOpen = FindWindowW(L"#32768", nullptr) != nullptr;
    looked = true;
    EndMenu();
  });
  ASSERT_TRUE(PumpUntil([&] { return looked; }));
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_TRUE(menuOpen);

  // Small pictures with captions: the band follows the bar's new size.
  bar.SetImages(&small);
  bar.SetShowCaptions(true);
  EXPECT_TRUE(bar.ShowCaptions());
  EXPECT_NE(bar.IdealSize().cy, largeHeight);
  EXPECT_NE(cool.Height(), coolLarge);
  EXPECT_EQ(cool.BandCount(), 1);
  EXPECT_EQ(bar.CurrentHint(), "");
}

TEST(UiToolBar, MenuBandShowsTheMainMenuAsButtons) {
  ui::Form f("TfrmBarTest");
  ui::MainMenu menu(&f);
  ui::MenuItem* exitItem = nullptr;
  int exits = 0;
  menu.AddEntries({{.caption = " 文件(&F) ", .children = {{.caption = "退出(&X)", .item = &exitItem,
                                                            .onClick = [&] { ++exits; }}}},
                   {.caption = " 帮助(&H) ", .children = {{.caption = "关于...(&A)"}}}});
  ui::ToolBar band(&f);
  band.SetAlign(ui::alTop);
  band.SetMenu(&menu);
  ASSERT_EQ(band.ButtonCount(), 2);
  EXPECT_EQ(band.Button(1)->Caption(), " 帮助(&H) ");
  menu.Items.Item(1)->SetCaption(" 说明(&H) ");
  EXPECT_EQ(band.Button(1)->Caption(), " 说明(&H) ");
  f.Show();
  // Alt+F opens the file menu; choosing its item runs the command.
  PostMessageW(band.Handle(), WM_SYSCHAR, L'f', 1 << 29);
  ui::App().Post([&] {
    HWND popup = FindWindowW(L"#32768", nullptr);
    EXPECT_NE(popup, nullptr);
    EndMenu();
    PostMessageW(f.Handle(), WM_COMMAND, MAKEWPARAM(exitItem->Command(), 0), 0);
  });
  ASSERT_TRUE(PumpUntil([&] { return exits > 0; }));
  EXPECT_EQ(exits, 1);
}

TEST(UiEdit, FilterRefusesTypedAndPastedCharactersAndKeepsAByteLimit) {
  ui::Form f("TfrmEditTest");
  ui::Edit edit(&f);
  edit.SetCharCase(ui::ecUpperCase);
  edit.OnKeyPress = [](wchar_t& key) {
    if (key == L'[') key = 0;
  };
  edit.Filter = [](std::string_view current, std::string_view inserted) {
    std::string kept;
    for (char c : inserted)
      if (c != '[' && c != ']' && c != '\\') kept += c;
    size_t room = 10 - std::min<size_t>(10, text::GbByteLength(current));
    return text::GbCut(kept, room);
  };
  int changes = 0;
  edit.OnChange = [&] { ++changes; };
  testsupport::PostChars(edit.Handle(), L"a[b]\\c");
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_EQ(edit.Text(), "ABC");
  testsupport::SetClipboardText(L"d[e]\\f");
  SendMessageW(edit.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit.Text(), "ABCDEF");
  // Ten GBK bytes: four more, two Chinese characters, the third is cut.
  testsupport::SetClipboardText(L"光盘备份");
  SendMessageW(edit.Handle(), EM_SETSEL, 6, 6);
  SendMessageW(edit.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit.Text(), "ABCDEF光盘");
  testsupport::PostChars(edit.Handle(), L"x");
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_EQ(edit.Text(), "ABCDEF光盘");
  EXPECT_GT(changes, 0);
  // A selection is replaced, so its bytes count as free.
  edit.SelectAll();
  testsupport::PostChars(edit.Handle(), L"z");
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_EQ(edit.Text(), "Z");
}

TEST(UiGauge, ShowsTheTruncatedPercentage) {
  ui::Form f("TfrmGaugeTest");
  ui::Gauge g(&f);
  EXPECT_EQ(g.PercentText(), "0%");
  g.SetProgress(37);
  EXPECT_EQ(g.PercentText(), "37%");
  g.SetRange(0, 300);
  g.SetProgress(100);
  EXPECT_EQ(g.PercentText(), "33%");
  g.SetProgress(1000);
  EXPECT_EQ(g.PercentText(), "100%");
  g.SetRange(5, 5);
  EXPECT_EQ(g.PercentText(), "0%");
  EXPECT_EQ(g.ClassName(), "TGauge");
}

TEST(UiLayout, TopBarLeftPanelSplitterClientListAndStatusBar) {
  ui::Form f("TfrmMainLayoutTest");
  f.SetClientSize(780, 500);
  ui::CoolBar cool(&f);
  cool.SetAlign(ui::alTop);
  ui::ToolBar bar(&cool);
  bar.AddButton("创建快照", "创建快照");
  cool.AddBand(&bar);
  ui::StatusBar status(&f);
  status.SetAlign(ui::alBottom);
  status.AddPanel(200);
  status.AddPanel(50);
  status.SetPanelText(1, "浏览所有");
  ui::Panel left(&f, "");
  left.SetWidth(185);
  left.SetAlign(ui::alLeft);
  ui::Splitter split(&f, ui::alLeft);
  ui::ListView list(&f);
  list.SetAlign(ui::alClient);
  f.Show();
  EXPECT_EQ(status.PanelText(1), "浏览所有");
  EXPECT_EQ(cool.Top(), 0);
  EXPECT_EQ(cool.Width(), 780);
  EXPECT_EQ(left.Top(), cool.Height());
  EXPECT_EQ(left.Width(), 185);
  EXPECT_EQ(split.Left(), 185);
  EXPECT_EQ(list.Left(), 185 + split.Width());
  EXPECT_EQ(list.Left() + list.Width(), 780);
  EXPECT_EQ(status.Top() + status.Height(), 500);
  EXPECT_EQ(list.Top() + list.Height(), status.Top());
  // Hiding the status bar gives its room to the list; dragging the splitter
  // widens the panel.
  status.Hide();
  EXPECT_EQ(list.Top() + list.Height(), 500);
  SendMessageW(split.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
  SendMessageW(split.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(41, 10));
  SendMessageW(split.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 10));
  ASSERT_TRUE(testsupport::PumpPosted());
  EXPECT_EQ(left.Width(), 225);
  EXPECT_EQ(list.Left(), 225 + split.Width());
}
