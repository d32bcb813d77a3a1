// The main window's controls and menus, built once in the constructor.
#include "app/win_main_form.h"

#include "skin/win/win_skin_resources.h"
#include "resources/resource_ids.h"
#include "ui/gdi.h"

namespace app {
namespace {

// The search panel's close picture: a small dark cross on the title strip's
// colour, drawn here so it needs no resource.
gdi::Bitmap MakeCloseGlyph(COLORREF background) {
  const int n = 12;
  gdi::BitmapCanvas canvas(n, n);
  HDC dc = canvas.dc();
  RECT r{0, 0, n, n};
  FillRect(dc, &r, gdi::Brush(CreateSolidBrush(background)).get());
  gdi::Pen pen(CreatePen(PS_SOLID, 2, RGB(255, 255, 255)));
  gdi::SelectGuard selectPen(dc, pen.get());
  MoveToEx(dc, 2, 2, nullptr);
  LineTo(dc, n - 2, n - 2);
  MoveToEx(dc, n - 3, 2, nullptr);
  LineTo(dc, 1, n - 2);
  return canvas.Take();
}

void AddIcons(ui::ImageList* list, int firstId, int count) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  for (int i = 0; i < count; ++i) {
    gdi::Icon icon(static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(firstId + i), IMAGE_ICON, list->Width(), list->Height(), 0)));
    if (!icon) continue;  // a test executable carries no pictures
    list->AddIcon(icon.get());
  }
}

}  // namespace

TfrmMain::TfrmMain() : ui::Form("TfrmMain", ui::bsSizeable) {
  Name = "frmMain";
  SetCaption("Vorlune");
  SetSize(796, 556);
  position = ui::poScreenCenter;
  ImageList1 = Make<ui::ImageList>(this, 32, 32);
  ImageList2 = Make<ui::ImageList>(this, 16, 16);
  ImgLstLarge = Make<ui::ImageList>(this, 32, 32);
  ImgLstSmall = Make<ui::ImageList>(this, 16, 16);
  LoadPictures();
  BuildMenus();
  BuildToolBars();
  StatusBar1 = Make<ui::StatusBar>(this);
  StatusBar1->Name = "StatusBar1";
  StatusBar1->SetAlign(ui::alBottom);
  StatusBar1->AddPanel(200);
  StatusBar1->AddPanel(-1);
  BuildSearchPanel();
  BuildList();
  // The skin component as a form resource would give it: its own copy of
  // the first skin, then the store's four; requests wait until both are in.
  SkinData1.SetOwner(this, true);
  skin::win32::LoadMainSkinStream(GetModuleHandleW(nullptr), SkinData1);
  skin::win32::LoadSkinStore(GetModuleHandleW(nullptr), SkinStore1);
  SkinData1.Loaded();
  OnCreate = [this] { FormCreate(); };
  OnClose = [this](ui::CloseAction&) { FormClose(); };
  OnResize = [this] { FormResize(); };
}

TfrmMain::~TfrmMain() {
  // Hooks (the skin's frame) see the window while its controls and menus
  // are whole; the skin component goes only after them.
  AnnounceDestroying();
  // The application outlives the window: its hint must not reach it after.
  ui::App().OnHint = nullptr;
  // Children before their parents: the reverse of creation.
  while (!owned_.empty()) owned_.pop_back();
}

void TfrmMain::LoadPictures() {
  AddIcons(ImageList1, IDI_TOOLBAR_FIRST, IDI_TOOLBAR_COUNT);
  AddIcons(ImageList2, IDI_TOOLBAR_FIRST, IDI_TOOLBAR_COUNT);
  AddIcons(ImgLstLarge, IDI_KIND_FIRST, IDI_KIND_COUNT);
  AddIcons(ImgLstSmall, IDI_KIND_FIRST, IDI_KIND_COUNT);
  // Shared icons: the system keeps one copy per size for the module and
  // frees it, so opening the window again does not make new ones.
  HICON appIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                0, 0, LR_DEFAULTSIZE | LR_SHARED));
  if (appIcon) {
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP),
                                                     IMAGE_ICON, 16, 16, LR_SHARED)));
  }
}

