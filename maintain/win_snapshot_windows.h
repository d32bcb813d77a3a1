// The windows of browsing and catalogue maintenance that the main window
// shows, created together and connected to the main window: the program
// entry creates them right after TfrmCreate and puts the handlers into the
// main window's command slots.
//
//   windows = std::make_unique<maintain::SnapshotWindows>(*frmMain);   // after TfrmCreate
//   frmMain->Commands.deleteSnapshot = windows->DeleteCommand();      // and so on
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/win_main_window.h"
#include "browse/column_sort.h"
#include "browse/win_unit_treeview.h"
#include "catalog/connection.h"
#include "catalog/query.h"
#include "maintain/win_commands.h"
#include "maintain/win_unit_about.h"
#include "ui/dialogs.h"
#include "ui/image_list.h"
#include "ui/list_view.h"

namespace maintain {

class SnapshotWindows {
 public:
  // Creates TfrmRename, TfrmAbout, TfrmCompactDB, TfrmTreeview and TfrmMemo,
  // in this order, as forms of the application, and the main window's save
  // and print dialogs.
  // `main` outlives these windows.
  explicit SnapshotWindows(shell::MainWindow& main);

  TfrmRename* frmRename;
  TfrmAbout* frmAbout;
  TfrmCompactDB* frmCompactDB;
  browse::TfrmTreeview* frmTreeview;
  TfrmMemo* frmMemo;
  ui::SaveDialog SaveDialog1;
  ui::PrintDialog PrintDialog1;

  // Handlers for the main window's command slots and events.
  std::function<void()> DeleteCommand();      // TBtnDeleteClick (also the Delete key)
  std::function<void()> RenameCommand();      // TBtnRenameClick
  std::function<void()> MemoCommand();        // TBtnMemoClick
  std::function<void()> ExportCommand();      // TBtnExportClick
  std::function<void()> TreeviewCommand();    // TBtnTreeviewClick
  std::function<void()> PrintCommand();       // BtnPrintClick
  std::function<void()> CompactCommand();     // mnuCompactDBClick
  std::function<void()> AboutCommand();       // A1Click
  std::function<void()> HelpCommand();        // TBtnHelpClick
  std::function<void(ui::ListColumn*)> ColumnClick();  // ListView1ColumnClick
  // On the entries selected in the list.
  std::function<void()> CopyPathsCommand();
  std::function<void()> OpenLocationCommand();
  std::function<void()> ShowInTreeCommand();
  std::function<void()> ExportHitsCommand();

 private:
  shell::MainWindow& main_;
};

}  // namespace maintain
