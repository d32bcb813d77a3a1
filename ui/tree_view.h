// TreeView: nodes with image and selected image; a node may show an expand
// button before its children exist, and OnExpanding loads them on demand.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"

namespace ui {

class ImageList;
class TreeView;

class TreeNode {
 public:
  const std::string& Text() const { return text_; }
  void SetText(std::string_view text);
  int ImageIndex() const { return image_; }
  int SelectedIndex() const { return selected_; }
  TreeNode* Parent() const { return parent_; }
  int Level() const;
  int Count() const { return static_cast<int>(children_.size()); }
  TreeNode* Item(int i) const { return children_[i].get(); }
  // Shows the expand button even without children (they load on expansion).
  void SetHasChildren(bool on);
  bool Expanded() const;
  void Expand();
  void Collapse();
  void DeleteChildren();
  HTREEITEM Handle() const { return item_; }
  void* Data = nullptr;

 private:
  friend class TreeView;
  TreeView* view_ = nullptr;
  TreeNode* parent_ = nullptr;
  HTREEITEM item_ = nullptr;
  std::string text_;
  int image_ = -1;
  int selected_ = -1;
  std::vector<std::unique_ptr<TreeNode>> children_;
};

class TreeView : public Control {
 public:
  explicit TreeView(Control* parent);
  ~TreeView() override;
  void SetImages(ImageList* images);
  // Adds a node under parent (nullptr: a root node).
  TreeNode* AddChild(TreeNode* parent, std::string_view text, int imageIndex = -1, int selectedIndex = -1);
  void Clear();
  int RootCount() const { return static_cast<int>(roots_.size()); }
  TreeNode* Root(int i) const { return roots_[i].get(); }
  TreeNode* Selected() const;
  void SetSelected(TreeNode* node);
  void SetReadOnly(bool on);
  // A band of the window colour this many pixels wide inside the control's
  // frame, around the nodes.
  void SetBorderWidth(int pixels);
  int BorderWidth() const { return borderWidth_; }

  // Asked before a node expands; set allow to false to keep it closed.
  std::function<void(TreeNode* node, bool& allow)> OnExpanding;
  // The selected node changed.
  std::function<void(TreeNode* node)> OnChange;

  void WndProc(Message& m) override;

 private:
  friend class TreeNode;
  void PaintBorderBand();
  std::vector<std::unique_ptr<TreeNode>> roots_;
  int borderWidth_ = 0;
};

}  // namespace ui