void TfrmMain::BuildMenus() {
  auto cmd = [this](void (TfrmMain::*handler)()) { return [this, handler] { RunCommand([=] { (this->*handler)(); }); }; };
  auto command = [this](std::function<void()> MainCommands::*slot) {
    return [this, slot] { RunCommand(Commands.*slot); };
  };
  auto skin = [this](int index) { return [this, index] { RunCommand([=] { SkinItemClick(index); }); }; };

  MainMenu1 = Make<ui::MainMenu>(this);
  MainMenu1->AddEntries({
      {.caption = " 文件(&F) ", .item = &mnuFile, .children = {
          {.caption = "退出(&X)", .item = &mnuExit, .onClick = cmd(&TfrmMain::mnuExitClick), .name = "mnuExit"},
      }},
      {.caption = " 查看(&V) ", .item = &mnuView, .children = {
          {.caption = "状态栏(&S)", .item = &mnuStatusbar, .onClick = cmd(&TfrmMain::mnuStatusbarClick),
           .checked = true, .autoCheck = true, .name = "mnuStatusbar"},
          {.caption = "工具栏(&T)", .item = &mnuToolbar, .onClick = cmd(&TfrmMain::mnuToolbarClick),
           .checked = true, .autoCheck = true, .name = "mnuToolbar"},
          {.caption = "工具栏", .item = &mnuToolbarImages, .children = {
              {.caption = "大图标", .item = &mnuLargeImage, .onClick = cmd(&TfrmMain::mnuLargeImageClick),
               .checked = true, .radio = true, .group = 1, .name = "mnuLargeImage"},
              {.caption = "小图标", .item = &mnuSmallImage, .onClick = cmd(&TfrmMain::mnuSmallImageClick),
               .radio = true, .group = 1, .name = "mnuSmallImage"},
          }},
          {.caption = "-"},
          {.caption = "统计信息(&I)...", .item = &mnuStatistics, .onClick = command(&MainCommands::statistics),
           .name = "mnuStatistics"},
          {.caption = "空间分布图(&M)...", .item = &mnuSpaceMapView, .onClick = command(&MainCommands::spaceMap),
           .name = "mnuSpaceMapView"},
      }},
      {.caption = " 设置(&S) ", .item = &mnuSettings, .children = {
          {.caption = "界面设置(&I)", .item = &mnuInterface, .children = {
              {.caption = "传统Windows", .item = &mnuInterfWindows, .onClick = cmd(&TfrmMain::mnuInterfWindowsClick),
               .radio = true, .group = 2, .name = "mnuInterfWindows"},
              {.caption = "MacOSX", .item = &mnuMacOSX, .onClick = skin(0), .checked = true, .radio = true,
               .group = 2, .name = "mnuMacOSX"},
              {.caption = "WinXP风格", .item = &mnuWinXP, .onClick = skin(1), .radio = true, .group = 2,
               .name = "mnuWinXP"},
              {.caption = "恋爱世纪", .item = &mnuLove, .onClick = skin(2), .radio = true, .group = 2,
               .name = "mnuLove"},
              {.caption = "碧海蓝天", .item = &mnuSky, .onClick = skin(3), .radio = true, .group = 2,
               .name = "mnuSky"},
          }},
          {.caption = "输入时即时搜索", .item = &mnuInstantSearch, .onClick = cmd(&TfrmMain::mnuInstantSearchClick),
           .autoCheck = true, .name = "mnuInstantSearch"},
      }},
      {.caption = " 维护(&M) ", .item = &mnuMaintain, .children = {
          {.caption = "数据整理(&D)", .item = &mnuCompactDB, .onClick = command(&MainCommands::compact),
           .name = "mnuCompactDB"},
          {.caption = "查找重复文件(&F)...", .item = &mnuFindDuplicates,
           .onClick = command(&MainCommands::findDuplicates), .name = "mnuFindDuplicates"},
      }},
      {.caption = " 帮助(&H) ", .item = &mnuHelpMenu, .children = {
          {.caption = "使用帮助(&H)", .item = &mnuHelp, .onClick = command(&MainCommands::help), .name = "mnuHelp"},
          {.caption = "关于...(&A)", .item = &A1, .onClick = command(&MainCommands::about), .name = "A1"},
      }},
  });

  PMnuIcon = Make<ui::PopupMenu>(this);
  PMnuIcon->Name = "PMnuIcon";
  auto style = [this](ListViewStyle s) { return [this, s] { RunCommand([=] { SetListStyle(s); }); }; };
  PMnuIcon->AddEntries({
      {.caption = "大图标(&G)", .item = &mnuGreat, .onClick = style(ListViewStyle::Icon), .radio = true,
       .group = 3, .name = "mnuGreat"},
      {.caption = "小图标(&M)", .item = &MnuSmall, .onClick = style(ListViewStyle::SmallIcon), .checked = true,
       .radio = true, .group = 3, .name = "MnuSmall"},
      {.caption = "列表(&L)", .item = &mnuList, .onClick = style(ListViewStyle::List), .radio = true, .group = 3,
       .name = "mnuList"},
      {.caption = "详细资料(&D)", .item = &MnuReport, .onClick = style(ListViewStyle::Report), .radio = true,
       .group = 3, .name = "MnuReport"},
      {.caption = "-"},
      {.caption = "查找重复文件(&F)...", .item = &mnuViewDuplicates,
       .onClick = [this] { RunCommand(Commands.findDuplicates); }, .name = "mnuViewDuplicates"},
      {.caption = "统计信息(&I)...", .item = &mnuViewStatistics,
       .onClick = [this] { RunCommand(Commands.statistics); }, .name = "mnuViewStatistics"},
  });

  PopupMenuBrowse = Make<ui::PopupMenu>(this);
  PopupMenuBrowse->Name = "PopupMenuBrowse";
  PopupMenuBrowse->AddEntries({
      {.caption = "浏览所有快照(&A)", .item = &MnuBrowseAll, .onClick = cmd(&TfrmMain::TBtnBrowseAllClick),
       .name = "MnuBrowseAll"},
      {.caption = "返回上层目录(&U)", .item = &MnuUpdir, .onClick = cmd(&TfrmMain::TBtnUpdirClick), .name = "MnuUpdir"},
      {.caption = "-"},
      {.caption = "删除快照(&D)", .item = &mnuDelete, .onClick = command(&MainCommands::deleteSnapshot),
       .name = "mnuDelete"},
      {.caption = "快照重命名(&R)", .item = &mnuRename, .onClick = command(&MainCommands::rename),
       .hint = "快照重命名", .name = "mnuRename"},
      {.caption = "-"},
      {.caption = "树状浏览(&T)", .item = &mnuTreeview, .onClick = command(&MainCommands::treeview),
       .name = "mnuTreeview"},
      {.caption = "导出快照到文件(&E)", .item = &mnuExport, .onClick = command(&MainCommands::exportSnapshot),
       .name = "mnuExport"},
      {.caption = "-"},
      {.caption = "备注信息", .item = &MnuMemo, .onClick = command(&MainCommands::memo), .name = "MnuMemo"},
      {.caption = "更新快照(&P)", .item = &mnuUpdateSnapshot, .onClick = command(&MainCommands::updateSnapshot),
       .name = "mnuUpdateSnapshot"},
      {.caption = "统计信息(&I)...", .item = &mnuBrowseStatistics, .onClick = command(&MainCommands::statistics),
       .name = "mnuBrowseStatistics"},
      {.caption = "空间分布图(&M)...", .item = &mnuSpaceMap, .onClick = command(&MainCommands::spaceMap),
       .name = "mnuSpaceMap"},
      {.caption = "-"},
      {.caption = "复制路径(&C)\tCtrl+C", .item = &mnuCopyPaths, .onClick = command(&MainCommands::copyPaths),
       .name = "mnuCopyPaths"},
      {.caption = "打开所在位置(&O)", .item = &mnuOpenLocation, .onClick = command(&MainCommands::openLocation),
       .name = "mnuOpenLocation"},
      {.caption = "在树状浏览中显示(&S)", .item = &mnuShowInTree, .onClick = command(&MainCommands::showInTree),
       .name = "mnuShowInTree"},
      {.caption = "导出搜索结果(&X)...", .item = &mnuExportHits, .onClick = command(&MainCommands::exportHits),
       .name = "mnuExportHits"},
  });
  PopupMenuBrowse->OnPopup = [this] { EnableEntryActions(); };
}

