// The program's windows and how they are connected: the main window first,
// then the six windows it shows modally, each bound to the main window's
// catalogue connection. Tests start the same program in-process.
#pragma once

#include <memory>

#include "app/win_main_form.h"
#include "maintain/win_snapshot_windows.h"

namespace app {

class Program {
 public:
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates TfrmMain, TfrmCreate, TfrmRename, TfrmAbout, TfrmCompactDB,
  // TfrmTreeview, TfrmMemo, TfrmDuplicates, TfrmSpaceMap and TfrmStatistics,
  // in that order, and connects the commands.
  void CreateWindows();
  // Destroys the windows (the main window last).
  void Shutdown();

  TfrmMain* frmMain = nullptr;
  ui::Form* frmCreate = nullptr;
  ui::Form* frmRename = nullptr;
  ui::Form* frmAbout = nullptr;
  ui::Form* frmCompactDB = nullptr;
  ui::Form* frmTreeview = nullptr;
  ui::Form* frmMemo = nullptr;
  ui::Form* frmDuplicates = nullptr;
  ui::Form* frmSpaceMap = nullptr;
  ui::Form* frmStatistics = nullptr;

 private:
  std::unique_ptr<maintain::SnapshotWindows> windows_;
};

}  // namespace app
