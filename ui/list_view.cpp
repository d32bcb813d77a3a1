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
  if (view_) view_->RedrawItem(pos_);
}

void ListItem::SetImageIndex(int index) {
  image_ = index;
  if (view_) view_->RedrawItem(pos_);
}

void ListItem::SetSubItem(size_t i, std::string_view text) {
  if (subItems_.size() <= i) subItems_.resize(i + 1);
  subItems_[i] = std::string(text);
  if (view_) view_->RedrawItem(pos_);
}

int ListItem::Index() const { return view_ ? pos_ : -1; }

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
  CreateWnd(WC_LISTVIEWW,
            WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
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

void ListView::RedrawItem(int pos) {
  if (pos >= 0) SendMessageW(hwnd_, LVM_REDRAWITEMS, pos, pos);
}

void ListView::SetCount(size_t n) {
  SendMessageW(hwnd_, LVM_SETITEMCOUNT, n, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

ListItem* ListView::AddItem(std::string_view caption, int imageIndex,
                            const std::vector<std::string>& subItems) {
  if (rows_) Clear();
  auto item = std::make_unique<ListItem>();
  item->caption_ = std::string(caption);
  item->image_ = imageIndex;
  item->subItems_ = subItems;
  item->view_ = this;
  item->pos_ = static_cast<int>(items_.size());
  ListItem* raw = item.get();
  items_.push_back(std::move(item));
  SetCount(items_.size());
  return raw;
}

void ListView::Clear() {
  SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  lastSelected_ = -1;
  items_.clear();
  rows_.reset();
  rowItems_.clear();
}

void ListView::SetRows(std::shared_ptr<ListRows> rows) {
  Clear();
  rows_ = std::move(rows);
  SetCount(rows_ ? rows_->Count() : 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListView::ClearSelection() {
  // Row by row: the state of "every row" (-1) is set on each of a million
  // rows by some list controls, one notification each.
  LVITEMW it{};
  it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  std::vector<int> rows = SelectedIndexes();
  if (const int focused = FocusedIndex(); focused >= 0) rows.push_back(focused);
  for (int pos : rows) SendMessageW(hwnd_, LVM_SETITEMSTATE, pos, reinterpret_cast<LPARAM>(&it));
}

void ListView::RowsChanged() {
  rowItems_.clear();
  ClearSelection();
  SetCount(rows_ ? rows_->Count() : items_.size());
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListView::SetMultiSelect(bool on) {
  LONG st = GetWindowLongW(hwnd_, GWL_STYLE);
  SetWindowLongW(hwnd_, GWL_STYLE, on ? st & ~LVS_SINGLESEL : st | LVS_SINGLESEL);
}

std::vector<int> ListView::SelectedIndexes() const {
  std::vector<int> out;
  for (int pos = -1;;) {
    pos = static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(pos), LVNI_SELECTED));
    if (pos < 0) break;
    out.push_back(pos);
  }
  return out;
}

int ListView::FocusedIndex() const {
  return static_cast<int>(SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void ListView::SelectOnly(int index) {
  ClearSelection();
  LVITEMW it{};
  it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (index < 0 || index >= ItemCount()) return;
  it.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&it));
  SendMessageW(hwnd_, LVM_ENSUREVISIBLE, index, FALSE);
}

int ListView::ItemCount() const {
  return static_cast<int>(rows_ ? rows_->Count() : items_.size());
}

ListItem* ListView::Item(int index) const {
  if (index < 0 || index >= ItemCount()) return nullptr;
  if (!rows_) return items_[index].get();
  for (auto& [pos, item] : rowItems_)
    if (pos == index) return item.get();
  // A few items at a time are asked for (the selection, a details box).
  if (rowItems_.size() >= 64) rowItems_.erase(rowItems_.begin());
  auto item = std::make_unique<ListItem>();
  item->caption_ = rows_->Text(static_cast<size_t>(index), 0);
  item->image_ = rows_->Image(static_cast<size_t>(index));
  for (int c = 1; c < ColumnCount(); ++c) item->subItems_.push_back(rows_->Text(static_cast<size_t>(index), c));
  item->view_ = const_cast<ListView*>(this);
  item->pos_ = index;
  rowItems_.emplace_back(index, std::move(item));
  return rowItems_.back().second.get();
}

int ListView::PositionOf(const ListItem* item) const { return item ? item->pos_ : -1; }

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

std::string ListView::TextAt(size_t row, int column) const {
  if (rows_) return row < rows_->Count() ? rows_->Text(row, column) : std::string();
  if (row >= items_.size()) return {};
  const ListItem& item = *items_[row];
  return column == 0 ? item.caption_ : item.SubItem(static_cast<size_t>(column - 1));
}

void ListView::AnswerDisplayInfo(NMLVDISPINFOW& info) {
  LVITEMW& it = info.item;
  if (it.iItem < 0 || it.iItem >= ItemCount()) return;
  const auto row = static_cast<size_t>(it.iItem);
  if (it.mask & LVIF_TEXT && it.pszText && it.cchTextMax > 0) {
    const std::wstring w = Wide(TextAt(row, it.iSubItem));
    const size_t n = std::min(w.size(), static_cast<size_t>(it.cchTextMax - 1));
    std::copy_n(w.data(), n, it.pszText);
    it.pszText[n] = 0;
  }
  if (it.mask & LVIF_IMAGE) it.iImage = rows_ ? rows_->Image(row) : items_[row]->image_;
}

// Typing letters in the list goes to the next caption that begins with
// them, letter case ignored.
int ListView::FindByCaption(const NMLVFINDITEMW& find) const {
  if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
  const std::wstring want(find.lvfi.psz);
  const int n = ItemCount();
  if (n == 0 || want.empty()) return -1;
  const int start = std::clamp(find.iStart, 0, n - 1);
  for (int k = 0; k < n; ++k) {
    const int i = (start + k) % n;
    if (k > 0 && i == start) break;
    if (!(find.lvfi.flags & LVFI_WRAP) && i < start) break;
    const std::wstring caption = Wide(TextAt(static_cast<size_t>(i), 0));
    if (caption.size() >= want.size() &&
        CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption.data(), static_cast<int>(want.size()),
                       want.data(), static_cast<int>(want.size())) == CSTR_EQUAL)
      return i;
  }
  return -1;
}

void ListView::BeginUpdate() {
  if (updateDepth_++ == 0) SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
}

void ListView::EndUpdate() {
  if (--updateDepth_ > 0) return;
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListView::CustomSort(std::function<int(const ListItem& a, const ListItem& b)> compare) {
  if (rows_) return;  // rows are ordered by their source
  std::vector<const ListItem*> selected;
  for (int pos : SelectedIndexes()) selected.push_back(items_[pos].get());
  const int focused = FocusedIndex();
  const ListItem* focus = focused >= 0 && focused < ItemCount() ? items_[focused].get() : nullptr;
  struct Renumber {  // whatever the sort does, positions stay true
    std::vector<std::unique_ptr<ListItem>>& items;
    ~Renumber() {
      for (size_t i = 0; i < items.size(); ++i) items[i]->pos_ = static_cast<int>(i);
    }
  } renumber{items_};
  ClearSelection();
  LVITEMW it{};
  std::stable_sort(items_.begin(), items_.end(),
                   [&](const std::unique_ptr<ListItem>& a, const std::unique_ptr<ListItem>& b) {
                     return compare(*a, *b) < 0;
                   });
  for (size_t i = 0; i < items_.size(); ++i) items_[i]->pos_ = static_cast<int>(i);
  for (const ListItem* item : selected) {
    it.state = LVIS_SELECTED | (item == focus ? LVIS_FOCUSED : 0);
    it.stateMask = it.state;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, item->pos_, reinterpret_cast<LPARAM>(&it));
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
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
          if (!(n->uChanged & LVIF_STATE) || was == now) break;
          // A list without items of its own reports a change of every row
          // at once as row -1: the row last reported selected is the one
          // that lost it.
          int row = n->iItem;
          if (row < 0 && !now) row = lastSelected_;
          if (row < 0) break;
          lastSelected_ = now ? row : row == lastSelected_ ? -1 : lastSelected_;
          if (OnSelectItem && row < ItemCount()) OnSelectItem(Item(row), now);
          break;
        }
        case LVN_GETDISPINFOW:
          AnswerDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(m.lParam));
          m.result = 0;
          return;
        case LVN_ODCACHEHINT: {
          auto* n = reinterpret_cast<NMLVCACHEHINT*>(m.lParam);
          if (rows_ && n->iFrom >= 0 && n->iTo >= n->iFrom)
            rows_->Prepare(static_cast<size_t>(n->iFrom), static_cast<size_t>(n->iTo));
          m.result = 0;
          return;
        }
        case LVN_ODFINDITEMW:
          m.result = FindByCaption(*reinterpret_cast<NMLVFINDITEMW*>(m.lParam));
          return;
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
