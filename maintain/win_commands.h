// The main window's snapshot commands of this module, each as the handler
// that its toolbar button, menu item and (for delete) the Delete key run.
// Every one works on the list's selected snapshot and does nothing without
// one. Errors of the catalogue or of writing a file propagate to the form
// layer, which hands them to the application's error box.
#pragma once

#include "shell/win_main_window.h"
#include "maintain/win_support.h"
#include "maintain/win_unit_compact.h"
#include "maintain/win_unit_memo.h"
#include "maintain/win_unit_rename.h"
#include "ui/dialogs.h"

namespace maintain {

// `TBtnDeleteClick`: asks, deletes the entries and then the row, refreshes
// the list and reports.
void TBtnDeleteClick(shell::MainWindow& main);
// `TBtnRenameClick`: the rename dialog with the old label; the list is
// refreshed however the dialog closes.
void TBtnRenameClick(shell::MainWindow& main, TfrmRename& dialog);
// `TBtnMemoClick`: the memo dialog; saved and refreshed only on "保存".
void TBtnMemoClick(shell::MainWindow& main, TfrmMemo& dialog);
// `TBtnExportClick`: the save dialog, then the export. The old dialog style
// is used when the system is newer than 5.0 and a skin is on.
void TBtnExportClick(shell::MainWindow& main, ui::SaveDialog& saveDialog);
// `mnuCompactDBClick`.
void mnuCompactDBClick(TfrmCompactDB& dialog);

// The save dialog's texts.
inline constexpr const char* kExportTitle = "快照导出至";

}  // namespace maintain
