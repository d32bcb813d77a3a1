#include "maintain/win_unit_memo.h"

#include "maintain/snapshot_edit.h"

namespace maintain {

TfrmMemo::TfrmMemo() : ui::Form("TfrmMemo", ui::bsDialog) {
  SetCaption("备注");
  position = ui::poMainFormCenter;
  SetClientSize(330, 176);
  Memo1.SetBounds(8, 8, 314, 124);
  BtnSave.SetBounds(150, 142, 80, 25);
  BtnExit.SetBounds(242, 142, 80, 25);
  BtnSave.ModalResult = ui::mrOk;
  BtnExit.ModalResult = ui::mrCancel;
  BtnExit.Cancel = true;
  Memo1.Filter = [](std::string_view kept, std::string_view inserted) {
    return MemoInsertionThatFits(kept, inserted);
  };
  Memo1.OnChange = [this] { Memo1Change(); };
  OnShow = [this] { Memo1.SetFocus(); };
}

void TfrmMemo::Memo1Change() { BtnSave.SetEnabled(true); }

}  // namespace maintain
