#include "maintain/win_unit_compact.h"

#include "catalog/db_error.h"
#include "maintain/win_support.h"
#include "ui/application.h"

namespace maintain {

TfrmCompactDB::TfrmCompactDB(catalog::Connection* connection, std::string folder)
    : ui::Form("TfrmCompactDB", ui::bsDialog), connection_(connection), folder_(std::move(folder)) {
  SetCaption(ui::App().Title + " - 数据整理");
  position = ui::poMainFormCenter;
  SetClientSize(340, 176);
  GroupBox1.SetBounds(8, 4, 324, 128);
  ui::Font navy;
  navy.color = ui::clNavy;
  lblNote.SetFont(navy);
  lblResult.SetFont(navy);
  lblNote.SetText(CompactionNote());
  lblNote.SetBounds(22, 24, 296, 54);
  lblResult.SetBounds(22, 88, 296, 18);
  SetWindowLongW(lblResult.Handle(), GWL_STYLE, GetWindowLongW(lblResult.Handle(), GWL_STYLE) | SS_CENTER);
  Label1.SetBounds(22, 110, 40, 14);
  // Above the frame, which would otherwise cover them.
  for (ui::Control* c : {static_cast<ui::Control*>(&lblNote), static_cast<ui::Control*>(&lblResult),
                         static_cast<ui::Control*>(&Label1)})
    SetWindowPos(c->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  lblResult.Hide();
  BtnCompact.SetBounds(158, 142, 84, 25);
  BtnCancel.SetBounds(248, 142, 84, 25);
  BtnCancel.Cancel = true;
  BtnCompact.OnClick = [this] { BtnCompactClick(); };
  BtnCancel.OnClick = [this] { BtnCancelClick(); };
  OnShow = [this] { FormShow(); };
}

void TfrmCompactDB::ShowState() {
  BtnCompact.SetEnabled(state_.CompactEnabled());
  BtnCancel.SetCaption(state_.CancelCaption());
  lblResult.SetText(state_.ResultText());
  lblResult.SetVisible(state_.ResultVisible());
}

void TfrmCompactDB::FormShow() {
  state_.Show();
  ShowState();
}

void TfrmCompactDB::BtnCompactClick() {
  state_.Start();
  CompactOutcome outcome;
  {
    BusyCursor busy;
    BtnCompact.SetEnabled(false);
    outcome = CompactCatalog(*connection_, Queries, folder_);
  }
  if (!outcome.ok) ui::ShowMessageBox(this, CompactionFailedMessage(outcome, folder_), MB_OK | MB_ICONINFORMATION);
  state_.Finish(outcome);
  ShowState();
  // The catalogue could not be opened again: the program's error box says why.
  if (!outcome.reopenError.empty()) throw catalog::DbError(outcome.reopenError);
}

void TfrmCompactDB::RequireWritable() const { connection_->RequireWritable(); }

void TfrmCompactDB::BtnCancelClick() { ModalResult = ui::mrCancel; }

}  // namespace maintain
