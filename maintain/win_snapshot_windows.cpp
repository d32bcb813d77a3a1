#include "maintain/win_snapshot_windows.h"

#include "maintain/win_entry_actions.h"
#include "maintain/win_hit_rows.h"

#include "browse/win_print_view.h"
#include "browse/win_sort_list.h"
#include "ui/application.h"

namespace maintain {

SnapshotWindows::SnapshotWindows(shell::MainWindow& main)
    : frmRename(ui::App().CreateForm<TfrmRename>(&main.query())),
      frmAbout(ui::App().CreateForm<TfrmAbout>()),
      frmCompactDB(ui::App().CreateForm<TfrmCompactDB>(&main.connection(), ui::App().ExeFolder())),
      frmTreeview(ui::App().CreateForm<browse::TfrmTreeview>(
          &main.connection(), &main.smallImages(),
          [&main](ui::Form* owner, const std::string& location, const std::string& name) {
            main.ShowFileDetails(owner, location, name);
          })),
      frmMemo(ui::App().CreateForm<TfrmMemo>()),
      SaveDialog1(&main.form()),
      PrintDialog1(&main.form()),
      main_(main) {
  frmCompactDB->Queries = {&main.query(), &frmTreeview->ADOQryTree};
  for (catalog::Query* q : main.otherQueries()) frmCompactDB->Queries.push_back(q);
}

std::function<void()> SnapshotWindows::DeleteCommand() {
  return [this] { TBtnDeleteClick(main_); };
}

std::function<void()> SnapshotWindows::RenameCommand() {
  return [this] { TBtnRenameClick(main_, *frmRename); };
}

std::function<void()> SnapshotWindows::MemoCommand() {
  return [this] { TBtnMemoClick(main_, *frmMemo); };
}

std::function<void()> SnapshotWindows::ExportCommand() {
  return [this] {
    TBtnExportClick(main_, SaveDialog1);
  };
}

std::function<void()> SnapshotWindows::TreeviewCommand() {
  return [this] {
    browse::TBtnTreeviewClick(&main_.list(), [this](const std::string& s) { main_.SetLocationStatus(s); },
                              *frmTreeview);
  };
}

std::function<void()> SnapshotWindows::PrintCommand() {
  return [this] {
    browse::DialogPrinter printer(PrintDialog1);
    browse::PrintControl(main_.form().Handle(), main_.list().Handle(), printer);
  };
}

std::function<void()> SnapshotWindows::CompactCommand() {
  return [this] { mnuCompactDBClick(*frmCompactDB); };
}

std::function<void()> SnapshotWindows::AboutCommand() {
  return [this] { A1Click(*frmAbout); };
}

std::function<void()> SnapshotWindows::HelpCommand() {
  return [this] { TBtnHelpClick(&main_.form()); };
}

std::function<void(ui::ListColumn*)> SnapshotWindows::ColumnClick() {
  return [this](ui::ListColumn* column) {
    // Hits are sorted in memory by the table under the list.
    if (auto* hits = dynamic_cast<HitRows*>(main_.list().Rows())) {
      ui::ListView::UpdateLock lock(main_.list());
      hits->SortByColumn(browse::ColumnPosition(main_.list(), column));
      main_.list().RowsChanged();
      return;
    }
    browse::SortByColumn(main_.list(), browse::ColumnPosition(main_.list(), column), main_.sortAscending(),
                         main_.currentPath().empty());
  };
}

std::function<void()> SnapshotWindows::CopyPathsCommand() {
  return [this] { CopyPaths(main_.form().Handle(), SelectedEntries(main_.list(), main_.currentPath())); };
}

std::function<void()> SnapshotWindows::OpenLocationCommand() {
  return [this] {
    const auto entries = SelectedEntries(main_.list(), main_.currentPath());
    if (!entries.empty()) OpenLocation(main_, main_.form(), entries.front());
  };
}

std::function<void()> SnapshotWindows::ShowInTreeCommand() {
  return [this] {
    const auto entries = SelectedEntries(main_.list(), main_.currentPath());
    if (!entries.empty()) ShowInTreeView(main_, *frmTreeview, entries.front());
  };
}

std::function<void()> SnapshotWindows::ExportHitsCommand() {
  return [this] { ExportHits(main_, SaveDialog1); };
}

}  // namespace maintain
