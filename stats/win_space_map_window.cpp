#include "stats/win_space_map_window.h"

#include <algorithm>

#include "browse/entry_texts.h"
#include "browse/win_busy_cursor.h"
#include "catalog/search_conditions.h"
#include "catalog/statements.h"
#include "maintain/export.h"
#include "maintain/win_entry_actions.h"
#include "stats/win_chart_painter.h"
#include "stats/win_picture_actions.h"
#include "ui/font.h"
#include "ui/application.h"
#include "ui/wide.h"

namespace stats {
namespace {

constexpr int kMargin = 8;

}  // namespace

TfrmSpaceMap::TfrmSpaceMap(shell::MainWindow& main, browse::TfrmTreeview& tree)
    : ui::Form("TfrmSpaceMap", ui::bsSizeable), main_(main), treeWindow_(tree), q_(&main.connection()) {
  SetCaption(ui::App().Title + " - 空间分布图");
  position = ui::poMainFormCenter;
  // Brighter than the painter's own: the cushions' edges stay readable.
  colours_.ambient = 0.3;
  colours_.diffuse = 0.7;
  StatusBar1.SetAlign(ui::alBottom);
  StatusBar1.AddPanel(-1);
  PbMap.SetColor(RGB(255, 255, 255));
  PbMap.OnPaint = [this](HDC dc, const RECT& area) { PaintMap(dc, area); };
  PbMap.OnMouseMove = [this](int x, int y) { HoverAt(x, y); };
  PbMap.OnMouseLeave = [this] {
    hovered_ = SpaceTree::kNoNode;
    StatusBar1.SetPanelText(0, selected_ != SpaceTree::kNoNode ? NodeText(selected_) : "");
  };
  PbMap.OnMouseDown = [this](int x, int y) { ClickAt(x, y); };
  PbMap.OnMouseDblClick = [this](int x, int y) { DblClickAt(x, y); };
  PbMap.OnKeyDown = [this](WORD& key, ui::ShiftState) {
    if (key == VK_BACK) {
      GoUp();
      key = 0;
    } else if (key == VK_RETURN && selected_ != SpaceTree::kNoNode && tree_.IsFolder(selected_)) {
      OpenFolder(selected_);
      key = 0;
    }
  };
  PbMap.popupMenu = &PMnuMap;
  PMnuMap.AddEntries({
      {.caption = "打开文件夹(&F)", .item = &mnuOpenFolder, .onClick = [this] { OpenFolder(selected_); },
       .name = "mnuMapOpenFolder"},
      {.caption = "返回上层(&U)\tBackspace", .item = &mnuUp, .onClick = [this] { GoUp(); }, .name = "mnuMapUp"},
      {.caption = "-"},
  });
  entryActions = maintain::AddEntryActions(PMnuMap, main, *this, tree, [this] {
    std::vector<maintain::EntryRef> out;
    if (auto e = SelectedEntry()) out.push_back(*e);
    return out;
  }, "mnuMap");
  PMnuMap.OnPopup = [this] {
    const bool any = selected_ != SpaceTree::kNoNode && selected_ != 0;
    mnuOpenFolder->SetEnabled(any && tree_.IsFolder(selected_) && selected_ != root_);
    mnuUp->SetEnabled(root_ != 0);
    entryActions.SetEnabled(any);
  };
  BtnUp.OnClick = [this] { GoUp(); };
  BtnPrint.OnClick = [this] { PrintPicture(*this, PrintDialog1, PbMap); };
  BtnSavePng.OnClick = [this] {
    SavePictureAsPng(*this, SaveDialog1, PbMap, "空间分布图 - " + SnapshotLabel,
                     maintain::UseOldStyleSaveDialog(main_.osNewerThan50(), main_.skinActive()));
  };
  BtnClose.Cancel = true;
  BtnClose.ModalResult = ui::mrCancel;
  OnShow = [this] { FormShow(); };
  OnResize = [this] { FormResize(); };
  LblPath.Name = "LblPath";
  BtnUp.Name = "BtnUp";
  PbMap.Name = "PbMap";
  BtnPrint.Name = "BtnPrint";
  BtnSavePng.Name = "BtnSavePng";
  BtnClose.Name = "BtnClose";
  SetClientSize(800, 560);
  FormResize();
}

void TfrmSpaceMap::FormResize() {
  const int w = ClientWidth();
  const int h = ClientHeight() - StatusBar1.Height();
  BtnUp.SetBounds(kMargin, 6, 96, 25);
  LblPath.SetBounds(kMargin + 104, 11, std::max(0, w - 2 * kMargin - 104 - 3 * 92), 18);
  BtnPrint.SetBounds(w - kMargin - 3 * 92 + 4, 6, 84, 25);
  BtnSavePng.SetBounds(w - kMargin - 2 * 92 + 4, 6, 84 + 4, 25);
  BtnClose.SetBounds(w - kMargin - 92 + 12, 6, 80, 25);
  PbMap.SetBounds(kMargin, 38, std::max(20, w - 2 * kMargin), std::max(20, h - 38 - 6));
}

void TfrmSpaceMap::FormShow() {
  SetCaption(ui::App().Title + " - 空间分布图 - " + SnapshotLabel);
  {
    browse::BusyCursor busy;
    catalog::Connection& cn = main_.connection();
    cn.Names().BringInStep(cn);
    tree_ = SpaceTree::Build(cn.Names().Contents(), catalog::SnapshotRoot(SnapshotLabel));
  }
  entries_.clear();
  root_ = 0;
  selected_ = hovered_ = SpaceTree::kNoNode;
  laidRoot_ = SpaceTree::kNoNode;
  ShowRoot();
  PbMap.SetFocus();
}

void TfrmSpaceMap::ShowRoot() {
  const maintain::EntryRef e = EntryOf(root_);
  const std::string path = root_ == 0 ? catalog::SnapshotRoot(SnapshotLabel) : maintain::StoredPathOf(e) + "\\";
  LblPath.SetText(path + "（" + browse::SizeText(tree_.Size() ? tree_.Bytes(root_) : 0) + "）");
  BtnUp.SetEnabled(root_ != 0);
  StatusBar1.SetPanelText(0, "");
  PbMap.Invalidate();
}

maintain::EntryRef TfrmSpaceMap::EntryOf(uint32_t node) {
  if (auto it = entries_.find(node); it != entries_.end()) return it->second;
  maintain::EntryRef e;
  e.isFolder = tree_.IsFolder(node);
  const int64_t rowid = node < tree_.Size() ? tree_.Rowid(node) : 0;
  bool read = false;
  // The names in memory are folded: the catalogue has them as stored.
  try {
    if (rowid > 0 && catalog::OpenEntry(q_, rowid)) {
      e.folder = q_.AsString("Path");
      e.name = q_.AsString("Name");
      read = true;
    }
  } catch (...) {
  }
  q_.Close();
  if (!read && node < tree_.Size()) {
    const std::string path = tree_.StoredPath(node);
    const std::string trimmed = e.isFolder && !path.empty() ? path.substr(0, path.size() - 1) : path;
    const size_t cut = trimmed.rfind('\\');
    e.folder = cut == std::string::npos ? std::string() : trimmed.substr(0, cut + 1);
    e.name = cut == std::string::npos ? trimmed : trimmed.substr(cut + 1);
  }
  if (entries_.size() > 4096) entries_.clear();
  entries_.emplace(node, e);
  return e;
}

std::string TfrmSpaceMap::NodeText(uint32_t node) {
  if (node >= tree_.Size()) return {};
  const std::string where = node == 0 ? catalog::SnapshotRoot(SnapshotLabel) : maintain::StoredPathOf(EntryOf(node));
  return where + "    " + browse::SizeText(tree_.Bytes(node)) +
         (tree_.IsFolder(node) ? "（文件夹）" : "（" + std::string(catalog::CategoryName(tree_.Category(node))) + "）");
}

uint32_t TfrmSpaceMap::NodeAt(int x, int y) const {
  const size_t i = layout_.HitTest(x, y);
  return i == TreemapLayout::kNone ? SpaceTree::kNoNode : layout_.rects[i].node;
}

void TfrmSpaceMap::HoverAt(int x, int y) {
  const uint32_t node = NodeAt(x, y);
  if (node == hovered_) return;
  hovered_ = node;
  StatusBar1.SetPanelText(0, node == SpaceTree::kNoNode ? std::string() : NodeText(node));
}

void TfrmSpaceMap::ClickAt(int x, int y) {
  const uint32_t node = NodeAt(x, y);
  if (node == selected_) return;
  selected_ = node;
  if (node != SpaceTree::kNoNode) StatusBar1.SetPanelText(0, NodeText(node));
  PbMap.Invalidate();
}

void TfrmSpaceMap::DblClickAt(int x, int y) {
  uint32_t node = NodeAt(x, y);
  if (node == SpaceTree::kNoNode) return;
  // The deepest folder under the pointer: a file's own folder.
  if (!tree_.IsFolder(node)) node = tree_.Parent(node);
  if (node != SpaceTree::kNoNode && node != root_) OpenFolder(node);
}

void TfrmSpaceMap::OpenFolder(uint32_t folder) {
  if (folder >= tree_.Size() || !tree_.IsFolder(folder)) return;
  root_ = folder;
  selected_ = hovered_ = SpaceTree::kNoNode;
  ShowRoot();
}

void TfrmSpaceMap::GoUp() {
  if (root_ == 0 || root_ >= tree_.Size()) return;
  const uint32_t from = root_;
  root_ = tree_.Parent(root_);
  if (root_ == SpaceTree::kNoNode) root_ = 0;
  ShowRoot();
  selected_ = from;  // the folder come from stays marked
}

std::optional<maintain::EntryRef> TfrmSpaceMap::SelectedEntry() {
  if (selected_ == SpaceTree::kNoNode || selected_ == 0 || selected_ >= tree_.Size()) return std::nullopt;
  return EntryOf(selected_);
}

void TfrmSpaceMap::Relayout(int width, int height) {
  laidWidth_ = width;
  laidHeight_ = height;
  laidRoot_ = root_;
  pixels_.assign(static_cast<size_t>(std::max(0, width)) * std::max(0, height), 0xFFFFFFFFu);
  if (tree_.Size() == 0 || width <= 0 || height <= 0) {
    layout_ = {};
    return;
  }
  // Files of less than a few pixels stay in their folder's cushion: the
  // layout then costs what shows, not every file of the snapshot.
  TreemapOptions options;
  options.minArea = kMinFileArea;
  layout_ = LayoutTreemap(tree_, root_, PixelRect{0, 0, width, height}, options);
  PaintTreemap(tree_, layout_, colours_, pixels_.data(), width, height, width);
}

void TfrmSpaceMap::PaintMap(HDC dc, const RECT& area) {
  const int width = area.right - area.left;
  const int height = std::max(0, static_cast<int>(area.bottom - area.top) - kLegendHeight);
  if (width != laidWidth_ || height != laidHeight_ || root_ != laidRoot_) Relayout(width, height);
  if (width > 0 && height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), pixels_.data(), &info, DIB_RGB_COLORS);
  }
  SetBkMode(dc, TRANSPARENT);
  // Folder names in their strips, where the layout left one.
  const TreemapOptions& o = layout_.options;
  size_t named = 0;
  for (const PlacedRect& p : layout_.rects) {
    if (!tree_.IsFolder(p.node)) continue;
    const PixelRect content = ContentRect(p.rect, o);
    if (content.y0 - p.rect.y0 < o.header || p.rect.Width() < o.headerMinWidth) continue;
    if (++named > 2000) break;  // past that the strips are too small to read anyway
    const std::string name = p.node == 0 ? SnapshotLabel : EntryOf(p.node).name;
    RECT strip{p.rect.x0 + o.frame + 2, p.rect.y0 + o.frame, p.rect.x1 - o.frame - 2, content.y0};
    const std::wstring w = ui::Wide(name + "  " + browse::SizeText(tree_.Bytes(p.node)));
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &strip,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  // The selection: a frame in two colours, seen on any cushion.
  for (const PlacedRect& p : layout_.rects) {
    if (p.node != selected_) continue;
    RECT r{p.rect.x0, p.rect.y0, p.rect.x1, p.rect.y1};
    FrameRect(dc, &r, ui::SolidBrush(RGB(0, 0, 0)));
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, ui::SolidBrush(RGB(255, 255, 255)));
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, ui::SolidBrush(RGB(0, 0, 0)));
    break;
  }
  if (GetFocus() == PbMap.Handle()) {
    RECT r{0, 0, width, height};
    DrawFocusRect(dc, &r);
  }
  // The legend: a square of each kind's colour and its name.
  int x = 4;
  const int y = height + 4;
  for (int k = 0; k < catalog::kFileCategoryCount; ++k) {
    RECT square{x, y + 2, x + 12, y + 14};
    FillRect(dc, &square, ui::SolidBrush(ColourOf(colours_.category[static_cast<size_t>(k)])));
    const std::wstring w = ui::Wide(catalog::CategoryName(static_cast<catalog::FileCategory>(k)));
    RECT text{x + 16, y, x + 90, y + 16};
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SIZE size{};
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
    x += 16 + size.cx + 14;
  }
}

}  // namespace stats
