#include "maintain/win_commands.h"

#include "catalog/connection.h"
#include "catalog/statements.h"
#include "maintain/export.h"
#include "maintain/snapshot_edit.h"

namespace maintain {

// A catalogue that cannot be written says so once, before any question.
static void RequireWritable(shell::MainWindow& main) { main.connection().RequireWritable(); }

void TBtnDeleteClick(shell::MainWindow& main) {
  bool any = false;
  const std::string label = SelectedLabel(main.list(), any);
  if (!any) return;
  RequireWritable(main);
  if (ui::ShowMessageBox(&main.form(), DeleteQuestion(label), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
  {
    BusyCursor busy;
    DeleteSnapshot(main.query(), label);
    main.BrowseAll();
  }
  ui::ShowMessageBox(&main.form(), DeleteReport(label), MB_OK | MB_ICONQUESTION);
}

void TBtnRenameClick(shell::MainWindow& main, TfrmRename& dialog) {
  bool any = false;
  const std::string label = SelectedLabel(main.list(), any);
  if (!any) return;
  RequireWritable(main);
  dialog.OldLabel = label;
  dialog.EdtName.SetText(label);
  dialog.EdtNameChange();
  dialog.ShowModal();
  main.BrowseAll();
}

void TBtnMemoClick(shell::MainWindow& main, TfrmMemo& dialog) {
  bool any = false;
  const std::string label = SelectedLabel(main.list(), any);
  if (!any) return;
  RequireWritable(main);
  dialog.Memo1.SetText(LoadMemo(main.query(), label));
  dialog.BtnSave.SetEnabled(false);
  if (dialog.ShowModal() != ui::mrOk) return;
  SaveMemo(main.query(), label, dialog.Memo1.Text());
  main.BrowseAll();
}

void TBtnExportClick(shell::MainWindow& main, ui::SaveDialog& saveDialog) {
  bool any = false;
  const std::string label = SelectedLabel(main.list(), any);
  if (!any) return;
  saveDialog.OldStyle = UseOldStyleSaveDialog(main.osNewerThan50(), main.skinActive());
  saveDialog.Title = kExportTitle;
  saveDialog.FileName = label;
  saveDialog.Filter = ExportFilter(catalog::SnapshotHasArchiveMembers(main.query(), label));
  saveDialog.FilterIndex = 2;
  saveDialog.DefaultExt = "HTM";
  saveDialog.OverwritePrompt = true;
  saveDialog.Tag = 99;
  if (!saveDialog.Execute()) return;
  BusyCursor busy;
  ExportSnapshot(main.query(), label, saveDialog.FileName, ExportWithArchiveMembers(saveDialog.FilterIndex));
  ui::ShowMessageBox(&main.form(), ExportDoneMessage(), MB_OK | MB_ICONQUESTION);
}

void mnuCompactDBClick(TfrmCompactDB& dialog) {
  dialog.RequireWritable();
  dialog.ShowModal();
}

}  // namespace maintain