void TfrmMain::BuildToolBars() {
  CoolBar1 = Make<ui::CoolBar>(this);
  CoolBar1->Name = "CoolBar1";
  CoolBar1->SetAlign(ui::alTop);

  ToolBar1 = Make<ui::ToolBar>(CoolBar1);
  ToolBar1->Name = "ToolBar1";
  ToolBar1->SetFlat(true);
  ToolBar1->SetMenu(MainMenu1);
  CoolBar1->AddBand(ToolBar1);

  ToolBar2 = Make<ui::ToolBar>(CoolBar1);
  ToolBar2->Name = "ToolBar2";
  ToolBar2->SetFlat(true);
  ToolBar2->SetImages(ImageList1);
  ToolBar2->SetShowCaptions(false);
  struct Row {
    ui::ToolButton** button;
    const char* name;
    const char* caption;
    const char* hint;
    ui::ToolButtonStyle style;
    std::function<void()> onClick;
  };
  auto cmd = [this](void (TfrmMain::*handler)()) { return [this, handler] { RunCommand([=] { (this->*handler)(); }); }; };
  auto command = [this](std::function<void()> MainCommands::*slot) {
    return [this, slot] { RunCommand(Commands.*slot); };
  };
  const Row rows[] = {
      {&TBtnCreate, "TBtnCreate", "创建快照", "创建快照", ui::tbsButton, cmd(&TfrmMain::TBtnCreateClick)},
      {&TBtnSearch, "TBtnSearch", "检索快照", "检索快照", ui::tbsCheck, cmd(&TfrmMain::TBtnSearchClick)},
      {nullptr, nullptr, nullptr, nullptr, ui::tbsSeparator, {}},
      {&TBtnView, "TBtnView", "显示", "图标、列表或详细资料显示", ui::tbsDropDown, {}},
      {&TBtnBrowseAll, "TBtnBrowseAll", "浏览所有", "浏览所有快照", ui::tbsButton, cmd(&TfrmMain::TBtnBrowseAllClick)},
      {&TBtnTreeview, "TBtnTreeview", "树状浏览", "树状浏览", ui::tbsButton, command(&MainCommands::treeview)},
      {&TBtnUpdir, "TBtnUpdir", "返回上层", "返回上层目录", ui::tbsButton, cmd(&TfrmMain::TBtnUpdirClick)},
      {&TBtnDelete, "TBtnDelete", "删除快照", "删除快照", ui::tbsButton, command(&MainCommands::deleteSnapshot)},
      {&TBtnRename, "TBtnRename", "重命名...", "快照重命名", ui::tbsButton, command(&MainCommands::rename)},
      {&TBtnMemo, "TBtnMemo", "备注信息", "备注信息", ui::tbsButton, command(&MainCommands::memo)},
      {&TBtnExport, "TBtnExport", "导出...", "导出快照到文件", ui::tbsButton, command(&MainCommands::exportSnapshot)},
      {&BtnPrint, "BtnPrint", "打印", "打印当前视图", ui::tbsButton, command(&MainCommands::print)},
      {nullptr, nullptr, nullptr, nullptr, ui::tbsSeparator, {}},
      {&TBtnHelp, "TBtnHelp", " 帮 助 ", "查看帮助", ui::tbsButton, command(&MainCommands::help)},
  };
  int image = 0;
  for (const Row& r : rows) {
    if (r.style == ui::tbsSeparator) {
      ToolBar2->AddSeparator();
      continue;
    }
    ui::ToolButton* b = ToolBar2->AddButton(r.caption, r.hint, image++, r.style);
    b->Name = r.name;
    b->OnClick = r.onClick;
    *r.button = b;
  }
  TBtnView->DropdownMenu = PMnuIcon;
  CoolBar1->AddBand(ToolBar2);
  ToolBar2->OnSizeChanged = [this] { CoolBar1->UpdateBands(); };
}

