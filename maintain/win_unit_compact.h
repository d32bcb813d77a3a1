// TfrmCompactDB: the dialog that compacts the catalogue file.
#pragma once

#include <string>
#include <vector>

#include "catalog/connection.h"
#include "catalog/query.h"
#include "maintain/compaction.h"
#include "ui/form.h"
#include "ui/std_controls.h"

namespace maintain {

class TfrmCompactDB : public ui::Form {
 public:
  // `connection`: the main window's `ADOCn`, closed for the work and opened
  // again; `folder`: the catalogue's folder, ending in a backslash.
  TfrmCompactDB(catalog::Connection* connection, std::string folder);

  // Every query on the connection (`ADOQry`, `ADOQryTree`, `ADOQryCreate`):
  // closed with it. Set once the windows that own them exist.
  std::vector<catalog::Query*> Queries;

  ui::GroupBox GroupBox1{this};
  ui::Label lblNote{&GroupBox1};
  ui::Label lblResult{&GroupBox1};
  ui::Label Label1{&GroupBox1, "    "};
  ui::Button BtnCompact{this, "数据整理(&B)"};
  ui::Button BtnCancel{this, "取消(&C)"};

  void FormShow();
  void BtnCompactClick();
  void BtnCancelClick();
  const CompactDialogState& State() const { return state_; }

 private:
  void ShowState();

  catalog::Connection* connection_;
  std::string folder_;
  CompactDialogState state_;
};

}  // namespace maintain
