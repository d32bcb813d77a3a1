#include "maintain/win_unit_rename.h"

#include "maintain/snapshot_edit.h"
#include "maintain/win_support.h"
#include "ui/application.h"

namespace maintain {

TfrmRename::TfrmRename(catalog::Query* query) : ui::Form("TfrmRename", ui::bsDialog), query_(query) {
  SetCaption(ui::App().Title + " - 快照重命名");
  position = ui::poMainFormCenter;
  SetClientSize(302, 104);
  Label1.SetBounds(16, 14, 270, 16);
  EdtName.SetBounds(16, 34, 270, 22);
  BtnOK.SetBounds(122, 68, 78, 25);
  BtnCancel.SetBounds(208, 68, 78, 25);
  BtnOK.SetDefault(true);
  BtnCancel.Cancel = true;
  BtnCancel.ModalResult = ui::mrCancel;
  EdtName.OnChange = [this] { EdtNameChange(); };
  BtnOK.OnClick = [this] { BtnOKClick(); };
  OnShow = [this] {
    EdtName.SetFocus();
    EdtName.SelectAll();
  };
}

void TfrmRename::EdtNameChange() { BtnOK.SetEnabled(RenameOkEnabled(EdtName.Text())); }

void TfrmRename::BtnOKClick() {
  switch (ConfirmRename(*query_, OldLabel, EdtName.Text())) {
    case RenameResult::Renamed:
    case RenameResult::Unchanged:
      ModalResult = ui::mrOk;
      break;
    case RenameResult::Refused:
      ui::ShowMessageBox(this, RenameRefusedMessage(), MB_OK | MB_ICONINFORMATION);
      break;
    case RenameResult::Failed:
      ui::ShowMessageBox(this, RenameFailedMessage(), MB_OK | MB_ICONINFORMATION);
      break;
  }
}

}  // namespace maintain
