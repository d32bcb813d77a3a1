// TfrmMain: the main window. It owns the one catalogue connection and its
// query, the list that shows every result, and the state the other windows
// read (`CurrentPath`, `SearchRunning`, `SkinIndex`, `OsNewerThan50`,
// `SortAscending`). Commands carried out by other windows are reached through
// `Commands`, which the program entry connects once every window exists.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_settings.h"
#include "shell/win_main_window.h"
#include "browse/column_sort.h"
#include "catalog/connection.h"
#include "catalog/query.h"
#include "catalog/snapshot_facts.h"
#include "maintain/win_conditions_panel.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_store.h"
#include "ui/ui.h"

namespace app {

// What the toolbar and menus start in other windows.
struct MainCommands {
  std::function<void()> create;       // 创建快照
  std::function<void()> treeview;     // 树状浏览
  std::function<void()> deleteSnapshot;
  std::function<void()> rename;
  std::function<void()> memo;
  std::function<void()> exportSnapshot;
  std::function<void()> print;
  std::function<void()> help;
  std::function<void()> about;
  std::function<void()> compact;
  std::function<void()> updateSnapshot;  // 更新快照: the selected snapshot's disk is in a drive
  // On the entries selected in the list (search hits, a folder's entries).
  std::function<void()> copyPaths;     // 复制路径 (Ctrl+C)
  std::function<void()> openLocation;  // 打开所在位置
  std::function<void()> showInTree;    // 在树状浏览中显示
  std::function<void()> exportHits;    // 导出搜索结果...
  std::function<void()> findDuplicates;  // 查找重复文件...
  std::function<void()> statistics;      // 统计信息...: the selected snapshots, or all
  std::function<void()> spaceMap;        // 空间分布图...: the snapshot selected or browsed
};

class TfrmMain : public ui::Form, public shell::MainWindow {
 public:
  TfrmMain();
  ~TfrmMain() override;

  // --- what the other windows use (MainWindow)
  ui::Form& form() override { return *this; }
  catalog::Connection& connection() override { return ADOCn; }
  catalog::Query& query() override { return ADOQry; }
  ui::ListView& list() override { return *ListView1; }
  ui::ImageList& smallImages() override { return *ImgLstSmall; }
  std::string& currentPath() override { return CurrentPath; }
  bool& searchRunning() override { return SearchRunning; }
  browse::ColumnSortState& sortAscending() override { return SortAscending; }
  bool osNewerThan50() const override { return OsNewerThan50; }
  bool skinActive() const override { return SkinData1.Active(); }
  shell::SearchControls searchControls() override;
  std::vector<catalog::Query*> otherQueries() override { return OtherQueries; }
  std::string DriveOfSnapshot(const std::string& label) override;

  // --- state shared with the other windows
  catalog::Connection ADOCn;
  catalog::Query ADOQry{&ADOCn};
  std::string CurrentPath;
  bool SearchRunning = false;
  int32_t SkinIndex = 0;
  bool OsNewerThan50 = false;
  browse::ColumnSortState SortAscending;
  MainCommands Commands;
  // Queries of the other windows on ADOCn (the program entry fills it).
  std::vector<catalog::Query*> OtherQueries;
  // The program's four skins and the skin component that carries the one in
  // use (both filled from the executable's resources).
  skin::TSkinStore SkinStore1;
  skin::TSkinData SkinData1;
  // The number of skins the store holds.
  static constexpr int kSkinCount = 4;

  // --- controls
  ui::MainMenu* MainMenu1;
  ui::MenuItem *mnuFile, *mnuExit;
  ui::MenuItem *mnuView, *mnuStatusbar, *mnuToolbar, *mnuToolbarImages, *mnuLargeImage, *mnuSmallImage;
  ui::MenuItem *mnuSettings, *mnuInterface, *mnuInterfWindows, *mnuMacOSX, *mnuWinXP, *mnuLove, *mnuSky;
  ui::MenuItem* mnuInstantSearch;  // 输入时即时搜索
  ui::MenuItem *mnuMaintain, *mnuCompactDB;
  ui::MenuItem* mnuFindDuplicates = nullptr;      // in the maintain menu
  ui::MenuItem* mnuViewDuplicates = nullptr;      // in the view button's drop-down
  ui::MenuItem *mnuStatistics = nullptr, *mnuViewStatistics = nullptr, *mnuBrowseStatistics = nullptr;
  ui::MenuItem *mnuSpaceMapView = nullptr, *mnuSpaceMap = nullptr;
  ui::MenuItem *mnuHelpMenu, *mnuHelp, *A1;
  ui::PopupMenu* PMnuIcon;
  ui::MenuItem *mnuGreat, *MnuSmall, *mnuList, *MnuReport;
  ui::PopupMenu* PopupMenuBrowse;
  ui::MenuItem *MnuBrowseAll, *MnuUpdir, *mnuDelete, *mnuRename, *mnuTreeview, *mnuExport, *MnuMemo;
  ui::MenuItem* mnuUpdateSnapshot = nullptr;
  ui::Button* BtnMoreConditions = nullptr;
  ui::Button* BtnSearchHistory = nullptr;
  ui::PopupMenu* PMnuSearchHistory = nullptr;
  std::vector<std::string> SearchHistory;  // the latest first
  maintain::ConditionsPanel* PnlConditions = nullptr;
  ui::MenuItem* mnuCopyPaths = nullptr;
  ui::MenuItem* mnuOpenLocation = nullptr;
  ui::MenuItem* mnuShowInTree = nullptr;
  ui::MenuItem* mnuExportHits = nullptr;

