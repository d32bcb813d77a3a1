// TfrmTreeview: one snapshot as a tree whose folders load when they are
// first expanded; a double-click on a file shows its details box.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "catalog/connection.h"
#include "catalog/query.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/list_view.h"
#include "ui/std_controls.h"
#include "ui/tree_view.h"

namespace browse {

// The main window's file details box (owner, location, name).
using FileDetailsBox = std::function<void(ui::Form* owner, const std::string& location, const std::string& name)>;

class TfrmTreeview : public ui::Form {
 public:
  // `connection`: the main window's `ADOCn`; `images`: its `ImgLstSmall`.
  TfrmTreeview(catalog::Connection* connection, ui::ImageList* images, FileDetailsBox showFileDetails);
  // Hooks (the skin's frame) see the window while its controls are whole.
  ~TfrmTreeview() override { AnnounceDestroying(); }

  ui::TreeView TreeView1{this};
  ui::Panel PnlExit{this};
  ui::Button BtnExit{&PnlExit, "退出(&X)"};
  catalog::Query ADOQryTree;

  // The label of the snapshot to show, set before each showing, and the
  // names from its root down to an entry to open the tree at (none: the
  // first level only).
  std::string SnapshotLabel;
  std::vector<std::string> RevealSteps;

  void FormShow();
  void TreeView1Expanding(ui::TreeNode* node, bool& allow);
  void TreeView1DblClick();
  void FormResize();
  // The stored path of the folder holding a node: "[" + root + "]:\" and
  // the folder names down to the node's parent.
  static std::string LocationOf(const ui::TreeNode* node);

  static constexpr int kStripHeight = 26;
  static constexpr int kBorder = 3;

 private:
  // Opens the folders of RevealSteps and selects the last node found.
  void Reveal(ui::TreeNode* root);
  // Adds the query's rows as children of `parent`.
  void AddRows(ui::TreeNode* parent, bool firstLevel);

  FileDetailsBox showFileDetails_;
  // Each folder node's copy of its row's Path.
  std::unordered_map<const ui::TreeNode*, std::string> folderPaths_;
};

// `TBtnTreeviewClick`: opens the window for the list's selected item, with
// the main window's status panel 1 saying so meanwhile.
void TBtnTreeviewClick(ui::ListView* list, const std::function<void(const std::string&)>& setStatus,
                       TfrmTreeview& treeview);

}  // namespace browse
