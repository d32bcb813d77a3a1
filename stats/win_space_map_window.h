// TfrmSpaceMap, "空间分布图": one snapshot, or a folder of it, as a
// squarified treemap: each file a cushion of area proportional to its size,
// coloured by its kind (the legend below), folders framed and named where
// there is room. Hovering names the entry and its size in the status bar;
// a click selects, a double click goes into the folder under the pointer,
// "返回上层" and Backspace go up; the context menu holds the actions on a
// file. The map is laid out again when the window's size changes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "browse/win_unit_treeview.h"
#include "catalog/query.h"
#include "maintain/entry_paths.h"
#include "maintain/win_entry_actions.h"
#include "shell/win_main_window.h"
#include "stats/space_tree.h"
#include "stats/treemap_layout.h"
#include "stats/treemap_paint.h"
#include "ui/bars.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/menus.h"
#include "ui/more_controls.h"
#include "ui/std_controls.h"

namespace stats {

class TfrmSpaceMap : public ui::Form {
 public:
  // `main` and `tree` outlive the window.
  TfrmSpaceMap(shell::MainWindow& main, browse::TfrmTreeview& tree);
  ~TfrmSpaceMap() override { AnnounceDestroying(); }

  // The snapshot to show, set before each showing.
  std::string SnapshotLabel;

  ui::Label LblPath{this};
  ui::Button BtnUp{this, "返回上层(&U)"};
  ui::PaintBox PbMap{this};
  ui::Button BtnPrint{this, "打印(&P)"};
  ui::Button BtnSavePng{this, "保存为 PNG(&S)..."};
  ui::Button BtnClose{this, "关闭(&C)"};
  ui::StatusBar StatusBar1{this};
  ui::PopupMenu PMnuMap{this};
  ui::MenuItem *mnuOpenFolder = nullptr, *mnuUp = nullptr;
  maintain::EntryActionItems entryActions;
  ui::SaveDialog SaveDialog1{this};
  ui::PrintDialog PrintDialog1{this};

  // What the map shows: the tree, the node laid out as the whole, the
  // node selected (SpaceTree::kNoNode for none), the layout as painted.
  const SpaceTree& Tree() const { return tree_; }
  uint32_t RootNode() const { return root_; }
  uint32_t SelectedNode() const { return selected_; }
  const TreemapLayout& Layout() const { return layout_; }
  // The node under a point of the map, or SpaceTree::kNoNode.
  uint32_t NodeAt(int x, int y) const;

  // The mouse and keys, as the map's events call them.
  void HoverAt(int x, int y);
  void ClickAt(int x, int y);
  void DblClickAt(int x, int y);
  void GoUp();
  void OpenFolder(uint32_t folder);
  // The stored path and the name of a node as the catalogue holds them.
  maintain::EntryRef EntryOf(uint32_t node);
  // The status text for a node: its stored path and size.
  std::string NodeText(uint32_t node);

  static constexpr int kLegendHeight = 22;
  // Square pixels below which a file is not drawn on its own.
  static constexpr double kMinFileArea = 4;

 private:
  void FormShow();
  void FormResize();
  void PaintMap(HDC dc, const RECT& area);
  void ShowRoot();
  void Relayout(int width, int height);
  std::optional<maintain::EntryRef> SelectedEntry();

  shell::MainWindow& main_;
  browse::TfrmTreeview& treeWindow_;
  catalog::Query q_;
  SpaceTree tree_;
  uint32_t root_ = 0;
  uint32_t selected_ = SpaceTree::kNoNode;
  uint32_t hovered_ = SpaceTree::kNoNode;
  TreemapLayout layout_;
  TreemapColours colours_;
  std::vector<uint32_t> pixels_;
  int laidWidth_ = -1, laidHeight_ = -1;
  uint32_t laidRoot_ = SpaceTree::kNoNode;
  std::unordered_map<uint32_t, maintain::EntryRef> entries_;  // by node, as read from the catalogue
};

}  // namespace stats
