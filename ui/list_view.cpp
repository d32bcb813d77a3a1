#include "ui/list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "ui/image_list.h"
#include "ui/std_controls.h"
#include "ui/wide.h"

namespace ui {

// ListItem -------------------------------------------------------------------

void ListItem::SetCaption(std::string_view caption) {
  caption_ = std::string(caption);
  if (view_) view_->SetText(Index(), 0, caption_);
}

void ListItem::SetImageIndex(int index) {
  image_ = index;
  if (!view_) return;
  LVITEMW it{};
  it.mask = LVIF_IMAGE;
  it.iItem = Index();
  it.iImage = index;
  SendMessageW(view_->Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it));
}

void ListItem::SetSubItem(size_t i, std::string_view text) {
  if (subItems_.size() <= i) subItems_.resize(i + 1);
  subItems_[i] = std::string(text);
  if (view_) view_->SetText(Index(), static_cast<int>(i) + 1, subItems_[i]);
}

int ListItem::Index() const { return view_ ? view_->PositionOf(this) : -1; }

bool ListItem::Selected() const {
  int pos = Index();
  return pos >= 0 && (SendMessageW(view_->Handle(), LVM_GETITEMSTATE, pos, LVIS_SELECTED) & LVIS_SELECTED);
}

void ListItem::SetSelected(bool on) {
  int pos = Index();
  if (pos < 0) return;
  LVITEMW it{};
  it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  it.state = on ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  SendMessageW(view_->Handle(), LVM_SETITEMSTATE, pos, reinterpret_cast<LPARAM>(&it));
}

// ListColumn -----------------------------------------------------------------

int ListColumn::Width() const {
  return static_cast<int>(SendMessageW(view_->Handle(), LVM_GETCOLUMNWIDTH, index_, 0));
}

void ListColumn::SetWidth(int width) {
  SendMessageW(view_->Handle(), LVM_SETCOLUMNWIDTH, index_, width);
}

void ListColumn::SetAutoSize(bool on) {
  autoSize_ = on;
  view_->UpdateAutoSizeColumns();
}

// ListView -------------------------------------------------------------------

ListView::ListView(Control* parent) : Control(parent, OwnerOf(parent)) {
  DeclareClass("TCustomListControl");
  DeclareClass("TCustomMultiSelectListControl");
  DeclareClass("TCustomListView");
  DeclareClass("TListView");
  color_ = clWindow();
  CreateWnd(WC_LISTVIEWW, WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
            WS_EX_CLIENTEDGE, 250, 150);
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void ListView::SetViewStyle(ViewStyle s) {
  style_ = s;
  static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  LONG st = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, (st & ~LVS_TYPEMASK) | styles[s]);
  SendMessageW(hwnd_, LVM_ARRANGE, LVA_DEFAULT, 0);
  Invalidate();
}

void ListView::SetLargeImages(ImageList* images) {
  SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void ListView::SetSmallImages(ImageList* images) {
  SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void ListView::SetReadOnly(bool on) {
  LONG st = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, on ? st & ~LVS_EDITLABELS : st | LVS_EDITLABELS);
}

void ListView::SetRowSelect(bool on) {
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, on ? LVS_EX_FULLROWSELECT : 0);
}

ListColumn* ListView::AddColumn(std::string_view caption, int width, bool autoSize) {
  auto c = std::make_unique<ListColumn>();
  c->view_ = this;
  c->caption_ = std::string(caption);
  c->index_ = static_cast<int>(columns_.size());
  std::wstring w = Wide(caption);
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.pszText = w.data();
  col.cx = width;
  col.iSubItem = c->index_;
  SendMessageW(hwnd_, LVM_INSERTCOLUMNW, c->index_, reinterpret_cast<LPARAM>(&col));
  ListColumn* raw = c.get();
  columns_.push_back(std::move(c));
  if (autoSize) raw->SetAutoSize(true);
  return raw;
}

void ListView::ClearColumns() {
  while (SendMessageW(hwnd_, LVM_DELETECOLUMN, 0, 0)) {
  }
  columns_.clear();
}

void ListView::UpdateAutoSizeColumns() {
  if (sizingColumns_) return;
  int fixed = 0, count = 0;
  for (auto& c : columns_) {
    if (c->autoSize_) ++count;
    else fixed += c->Width();
  }
  if (count == 0) return;
  sizingColumns_ = true;
  RECT r;
  GetClientRect(hwnd_, &r);
  int space = std::max(0, static_cast<int>(r.right) - fixed);
  int share = space / count;
  bool first = true;
  for (auto& c : columns_) {
    if (!c->autoSize_) continue;
    c->SetWidth(first ? share + space % count : share);
    first = false;
  }
  sizingColumns_ = false;
}

void ListView::SetText(int pos, int column, const std::string& text) {
  if (pos < 0) return;
  std::wstring w = Wide(text);
  LVITEMW it{};
  it.iSubItem = column;
  it.pszText = w.data();
  SendMessageW(hwnd_, LVM_SETITEMTEXTW, pos, reinterpret_cast<LPARAM>(&it));
}

