// TfrmRename: the dialog in which a snapshot gets its new label.
#pragma once

#include <string>

#include "catalog/query.h"
#include "ui/form.h"
#include "ui/std_controls.h"

namespace maintain {

class TfrmRename : public ui::Form {
 public:
  // `query`: the main window's shared query, on which the rename runs.
  explicit TfrmRename(catalog::Query* query);
  // Hooks (the skin's frame) see the window while its controls are whole.
  ~TfrmRename() override { AnnounceDestroying(); }

  ui::Label Label1{this, "请输入新的快照名："};
  ui::Edit EdtName{this};
  ui::Button BtnOK{this, "确定(&O)"};
  ui::Button BtnCancel{this, "取消(&C)"};

  // The label of the snapshot being renamed, set before each showing.
  std::string OldLabel;

  void EdtNameChange();
  void BtnOKClick();

 private:
  catalog::Query* query_;
};

}  // namespace maintain
