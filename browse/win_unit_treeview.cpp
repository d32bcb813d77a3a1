#include "browse/win_unit_treeview.h"

#include "platform/text.h"

#include <windows.h>
#include <commctrl.h>

#include "browse/unit_public.h"
#include "browse/win_busy_cursor.h"
#include "catalog/statements.h"

namespace browse {
namespace {

// Suspends the tree's repainting while nodes are added.
class NoRedraw {
 public:
  explicit NoRedraw(HWND w) : w_(w) { SendMessageW(w_, WM_SETREDRAW, FALSE, 0); }
  ~NoRedraw() {
    SendMessageW(w_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(w_, nullptr, TRUE);
  }

 private:
  HWND w_;
};

}  // namespace

TfrmTreeview::TfrmTreeview(catalog::Connection* connection, ui::ImageList* images, FileDetailsBox showFileDetails)
    : ui::Form("TfrmTreeview", ui::bsSizeToolWin), ADOQryTree(connection), showFileDetails_(std::move(showFileDetails)) {
  position = ui::poMainFormCenter;
  TreeView1.SetImages(images);
  TreeView1.SetReadOnly(true);
  TreeView1.SetBorderWidth(kBorder);
  HWND tree = TreeView1.Handle();
  // Top-level nodes show no button and no line.
  SetWindowLongW(tree, GWL_STYLE, GetWindowLongW(tree, GWL_STYLE) & ~TVS_LINESATROOT);
  SendMessageW(tree, TVM_SETINDENT, 19, 0);
  PnlExit.BevelOuter = ui::bvNone;
  PnlExit.SetCaption("");
  BtnExit.SetHint("退出树状浏览");
  BtnExit.Cancel = true;
  BtnExit.ModalResult = ui::mrCancel;
  BtnExit.SetBounds(0, 1, 65, 25);
  TreeView1.OnExpanding = [this](ui::TreeNode* node, bool& allow) { TreeView1Expanding(node, allow); };
  TreeView1.OnDblClick = [this] { TreeView1DblClick(); };
  OnShow = [this] { FormShow(); };
  OnResize = [this] { FormResize(); };
  SetSize(344, 384);
  FormResize();
}

void TfrmTreeview::FormShow() {
  SetCaption("树状浏览 - 快照：" + SnapshotLabel);
  ui::TreeNode* root;
  {
    NoRedraw quiet(TreeView1.Handle());
    TreeView1.Clear();
    folderPaths_.clear();
    root = TreeView1.AddChild(nullptr, SnapshotLabel, kImageSnapshot, kImageSnapshot);
    catalog::OpenFolder(ADOQryTree, catalog::SnapshotRoot(SnapshotLabel));
    AddRows(root, true);
  }
  root->Expand();
  Reveal(root);
  TreeView1.SetFocus();
}

void TfrmTreeview::Reveal(ui::TreeNode* root) {
  ui::TreeNode* at = root;
  for (const std::string& step : RevealSteps) {
    ui::TreeNode* next = nullptr;
    // Names compare as the catalogue compares them: ASCII letters without
    // regard to case.
    for (int i = 0; i < at->Count() && !next; ++i)
      if (text::AsciiUpper(at->Item(i)->Text()) == text::AsciiUpper(step)) next = at->Item(i);
    if (!next) break;
    at = next;
    if (&step != &RevealSteps.back()) at->Expand();  // loads its rows
  }
  if (at != root) TreeView1.SetSelected(at);
}

void TfrmTreeview::AddRows(ui::TreeNode* parent, bool firstLevel) {
  const bool archives = ADOQryTree.HasField("Members");
  for (; !ADOQryTree.Eof(); ADOQryTree.Next()) {
    const std::string name = ADOQryTree.AsString("Name");
    const bool folder = ADOQryTree.AsInteger("Type") == 1;
    if (folder || (archives && ADOQryTree.AsInteger("Members") > 0)) {
      // An archive with members opens like a folder, under its own picture.
      const int image = folder ? kImageFolder : kImageArchive;
      ui::TreeNode* node = TreeView1.AddChild(parent, name, image, image);
      folderPaths_[node] = ADOQryTree.AsString("Path");
      node->SetHasChildren(true);
    } else {
      // Files of the first level show the plain file picture when selected.
      int image = GetFileIconIndex(name);
      TreeView1.AddChild(parent, name, image, firstLevel ? kImageOtherFile : image);
    }
  }
  ADOQryTree.Close();
}

void TfrmTreeview::TreeView1Expanding(ui::TreeNode* node, bool& allow) {
  allow = true;
  if (!node || node->Count() > 0 || (node->ImageIndex() != kImageFolder && node->ImageIndex() != kImageArchive)) return;
  BusyCursor busy;
  auto path = folderPaths_.find(node);
  if (path == folderPaths_.end()) return;
  catalog::OpenFolder(ADOQryTree, path->second + node->Text() + "\\");
  {
    NoRedraw quiet(TreeView1.Handle());
    AddRows(node, false);
  }
  // An empty folder keeps its button: it expands to nothing, and the next
  // expansion asks again.
}

std::string TfrmTreeview::LocationOf(const ui::TreeNode* node) {
  std::string location;
  const ui::TreeNode* p = node->Parent();
  if (!p) return location;
  for (; p->Parent(); p = p->Parent()) location = p->Text() + "\\" + location;
  return catalog::SnapshotRoot(p->Text()) + location;
}

void TfrmTreeview::TreeView1DblClick() {
  ui::TreeNode* node = TreeView1.Selected();
  if (!node || node->ImageIndex() < kImageOtherFile) return;
  showFileDetails_(this, LocationOf(node), node->Text());
}

void TfrmTreeview::FormResize() {
  const int minWidth = BtnExit.Width() + 10;
  if (Width() < minWidth) {
    SetSize(minWidth, Height());
    return;  // the new size comes back through this handler
  }
  const int w = ClientWidth() - 2 * kBorder, h = ClientHeight() - 2 * kBorder;
  TreeView1.SetBounds(kBorder, kBorder, w > 0 ? w : 0, h > kStripHeight ? h - kStripHeight : 0);
  PnlExit.SetBounds(kBorder, kBorder + (h > kStripHeight ? h - kStripHeight : 0), w > 0 ? w : 0, kStripHeight);
  BtnExit.SetBounds((PnlExit.Width() - 65) / 2, 1, 65, 25);
}

void TBtnTreeviewClick(ui::ListView* list, const std::function<void(const std::string&)>& setStatus,
                       TfrmTreeview& treeview) {
  ui::ListItem* item = list ? list->Selected() : nullptr;
  if (!item) return;
  const std::string label = item->Caption();
  setStatus("树状浏览 - " + label);
  treeview.SnapshotLabel = label;
  treeview.ShowModal();
  setStatus("");
}

}  // namespace browse
