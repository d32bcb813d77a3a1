// TfrmDuplicates, "查找重复文件": the files stored more than once across
// the snapshots, grouped, largest wasted space first; the members of the
// group selected below, with the actions on a hit (copy paths, open the
// location, show in the tree view, the details box) and an export of every
// group to CSV. The finding runs inside the find button's handler in steps,
// the window's messages let through between them, so that the stop button,
// the close box and the progress bar work meanwhile.
#pragma once

#include <memory>
#include <string>

#include "browse/win_unit_treeview.h"
#include "duplicates/duplicate_groups.h"
#include "maintain/win_entry_actions.h"
#include "shell/win_main_window.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/list_view.h"
#include "ui/menus.h"
#include "ui/more_controls.h"
#include "ui/std_controls.h"

namespace duplicates {

class TfrmDuplicates : public ui::Form {
 public:
  // `main` and `tree` outlive the window.
  TfrmDuplicates(shell::MainWindow& main, browse::TfrmTreeview& tree);
  // Hooks (the skin's frame) see the window while its controls are whole.
  ~TfrmDuplicates() override { AnnounceDestroying(); }

  ui::Label LblKey{this, "比较(&K)："};
  ui::ComboBoxEx CmbKey{this};
  ui::Label LblMinSize{this, "最小(&M)："};
  ui::Edit EdtMinSize{this};
  ui::ComboBoxEx CmbUnit{this};
  ui::Button BtnFind{this, "查找(&F)"};
  ui::Button BtnStop{this, "停止(&S)"};
  ui::ListView LvGroups{this};
  ui::Label LblMembers{this, "所选组中的文件(&L)："};
  ui::ListView LvMembers{this};
  ui::Gauge GgProgress{this};
  ui::Label LblStatus{this};
  ui::Button BtnExport{this, "导出(&E)..."};
  ui::Button BtnClose{this, "关闭(&C)"};
  ui::PopupMenu PMnuMembers{this};
  maintain::EntryActionItems entryActions;
  ui::MenuItem* mnuDetails = nullptr;
  ui::SaveDialog SaveDialog1{this};

  // Tests: the messages are let through after every piece of the work
  // rather than every few milliseconds.
  bool PauseAfterEachPiece = false;

  // What the last finding gave (none before the first).
  const Duplicates* Found() const { return found_.get(); }
  bool Finding() const { return finding_; }

  void BtnFindClick();
  void BtnStopClick() { finding_ = false; }
  void BtnExportClick();
  void CopyPaths();
  void OpenLocation();
  void ShowInTree();
  void ShowDetails();

  static std::string FoundText(const Duplicates& d);

 private:
  void FormShow();
  void FormResize();
  void GroupSelected();
  void ShowGroups(std::shared_ptr<const Duplicates> found);
  void SetFinding(bool on);

  shell::MainWindow& main_;
  browse::TfrmTreeview& tree_;
  std::shared_ptr<const Duplicates> found_;
  bool finding_ = false;
  int shownGroup_ = -1;
};

}  // namespace duplicates
