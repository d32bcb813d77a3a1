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
  // Hooks (the skin's frame) see the window while its controls are whole.
  ~TfrmCompactDB() override { AnnounceDestroying(); }

  // Every query on the connection (`ADOQry`, `ADOQryTree`, `ADOQryCreate`):
  // closed with it. Set once the windows that own them exist.
  std::vector<catalog::Query*> Queries;

  // The frame around the three labels (they sit on the form, inside it: a
  // group box paints no background of its own for children).
  ui::GroupBox GroupBox1{this};
  ui::Label lblNote{this};
  ui::Label lblResult{this};
  ui::Label Label1{this, "    "};
  ui::Button BtnCompact{this, "数据整理(&B)"};
  ui::Button BtnCancel{this, "取消(&C)"};

  void FormShow();
  void BtnCompactClick();
  // Throws the catalogue's message when it cannot be written (read-only,
  // damaged): the command says so before the dialog shows.
  void RequireWritable() const;
  void BtnCancelClick();
  const CompactDialogState& State() const { return state_; }

 private:
  void ShowState();

  catalog::Connection* connection_;
  std::string folder_;
  CompactDialogState state_;
};

}  // namespace maintain
