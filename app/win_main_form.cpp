// The main window's start-up, close, settings and view commands.
#include <exception>

#include "app/win_main_form.h"
#include "catalog/connection.h"
#include "platform/ini.h"
#include "skin/win/win_skin_resources.h"

namespace app {

void TfrmMain::RunCommand(const std::function<void()>& command) {
  if (command) command();
}

std::string TfrmMain::SettingsPath() const { return ui::App().ExeFolder() + "Kestrova.ini"; }

void TfrmMain::FormCreate() {
  ui::App().HelpFile = ui::App().ExeFolder() + "Kestrova.chm";
  SetCaption(ui::App().Title);
  ui::App().OnHint = [this] { OnHint(); };

  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(&version);
#pragma GCC diagnostic pop
  OsNewerThan50 = app::OsNewerThan50(version.dwMajorVersion, version.dwMinorVersion);

  ApplySettings(ReadMainSettings(ini::IniFile(SettingsPath())));

  // A failure from here on is shown by the default error handler and skips
  // the remaining steps; the window still opens, without the list.
  ADOCn.SetConnectionString(catalog::BuildConnectionString(ui::App().ExeFolder()));
  ADOCn.Open();
  SortAscending = browse::ColumnSortState();
  BrowseAll();
  TmrNameIndex->SetEnabled(true);
  if (!ui::PrintDialog::PrinterInstalled()) BtnPrint->SetEnabled(false);
}

void TfrmMain::ApplySettings(const MainSettings& s) {
  SetListStyle(s.listStyle);
  SkinIndex = s.skinIndex;
  // A negative index is no skin of the store: the plain look, as for 4 or
  // more, instead of an index error during start-up.
  if (SkinIndex >= 0 && SkinIndex < kSkinCount) {
    ui::MenuItem* items[kSkinCount] = {mnuMacOSX, mnuWinXP, mnuLove, mnuSky};
    items[SkinIndex]->SetChecked(true);
    ActivateSkin(SkinIndex);
  } else {
    mnuInterfWindows->SetChecked(true);
    SkinData1.SetActive(false);
  }
  TBtnSearch->SetDown(s.searchShown);
  mnuInstantSearch->SetChecked(s.instantSearch);
  ShowConditions(s.moreConditions);
  SearchHistory = s.searchHistory;
  if (s.showCaption) {
    mnuSmallImage->SetChecked(true);
    ToolBar2->SetImages(ImageList2);
    ToolBar2->SetShowCaptions(true);
  } else {
    mnuLargeImage->SetChecked(true);
    ToolBar2->SetShowCaptions(false);
    ToolBar2->SetImages(ImageList1);
  }
  CoolBar1->UpdateBands();
  PnlLeft->SetVisible(TBtnSearch->Down());
  Splitter1->SetVisible(TBtnSearch->Down());
}

MainSettings TfrmMain::CurrentSettings() const {
  MainSettings s;
  s.listStyle = ListStyle();
  s.skinIndex = SkinIndex;
  s.searchShown = TBtnSearch->Down();
  s.showCaption = ToolBar2->ShowCaptions();
  s.instantSearch = mnuInstantSearch->Checked();
  s.moreConditions = PnlConditions->Visible();
  s.searchHistory = SearchHistory;
  return s;
}

void TfrmMain::FormClose() {
  SearchRunning = false;
  ADOQry.Close();
  ADOCn.Close();
  ini::IniFile file(SettingsPath());
  WriteMainSettings(file, CurrentSettings(), SkinData1.Active());
  // Where the settings cannot be written (a CD, a write-protected stick)
  // the view choices are not kept, without a box at every exit: they are
  // only the look of the windows.
  file.SaveIfWritable();
}

void TfrmMain::FormResize() { ListView1->Invalidate(); }

void TfrmMain::OnHint() { StatusBar1->SetPanelText(0, ui::App().Hint()); }

void TfrmMain::mnuExitClick() { Close(); }

void TfrmMain::TBtnCreateClick() { RunCommand(Commands.create); }

void TfrmMain::TBtnSearchClick() {
  PnlLeft->SetVisible(TBtnSearch->Down());
  Splitter1->SetVisible(TBtnSearch->Down());
  Realign();
}

void TfrmMain::Image8Click() {
  PnlLeft->SetVisible(false);
  Splitter1->SetVisible(false);
  TBtnSearch->SetDown(false);
  Realign();
}

void TfrmMain::SetListStyle(ListViewStyle style) {
  switch (style) {
    case ListViewStyle::Icon:
      ListView1->SetViewStyle(ui::vsIcon);
      mnuGreat->SetChecked(true);
      break;
    case ListViewStyle::SmallIcon:
      ListView1->SetViewStyle(ui::vsSmallIcon);
      MnuSmall->SetChecked(true);
      break;
    case ListViewStyle::List:
      ListView1->SetViewStyle(ui::vsList);
      mnuList->SetChecked(true);
      break;
    case ListViewStyle::Report:
      ListView1->SetViewStyle(ui::vsReport);
      MnuReport->SetChecked(true);
      break;
  }
}

ListViewStyle TfrmMain::ListStyle() const {
  switch (ListView1->GetViewStyle()) {
    case ui::vsIcon: return ListViewStyle::Icon;
    case ui::vsList: return ListViewStyle::List;
    case ui::vsReport: return ListViewStyle::Report;
    case ui::vsSmallIcon: break;
  }
  return ListViewStyle::SmallIcon;
}

void TfrmMain::mnuToolbarClick() {
  ToolBar2->SetVisible(mnuToolbar->Checked());
  CoolBar1->UpdateBands();
  Realign();
}

void TfrmMain::mnuStatusbarClick() {
  StatusBar1->SetVisible(mnuStatusbar->Checked());
  Realign();
}

// Large pictures never show captions and small pictures always do.
void TfrmMain::mnuLargeImageClick() {
  mnuLargeImage->SetChecked(true);
  ToolBar2->SetShowCaptions(false);
  ToolBar2->SetImages(ImageList1);
  CoolBar1->UpdateBands();
  Realign();
}

void TfrmMain::mnuSmallImageClick() {
  mnuSmallImage->SetChecked(true);
  ToolBar2->SetImages(ImageList2);
  ToolBar2->SetShowCaptions(true);
  CoolBar1->UpdateBands();
  Realign();
}

void TfrmMain::mnuInterfWindowsClick() {
  SkinIndex = 99;
  mnuInterfWindows->SetChecked(true);
  // The loaded skin stays for a later choice.
  SkinData1.SetActive(false);
}

void TfrmMain::SkinItemClick(int index) {
  ui::MenuItem* items[kSkinCount] = {mnuMacOSX, mnuWinXP, mnuLove, mnuSky};
  items[index]->SetChecked(true);
  SkinIndex = index;
  ActivateSkin(index);
}

void TfrmMain::ActivateSkin(int index) {
  SkinData1.LoadFromStore(SkinStore1, index);
  SkinData1.SetActive(true);
}

}  // namespace app