  ui::CoolBar* CoolBar1;
  ui::ToolBar* ToolBar1;
  ui::ToolBar* ToolBar2;
  ui::ToolButton *TBtnCreate, *TBtnSearch, *TBtnView, *TBtnBrowseAll, *TBtnTreeview, *TBtnUpdir, *TBtnDelete,
      *TBtnRename, *TBtnMemo, *TBtnExport, *BtnPrint, *TBtnHelp;

  ui::Panel* PnlLeft;
  ui::Panel* PnlTitle;
  ui::Image* Image8;
  ui::Label* LblSearch;
  ui::Edit* EdtSearch;
  ui::Button* BtnBeginSearch;
  ui::Button* BtnStopSearch;
  ui::GroupBox* GroupBox1;
  ui::CheckBox* ChkFolder;
  ui::CheckBox* ChkFile;
  ui::Memo* Memo1;
  ui::Splitter* Splitter1;
  ui::ListView* ListView1;
  ui::StatusBar* StatusBar1;
  ui::ImageList *ImageList1, *ImageList2, *ImgLstLarge, *ImgLstSmall;
  // Runs the search once typing in EdtSearch has paused, when
  // mnuInstantSearch is checked.
  ui::Timer* TmrInstantSearch;
  static constexpr unsigned kInstantSearchDelayMs = 150;
  // Searches the timer started (tests count them).
  int InstantSearchesRun = 0;
  // Reads the names of the catalogue into memory in slices after start-up,
  // so that the first search does not wait for it.
  ui::Timer* TmrNameIndex;

  // --- start-up and close
  void FormCreate();
  void FormClose();
  void FormResize();
  void OnHint();
  // Kestrova.ini beside the executable.
  std::string SettingsPath() const;

  // --- view and settings commands
  void mnuExitClick();
  void TBtnCreateClick();
  void TBtnSearchClick();
  void Image8Click();
  void SetListStyle(ListViewStyle style);
  ListViewStyle ListStyle() const;
  void mnuToolbarClick();
  void mnuStatusbarClick();
  void mnuLargeImageClick();
  void mnuSmallImageClick();
  void mnuInterfWindowsClick();
  void SkinItemClick(int index);
  // Loads skin `index` of the store and switches skinning on (which does
  // nothing when that skin cannot be loaded).
  void ActivateSkin(int index);

  // --- the list's modes and navigation
  void BrowseAll() override;
  std::string OpenSnapshot(const std::string& label);
  std::string OpenFolder(const std::string& location, const std::string& name);
  void ShowFileDetails(ui::Form* owner, const std::string& location, const std::string& name) override;
  void ListView1DblClick();
  void ListView1KeyDown(WORD& key);
  void ListView1SelectItem(ui::ListItem* item, bool selected);
  void TBtnUpdirClick();
  void TBtnBrowseAllClick();
  // The five snapshot commands enabled or disabled together, menu twins too.
  void SetSnapshotCommandsEnabled(bool on);
  void CopyButtonStatesToMenu();
  // The list menu's actions on entries, enabled as the list's selection
  // allows, when the menu opens.
  void EnableEntryActions();
  void BtnMoreConditionsClick();
  void ShowConditions(bool on);
  void ShowSearchHistory();
  void SetLocationStatus(const std::string& text) override;
  // --- catalogued disks in the drives (app/win_main_devices.cpp)
  // The root of the drive holding the selected snapshot's disk ("" none).
  std::string DriveOfSelectedSnapshot();
  // Reads the volumes of the present drives again (when first needed and
  // at each device change).
  void RefreshPresentVolumes();
  // A volume arrived in drives of `unitMask` (bit 0 A:): the status line
  // names its snapshot and the snapshot list selects it.
  void VolumesArrived(DWORD unitMask);
  void WndProc(ui::Message& m) override;
  // Root and identity of each present drive that gave a serial number.
  std::vector<std::pair<std::string, catalog::VolumeIdentity>> PresentVolumes;
  std::function<catalog::VolumeIdentity(const std::string& root)> VolumeOf;
  catalog::Query DeviceQry{&ADOCn};
  bool presentVolumesRead_ = false;

  // --- search
  void BtnBeginSearchClick();
  void BtnStopSearchClick();
  void ChkFolderClick();
  void EdtSearchKeyUp(WORD key);
  void EdtSearchChange();
  void TmrInstantSearchTimer();
  void mnuInstantSearchClick();
  void TmrNameIndexTimer();

  // The label of the selected snapshot ("" when none is selected).
  std::string SelectedLabel() const;
  // The snapshot the list shows or has selected: the selected one in the
  // snapshot list, the one browsed into, none for search hits.
  std::string SnapshotInView() const;

 private:
  template <class T, class... Args>
  T* Make(Args&&... args) {
    auto p = std::make_unique<T>(std::forward<Args>(args)...);
    T* raw = p.get();
    owned_.push_back(std::move(p));
    return raw;
  }
  void BuildMenus();
  void BuildToolBars();
  void BuildSearchPanel();
  void BuildList();
  void LoadPictures();
  void RunCommand(const std::function<void()>& command);
  void FillFolderColumns(bool lastColumnFixed);
  void AddRowItems();
  void ApplySettings(const MainSettings& s);
  MainSettings CurrentSettings() const;

  std::vector<std::unique_ptr<ui::Component>> owned_;
};

}  // namespace app