ListItem* ListView::AddItem(std::string_view caption, int imageIndex,
                            const std::vector<std::string>& subItems) {
  auto item = std::make_unique<ListItem>();
  item->caption_ = std::string(caption);
  item->image_ = imageIndex;
  item->subItems_ = subItems;
  ListItem* raw = item.get();
  std::wstring w = Wide(caption);
  LVITEMW it{};
  it.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  it.iItem = ItemCount();
  it.pszText = w.data();
  it.iImage = imageIndex;
  it.lParam = reinterpret_cast<LPARAM>(raw);
  items_.push_back(std::move(item));
  int pos = static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&it)));
  raw->view_ = this;
  for (size_t i = 0; i < subItems.size(); ++i) SetText(pos, static_cast<int>(i) + 1, subItems[i]);
  return raw;
}

void ListView::Clear() {
  SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  items_.clear();
}

int ListView::ItemCount() const { return static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }

ListItem* ListView::Item(int index) const {
  LVITEMW it{};
  it.mask = LVIF_PARAM;
  it.iItem = index;
  if (!SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it))) return nullptr;
  return reinterpret_cast<ListItem*>(it.lParam);
}

int ListView::PositionOf(const ListItem* item) const {
  LVFINDINFOW f{};
  f.flags = LVFI_PARAM;
  f.lParam = reinterpret_cast<LPARAM>(item);
  return static_cast<int>(SendMessageW(hwnd_, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&f)));
}

ListItem* ListView::Selected() const {
  int pos = static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  return pos >= 0 ? Item(pos) : nullptr;
}

void ListView::SetSelected(ListItem* item) {
  if (item) {
    item->SetSelected(true);
    SendMessageW(hwnd_, LVM_ENSUREVISIBLE, item->Index(), FALSE);
  } else if (ListItem* s = Selected()) {
    s->SetSelected(false);
  }
}

void ListView::BeginUpdate() {
  if (updateDepth_++ == 0) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void ListView::EndUpdate() {
  if (--updateDepth_ > 0) return;
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

namespace {
struct SortContext {
  std::function<int(const ListItem&, const ListItem&)>* compare;
  std::exception_ptr failure;  // the first comparison that threw
};
int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM ctx) {
  auto* c = reinterpret_cast<SortContext*>(ctx);
  if (c->failure) return 0;  // the sort is void: finish it quickly
  try {
    return (*c->compare)(*reinterpret_cast<ListItem*>(a), *reinterpret_cast<ListItem*>(b));
  } catch (...) {
    c->failure = std::current_exception();
    return 0;
  }
}
}  // namespace

void ListView::CustomSort(std::function<int(const ListItem& a, const ListItem& b)> compare) {
  SortContext ctx{&compare, nullptr};
  SendMessageW(hwnd_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&ctx), reinterpret_cast<LPARAM>(CompareItems));
  // Back in our own frames: the caller's boundary reports the failure once.
  if (ctx.failure) std::rethrow_exception(ctx.failure);
}

void ListView::WndProc(Message& m) {
  switch (m.msg) {
    case WM_SIZE: {
      Control::WndProc(m);
      // Only a change of the control's own size re-shares the columns; a
      // scroll bar coming or going changes the client area alone.
      RECT r;
      GetWindowRect(hwnd_, &r);
      SIZE outer{r.right - r.left, r.bottom - r.top};
      if (outer.cx != outerSize_.cx || outer.cy != outerSize_.cy) {
        outerSize_ = outer;
        UpdateAutoSizeColumns();
      }
      return;
    }
    case CN_NOTIFY: {
      auto* h = reinterpret_cast<NMHDR*>(m.lParam);
      switch (h->code) {
        case LVN_ITEMCHANGED: {
          auto* n = reinterpret_cast<NMLISTVIEW*>(m.lParam);
          bool was = n->uOldState & LVIS_SELECTED, now = n->uNewState & LVIS_SELECTED;
          if ((n->uChanged & LVIF_STATE) && was != now && OnSelectItem && n->iItem >= 0)
            OnSelectItem(reinterpret_cast<ListItem*>(n->lParam), now);
          break;
        }
        case LVN_COLUMNCLICK: {
          auto* n = reinterpret_cast<NMLISTVIEW*>(m.lParam);
          if (OnColumnClick && n->iSubItem < ColumnCount()) OnColumnClick(Column(n->iSubItem));
          break;
        }
        case NM_DBLCLK:
          if (OnDblClick) OnDblClick();
          break;
        case NM_CLICK:
          Click();
          break;
        case LVN_DELETEALLITEMS:
          // The items own nothing the control must hand back one by one:
          // no notification per item (100,000 of them took over a second).
          m.result = TRUE;
          return;
        case LVN_BEGINLABELEDITW:
          m.result = (GetWindowLongW(hwnd_, GWL_STYLE) & LVS_EDITLABELS) ? FALSE : TRUE;
          return;
        default:
          break;
      }
      m.result = 0;
      return;
    }
    default:
      break;
  }
  Control::WndProc(m);
}

}  // namespace ui