void TfrmMain::BuildSearchPanel() {
  PnlLeft = Make<ui::Panel>(this);
  PnlLeft->Name = "PnlLeft";
  PnlLeft->BevelOuter = ui::bvNone;
  PnlLeft->SetAlign(ui::alLeft);
  PnlLeft->SetWidth(185);

  PnlTitle = Make<ui::Panel>(PnlLeft, "  Vorlune");
  PnlTitle->Name = "PnlTitle";
  PnlTitle->CaptionAlignment = ui::taLeftJustify;
  PnlTitle->BevelOuter = ui::bvNone;
  PnlTitle->SetAlign(ui::alTop);
  PnlTitle->SetHeight(22);
  const COLORREF titleColor = RGB(58, 110, 165);
  PnlTitle->SetColor(titleColor);
  PnlTitle->SetFontColor(RGB(255, 255, 255));
  // White on the title blue in every look: a skin's face would leave the
  // white title unreadable, so the skin leaves this panel alone.
  PnlTitle->Tag = 99;

  Image8 = Make<ui::Image>(PnlTitle);
  Image8->Name = "Image8";
  Image8->SetPicture(MakeCloseGlyph(titleColor));
  Image8->SetBounds(185 - 12 - 6, 5, 12, 12);
  Image8->SetCursor(IDC_HAND);
  Image8->OnClick = [this] { RunCommand([this] { Image8Click(); }); };

  LblSearch = Make<ui::Label>(PnlLeft, "要搜索的文件或文件夹名为：");
  LblSearch->Name = "Label1";
  LblSearch->SetBounds(8, 34, 170, 14);

  EdtSearch = Make<ui::Edit>(PnlLeft);
  EdtSearch->Name = "EdtSearch";
  EdtSearch->SetBounds(8, 52, 147, 22);
  // The texts searched for lately, from a button beside the box or Alt+Down.
  BtnSearchHistory = Make<ui::Button>(PnlLeft, "▼");
  BtnSearchHistory->Name = "BtnSearchHistory";
  BtnSearchHistory->SetBounds(156, 52, 21, 22);
  BtnSearchHistory->OnClick = [this] { RunCommand([this] { ShowSearchHistory(); }); };
  PMnuSearchHistory = Make<ui::PopupMenu>(this);
  PMnuSearchHistory->Name = "PMnuSearchHistory";
  EdtSearch->OnKeyUp = [this](WORD& key, ui::ShiftState) {
    WORD k = key;
    RunCommand([this, k] { EdtSearchKeyUp(k); });
  };
  EdtSearch->OnChange = [this] { RunCommand([this] { EdtSearchChange(); }); };
  TmrInstantSearch = Make<ui::Timer>(this, kInstantSearchDelayMs, false);
  TmrInstantSearch->OnTimer = [this] { RunCommand([this] { TmrInstantSearchTimer(); }); };
  TmrNameIndex = Make<ui::Timer>(this, 10, false);
  TmrNameIndex->OnTimer = [this] { RunCommand([this] { TmrNameIndexTimer(); }); };

  BtnBeginSearch = Make<ui::Button>(PnlLeft, "立即搜索(&S)");
  BtnBeginSearch->Name = "BtnBeginSearch";
  BtnBeginSearch->SetBounds(8, 84, 82, 25);
  BtnBeginSearch->OnClick = [this] { RunCommand([this] { BtnBeginSearchClick(); }); };

  BtnStopSearch = Make<ui::Button>(PnlLeft, "停止搜索(&P)");
  BtnStopSearch->Name = "BtnStopSearch";
  BtnStopSearch->SetBounds(95, 84, 82, 25);
  BtnStopSearch->SetEnabled(false);
  BtnStopSearch->OnClick = [this] { RunCommand([this] { BtnStopSearchClick(); }); };

  GroupBox1 = Make<ui::GroupBox>(PnlLeft, "搜索选项：");
  GroupBox1->Name = "GroupBox1";
  GroupBox1->SetBounds(8, 120, 169, 72);
  ChkFolder = Make<ui::CheckBox>(GroupBox1, "搜索文件夹");
  ChkFolder->Name = "ChkFolder";
  ChkFolder->SetBounds(14, 20, 140, 20);
  ChkFolder->SetChecked(true);
  ChkFile = Make<ui::CheckBox>(GroupBox1, "搜索文件");
  ChkFile->Name = "ChkFile";
  ChkFile->SetBounds(14, 44, 140, 20);
  ChkFile->SetChecked(true);
  ChkFolder->OnClick = [this] { RunCommand([this] { ChkFolderClick(); }); };
  ChkFile->OnClick = ChkFolder->OnClick;

  BtnMoreConditions = Make<ui::Button>(PnlLeft, "更多条件(&O) >>");
  BtnMoreConditions->Name = "BtnMoreConditions";
  BtnMoreConditions->SetBounds(8, 198, 169, 23);
  BtnMoreConditions->OnClick = [this] { RunCommand([this] { BtnMoreConditionsClick(); }); };
  PnlConditions = Make<maintain::ConditionsPanel>(PnlLeft, [this] { return SelectedLabel(); });
  PnlConditions->SetBounds(8, 226, 169, maintain::ConditionsPanel::kHeight);
  PnlConditions->SetVisible(false);

  // Holds the export's lines before they are written.
  Memo1 = Make<ui::Memo>(PnlLeft);
  Memo1->Name = "Memo1";
  Memo1->SetBounds(8, 200, 169, 60);
  Memo1->SetVisible(false);

  Splitter1 = Make<ui::Splitter>(this, ui::alLeft);
  Splitter1->Name = "Splitter1";
  Splitter1->SetWidth(4);
}

void TfrmMain::BuildList() {
  ListView1 = Make<ui::ListView>(this);
  ListView1->Name = "ListView1";
  ListView1->SetAlign(ui::alClient);
  ListView1->SetReadOnly(true);
  ListView1->SetLargeImages(ImgLstLarge);
  ListView1->SetSmallImages(ImgLstSmall);
  ListView1->SetViewStyle(ui::vsSmallIcon);
  ListView1->popupMenu = PopupMenuBrowse;
  ListView1->OnDblClick = [this] { RunCommand([this] { ListView1DblClick(); }); };
  ListView1->OnKeyDown = [this](WORD& key, ui::ShiftState) {
    WORD k = key;
    RunCommand([this, k]() mutable { ListView1KeyDown(k); });
  };
  ListView1->OnSelectItem = [this](ui::ListItem* item, bool selected) {
    RunCommand([=] { ListView1SelectItem(item, selected); });
  };
}

}  // namespace app
