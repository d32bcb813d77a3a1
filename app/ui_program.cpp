#include "app/program.h"

#include "create/win_unit_create.h"

namespace app {

maintain::SearchPanelParts SearchPanelOf(TfrmMain& m) {
  maintain::SearchPanelParts panel;
  panel.query = &m.ADOQry;
  panel.searchRunning = &m.SearchRunning;
  panel.currentPath = &m.CurrentPath;
  panel.list = m.ListView1;
  panel.edit = m.EdtSearch;
  panel.beginButton = m.BtnBeginSearch;
  panel.stopButton = m.BtnStopSearch;
  panel.folderOption = m.ChkFolder;
  panel.fileOption = m.ChkFile;
  panel.updirButton = m.TBtnUpdir;
  panel.updirItem = m.MnuUpdir;
  panel.setStatus = [&m](const std::string& text) { m.SetLocationStatus(text); };
  return panel;
}

maintain::MainWindowParts WindowPartsOf(TfrmMain& m) {
  maintain::MainWindowParts parts;
  parts.form = &m;
  parts.connection = &m.ADOCn;
  parts.query = &m.ADOQry;
  parts.list = m.ListView1;
  parts.smallImages = m.ImgLstSmall;
  parts.sortAscending = &m.SortAscending;
  parts.currentPath = &m.CurrentPath;
  parts.osNewerThan50 = &m.OsNewerThan50;
  parts.skinActive = &m.SkinActive;
  parts.browseAll = [&m] { m.BrowseAll(); };
  parts.setLocationStatus = [&m](const std::string& s) { m.SetLocationStatus(s); };
  parts.showFileDetails = [&m](ui::Form* owner, const std::string& location, const std::string& name) {
    m.ShowFileDetails(owner, location, name);
  };
  return parts;
}

Program::Program() = default;
Program::~Program() = default;

void Program::CreateWindows() {
  frmMain = ui::App().CreateForm<TfrmMain>();
  TfrmMain* m = frmMain;

  create::MainWindowLinks links;
  links.connection = &m->ADOCn;
  links.mainForm = m;
  links.browseAll = [m] { m->BrowseAll(); };
  links.setStatusText = [m](std::string_view s) { m->SetLocationStatus(std::string(s)); };
  auto* createForm = ui::App().CreateForm<create::TfrmCreate>(links);
  frmCreate = createForm;

  maintain::MainWindowParts parts = WindowPartsOf(*m);
  parts.otherQueries = {&createForm->ADOQryCreate};
  windows_ = std::make_unique<maintain::SnapshotWindows>(parts);
  frmRename = windows_->frmRename;
  frmAbout = windows_->frmAbout;
  frmCompactDB = windows_->frmCompactDB;
  frmTreeview = windows_->frmTreeview;
  frmMemo = windows_->frmMemo;

  MainCommands& c = m->Commands;
  c.create = [createForm, m] {
    // A catalogue that cannot be written says so before the window shows.
    m->ADOCn.RequireWritable();
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
  auto columnClick = windows_->ColumnClick();
  m->ListView1->OnColumnClick = [columnClick](ui::ListColumn* column) {
    try {
      columnClick(column);
    } catch (const std::exception& e) {
      ui::App().HandleException(e);
    }
  };
}

void Program::Shutdown() {
  ui::App().DestroyForms();
  windows_.reset();
}

}  // namespace app
