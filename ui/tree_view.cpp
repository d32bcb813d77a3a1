#include "ui/tree_view.h"

#include <algorithm>

#include "ui/gdi.h"
#include "ui/image_list.h"
#include "ui/std_controls.h"
#include "ui/wide.h"

namespace ui {

void TreeNode::SetText(std::string_view text) {
  text_ = std::string(text);
  std::wstring w = Wide(text_);
  TVITEMW it{};
  it.mask = TVIF_TEXT;
  it.hItem = item_;
  it.pszText = w.data();
  SendMessageW(view_->Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

int TreeNode::Level() const {
  int n = 0;
  for (TreeNode* p = parent_; p; p = p->parent_) ++n;
  return n;
}

void TreeNode::SetHasChildren(bool on) {
  TVITEMW it{};
  it.mask = TVIF_CHILDREN;
  it.hItem = item_;
  it.cChildren = on ? 1 : 0;
  SendMessageW(view_->Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

bool TreeNode::Expanded() const {
  return SendMessageW(view_->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_), TVIS_EXPANDED) &
         TVIS_EXPANDED;
}

void TreeNode::Expand() {
  SendMessageW(view_->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_));
}

void TreeNode::Collapse() {
  SendMessageW(view_->Handle(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
}

void TreeNode::DeleteChildren() {
  for (auto& c : children_) SendMessageW(view_->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(c->item_));
  children_.clear();
}

TreeView::TreeView(Control* parent) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TCustomTreeView");
  DeclareClass("TTreeView");
  color_ = clWindow();
  CreateWnd(WC_TREEVIEWW, WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
            WS_EX_CLIENTEDGE, 200, 200);
}

TreeView::~TreeView() {
  if (hwnd_) SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void TreeView::SetImages(ImageList* images) {
  SendMessageW(hwnd_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TreeView::SetReadOnly(bool on) {
  LONG st = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, on ? st & ~TVS_EDITLABELS : st | TVS_EDITLABELS);
}

TreeNode* TreeView::AddChild(TreeNode* parent, std::string_view text, int imageIndex, int selectedIndex) {
  auto node = std::make_unique<TreeNode>();
  TreeNode* raw = node.get();
  raw->view_ = this;
  raw->parent_ = parent;
  raw->text_ = std::string(text);
  raw->image_ = imageIndex;
  raw->selected_ = selectedIndex < 0 ? imageIndex : selectedIndex;
  (parent ? parent->children_ : roots_).push_back(std::move(node));
  std::wstring w = Wide(text);
  TVINSERTSTRUCTW ins{};
  ins.hParent = parent ? parent->item_ : TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  ins.item.pszText = w.data();
  ins.item.iImage = imageIndex;
  ins.item.iSelectedImage = raw->selected_;
  ins.item.lParam = reinterpret_cast<LPARAM>(raw);
  raw->item_ = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  return raw;
}

void TreeView::Clear() {
  SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  roots_.clear();
}

TreeNode* TreeView::Selected() const {
  auto h = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!h) return nullptr;
  TVITEMW it{};
  it.mask = TVIF_PARAM;
  it.hItem = h;
  SendMessageW(hwnd_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
  return reinterpret_cast<TreeNode*>(it.lParam);
}

void TreeView::SetSelected(TreeNode* node) {
  SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->item_ : nullptr));
}

void TreeView::SetBorderWidth(int pixels) {
  borderWidth_ = pixels < 0 ? 0 : pixels;
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TreeView::PaintBorderBand() {
  // The band lies between the system frame and the client area, in window
  // coordinates.
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  RECT outer = client;
  InflateRect(&outer, borderWidth_, borderWidth_);
  gdi::WindowDc dc(hwnd_, gdi::WindowDc::kWholeWindow);
  ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
  FillRect(dc.get(), &outer, GetSysColorBrush(COLOR_WINDOW));
}

void TreeView::WndProc(Message& m) {
  if (borderWidth_ > 0 && m.msg == WM_NCCALCSIZE) {
    Control::WndProc(m);
    auto* r = reinterpret_cast<RECT*>(m.lParam);  // the first rectangle in both forms
    InflateRect(r, -borderWidth_, -borderWidth_);
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
    return;
  }
  if (borderWidth_ > 0 && m.msg == WM_NCPAINT) {
    Control::WndProc(m);
    PaintBorderBand();
    return;
  }
  if (m.msg == CN_NOTIFY) {
    auto* h = reinterpret_cast<NMHDR*>(m.lParam);
    m.result = 0;
    switch (h->code) {
      case TVN_ITEMEXPANDINGW: {
        auto* n = reinterpret_cast<NMTREEVIEWW*>(m.lParam);
        if (n->action & TVE_EXPAND) {
          bool allow = true;
          if (OnExpanding) OnExpanding(reinterpret_cast<TreeNode*>(n->itemNew.lParam), allow);
          m.result = allow ? FALSE : TRUE;
        }
        return;
      }
      case TVN_SELCHANGEDW: {
        auto* n = reinterpret_cast<NMTREEVIEWW*>(m.lParam);
        if (OnChange) OnChange(reinterpret_cast<TreeNode*>(n->itemNew.lParam));
        return;
      }
      case NM_DBLCLK:
        if (OnDblClick) OnDblClick();
        return;
      case NM_CLICK:
        Click();
        return;
      case TVN_BEGINLABELEDITW:
        m.result = (GetWindowLongW(hwnd_, GWL_STYLE) & TVS_EDITLABELS) ? FALSE : TRUE;
        return;
      default:
        return;
    }
  }
  Control::WndProc(m);
}

}  // namespace ui
