#include "app/win_program.h"

#include "create/win_unit_create.h"
#include "duplicates/win_duplicates_window.h"
#include "stats/win_space_map_window.h"
#include "stats/win_statistics_window.h"

namespace app {

Program::Program() = default;
Program::~Program() = default;

void Program::CreateWindows() {
  frmMain = ui::App().CreateForm<TfrmMain>();
  TfrmMain* m = frmMain;

  auto* createForm = ui::App().CreateForm<create::TfrmCreate>(*m);
  frmCreate = createForm;
  m->OtherQueries = {&createForm->ADOQryCreate};
  windows_ = std::make_unique<maintain::SnapshotWindows>(*m);
  frmRename = windows_->frmRename;
  frmAbout = windows_->frmAbout;
  frmCompactDB = windows_->frmCompactDB;
  frmTreeview = windows_->frmTreeview;
  frmMemo = windows_->frmMemo;
  auto* duplicatesForm = ui::App().CreateForm<duplicates::TfrmDuplicates>(*m, *windows_->frmTreeview);
  frmDuplicates = duplicatesForm;
  auto* mapForm = ui::App().CreateForm<stats::TfrmSpaceMap>(*m, *windows_->frmTreeview);
  frmSpaceMap = mapForm;
  auto* statsForm = ui::App().CreateForm<stats::TfrmStatistics>(*m, *windows_->frmTreeview, *mapForm);
  frmStatistics = statsForm;

  MainCommands& c = m->Commands;
  c.create = [createForm, m] {
    // A catalogue that cannot be written says so before the window shows.
    m->ADOCn.RequireWritable();
    createForm->ShowModal();
  };
  c.updateSnapshot = [createForm, m] {
    m->ADOCn.RequireWritable();
    const std::string root = m->DriveOfSelectedSnapshot();
    if (root.empty()) return;
    createForm->UpdateOnShowRoot = root;
    createForm->ShowModal();
  };
  c.deleteSnapshot = windows_->DeleteCommand();
  c.rename = windows_->RenameCommand();
  c.memo = windows_->MemoCommand();
  c.exportSnapshot = windows_->ExportCommand();
  c.treeview = windows_->TreeviewCommand();
  c.print = windows_->PrintCommand();
  c.compact = windows_->CompactCommand();
  c.about = windows_->AboutCommand();
  c.help = windows_->HelpCommand();
  c.copyPaths = windows_->CopyPathsCommand();
  c.openLocation = windows_->OpenLocationCommand();
  c.showInTree = windows_->ShowInTreeCommand();
  c.exportHits = windows_->ExportHitsCommand();
  c.findDuplicates = [duplicatesForm] { duplicatesForm->ShowModal(); };
  c.statistics = [statsForm, m] {
    // The snapshot selected or browsed; the whole catalogue otherwise.
    const std::string label = m->SnapshotInView();
    statsForm->Labels.clear();
    if (!label.empty()) statsForm->Labels.push_back(label);
    statsForm->ShowModal();
  };
  c.spaceMap = [mapForm, m] {
    const std::string label = m->SnapshotInView();
    if (label.empty()) {
      ui::ShowMessageBox(m, "请先选择一个快照。", MB_OK | MB_ICONINFORMATION);
      return;
    }
    mapForm->SnapshotLabel = label;
    mapForm->ShowModal();
  };
  m->ListView1->OnColumnClick = windows_->ColumnClick();
}

void Program::Shutdown() {
  ui::App().DestroyForms();
  windows_.reset();
}

}  // namespace app
