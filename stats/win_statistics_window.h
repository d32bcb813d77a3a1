// TfrmStatistics, "统计信息": what the chosen snapshots (or the whole
// catalogue) hold, as pictures: each snapshot's used and free space, the
// bytes of each kind of file, the files by the year they were last changed;
// and the twenty largest files (with the actions on a file) and the twenty
// most common extensions as lists. Printed and saved as PNG as drawn.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "browse/win_unit_treeview.h"
#include "maintain/win_entry_actions.h"
#include "shell/win_main_window.h"
#include "stats/catalog_statistics.h"
#include "stats/chart_model.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/menus.h"
#include "ui/more_controls.h"
#include "ui/std_controls.h"

namespace stats {

class TfrmSpaceMap;

class TfrmStatistics : public ui::Form {
 public:
  // `main`, `tree` and `map` outlive the window.
  TfrmStatistics(shell::MainWindow& main, browse::TfrmTreeview& tree, TfrmSpaceMap& map);
  ~TfrmStatistics() override { AnnounceDestroying(); }

  // The snapshots to count, set before each showing: none for the whole
  // catalogue.
  std::vector<std::string> Labels;

  ui::Label LblSummary{this};
  ui::PaintBox PbCharts{this};
  ui::Label LblLargest{this, "最大的 20 个文件(&L)："};
  ui::ListView LvLargest{this};
  ui::Label LblExtensions{this, "最常见的 20 种扩展名(&X)："};
  ui::ListView LvExtensions{this};
  ui::Button BtnSpaceMap{this, "空间分布图(&M)..."};
  ui::Button BtnPrint{this, "打印(&P)"};
  ui::Button BtnSavePng{this, "保存为 PNG(&S)..."};
  ui::Button BtnClose{this, "关闭(&C)"};
  ui::PopupMenu PMnuFiles{this};
  maintain::EntryActionItems entryActions;
  ui::SaveDialog SaveDialog1{this};
  ui::PrintDialog PrintDialog1{this};

  const CatalogStatistics& Figures() const { return figures_; }
  const std::vector<Chart>& Charts() const { return charts_; }
  std::string SummaryText() const;

  void BtnSpaceMapClick();
  void CopyPaths();
  void OpenLocation();
  void ShowInTree();

  // The most snapshots the space chart shows (the largest ones).
  static constexpr size_t kSnapshotBars = 12;

 private:
  void FormShow();
  void FormResize();
  void Compute();
  void PaintCharts(HDC dc, const RECT& area);

  shell::MainWindow& main_;
  browse::TfrmTreeview& tree_;
  TfrmSpaceMap& map_;
  CatalogStatistics figures_;
  std::vector<Chart> charts_;  // snapshots, kinds, years
  size_t snapshotsLeftOut_ = 0;
};

}  // namespace stats
