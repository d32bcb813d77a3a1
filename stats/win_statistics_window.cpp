#include "stats/win_statistics_window.h"

#include <algorithm>
#include <new>

#include "browse/entry_texts.h"
#include "browse/win_busy_cursor.h"
#include "catalog/query.h"
#include "catalog/snapshot_facts.h"
#include "catalog/statements.h"
#include "maintain/export.h"
#include "maintain/win_entry_actions.h"
#include "maintain/win_hit_rows.h"
#include "stats/treemap_paint.h"
#include "stats/win_chart_painter.h"
#include "stats/win_picture_actions.h"
#include "stats/win_space_map_window.h"
#include "ui/application.h"

namespace stats {
namespace {

constexpr int kMargin = 8;
constexpr int kSideWidth = 330;

}  // namespace

TfrmStatistics::TfrmStatistics(shell::MainWindow& main, browse::TfrmTreeview& tree, TfrmSpaceMap& map)
    : ui::Form("TfrmStatistics", ui::bsSizeable), main_(main), tree_(tree), map_(map) {
  SetCaption(ui::App().Title + " - 统计信息");
  position = ui::poMainFormCenter;
  PbCharts.SetColor(RGB(255, 255, 255));
  PbCharts.OnPaint = [this](HDC dc, const RECT& area) { PaintCharts(dc, area); };
  for (ui::ListView* list : {&LvLargest, &LvExtensions}) {
    list->SetViewStyle(ui::vsReport);
    list->SetReadOnly(true);
    list->SetRowSelect(true);
    list->SetSmallImages(&main.smallImages());
  }
  LvLargest.SetMultiSelect(true);
  for (auto [caption, width] : {std::pair{"名称", 120}, {"类别", 40}, {"位置", 120}, {"大小", 70},
                                {"修改日期", 110}, {"快照", 60}})
    LvLargest.AddColumn(caption, width);
  LvExtensions.AddColumn("扩展名", 110);
  LvExtensions.AddColumn("文件数", 80);
  LvExtensions.AddColumn("大小", 90);
  LblLargest.FocusControl = &LvLargest;
  LblExtensions.FocusControl = &LvExtensions;
  LvLargest.popupMenu = &PMnuFiles;
  entryActions = maintain::AddEntryActions(PMnuFiles, main, *this, tree,
                                           [this] { return maintain::SelectedEntries(LvLargest, "["); }, "mnuStat");
  PMnuFiles.OnPopup = [this] { entryActions.SetEnabled(!LvLargest.SelectedIndexes().empty()); };
  LvLargest.OnKeyDown = [this](WORD& key, ui::ShiftState shift) {
    if (key == 'C' && shift.ctrl) {
      CopyPaths();
      key = 0;
    }
  };
  LvLargest.OnDblClick = [this] {
    const auto entries = maintain::SelectedEntries(LvLargest, "[");
    if (!entries.empty()) main_.ShowFileDetails(this, entries.front().folder, entries.front().name);
  };
  BtnSpaceMap.OnClick = [this] { BtnSpaceMapClick(); };
  BtnPrint.OnClick = [this] { PrintPicture(*this, PrintDialog1, PbCharts); };
  BtnSavePng.OnClick = [this] {
    SavePictureAsPng(*this, SaveDialog1, PbCharts, "统计信息",
                     maintain::UseOldStyleSaveDialog(main_.osNewerThan50(), main_.skinActive()));
  };
  BtnClose.Cancel = true;
  BtnClose.ModalResult = ui::mrCancel;
  OnShow = [this] { FormShow(); };
  OnResize = [this] { FormResize(); };
  LblSummary.Name = "LblSummary";
  PbCharts.Name = "PbCharts";
  LvLargest.Name = "LvLargest";
  LvExtensions.Name = "LvExtensions";
  BtnSpaceMap.Name = "BtnSpaceMap";
  BtnPrint.Name = "BtnPrint";
  BtnSavePng.Name = "BtnSavePng";
  BtnClose.Name = "BtnClose";
  SetClientSize(860, 600);
  FormResize();
}

void TfrmStatistics::FormResize() {
  const int w = ClientWidth(), h = ClientHeight();
  const int bottom = h - 36;
  const int side = std::min(kSideWidth, std::max(160, w / 2 - kMargin));
  const int sideLeft = w - kMargin - side;
  LblSummary.SetBounds(kMargin, 8, w - 2 * kMargin, 18);
  PbCharts.SetBounds(kMargin, 30, std::max(40, sideLeft - 2 * kMargin), std::max(40, bottom - 30));
  const int lists = bottom - 30;
  const int half = lists / 2;
  LblLargest.SetBounds(sideLeft, 30, side, 16);
  LvLargest.SetBounds(sideLeft, 48, side, half - 22);
  LblExtensions.SetBounds(sideLeft, 30 + half, side, 16);
  LvExtensions.SetBounds(sideLeft, 48 + half, side, lists - half - 18);
  BtnSpaceMap.SetBounds(kMargin, bottom + 6, 110, 25);
  BtnPrint.SetBounds(w - kMargin - 80 - 88 - 118, bottom + 6, 80, 25);
  BtnSavePng.SetBounds(w - kMargin - 80 - 116, bottom + 6, 110, 25);
  BtnClose.SetBounds(w - kMargin - 80, bottom + 6, 80, 25);
}

void TfrmStatistics::FormShow() {
  SetCaption(ui::App().Title + " - 统计信息 - " + (Labels.empty() ? "全部快照" : "所选快照"));
  Compute();
  PbCharts.Invalidate();
  BtnClose.SetFocus();
}

std::string TfrmStatistics::SummaryText() const {
  std::string scope = Labels.empty() ? "全部快照" : "所选快照";
  scope += "（" + std::to_string(figures_.snapshots.size()) + " 个）：";
  return scope + "文件夹 " + GroupedNumber(figures_.folders) + " 个，文件 " + GroupedNumber(figures_.files) +
         " 个，共 " + browse::SizeText(figures_.bytes) + "。";
}

void TfrmStatistics::Compute() {
  browse::BusyCursor busy;
  catalog::Connection& cn = main_.connection();
  cn.Names().BringInStep(cn);
  catalog::IndexContents contents = cn.Names().Contents();
  SnapshotChoice choice;
  if (!Labels.empty()) choice.labels = Labels;
  figures_ = ComputeStatistics(contents, choice);

  // Each disk's size and free space, as its snapshot recorded them.
  std::vector<DiskSpace> disks;
  catalog::Query q(&cn);
  for (const SnapshotFigures& s : figures_.snapshots) {
    DiskSpace d;
    d.label = s.label;
    d.entriesBytes = s.bytes;
    catalog::OpenSnapshotRow(q, s.label);
    if (!q.Eof()) {
      const catalog::SnapshotFacts facts = catalog::SnapshotFactsOf(q);
      d.totalBytes = facts.volume.totalBytes;
      d.freeBytes = facts.volume.freeBytes;
    }
    q.Close();
    disks.push_back(d);
  }
  snapshotsLeftOut_ = 0;
  if (disks.size() > kSnapshotBars) {
    auto used = [](const DiskSpace& d) {
      return d.totalBytes > 0 ? d.totalBytes - d.freeBytes : d.entriesBytes;
    };
    std::stable_sort(disks.begin(), disks.end(),
                     [&](const DiskSpace& a, const DiskSpace& b) { return used(a) > used(b); });
    snapshotsLeftOut_ = disks.size() - kSnapshotBars;
    disks.resize(kSnapshotBars);
  }
  charts_ = {SnapshotSpaceChart(disks), CategoryChart(figures_), YearChart(figures_)};
  if (snapshotsLeftOut_ > 0) charts_[0].title += "，最大的 " + std::to_string(kSnapshotBars) + " 个";
  LblSummary.SetText(SummaryText());

  auto largest = std::make_shared<catalog::HitTable>();
  largest->SetChunks(contents.chunks);
  largest->SetPaths(contents.paths);
  for (const FileRef& f : figures_.largest) largest->AddAt(f.chunk, f.entry);
  LvLargest.SetRows(std::make_shared<maintain::HitRows>(cn, largest));
  LvExtensions.Clear();
  for (const ExtensionTally& e : figures_.extensions)
    LvExtensions.AddItem(ExtensionText(e.extension), -1, {GroupedNumber(e.files), browse::SizeText(e.bytes)});
}

void TfrmStatistics::PaintCharts(HDC dc, const RECT& area) {
  if (charts_.size() < 3) return;
  RECT r = area;
  InflateRect(&r, -10, -6);
  RECT first = r;
  first.bottom = std::min<LONG>(r.bottom, r.top + HorizontalChartHeight(charts_[0].bars.size()));
  DrawChart(dc, first, charts_[0]);
  RECT second = r;
  second.top = first.bottom + 8;
  second.bottom = std::min<LONG>(r.bottom, second.top + HorizontalChartHeight(charts_[1].bars.size()));
  const TreemapColours colours;
  COLORREF kinds[catalog::kFileCategoryCount];
  for (int k = 0; k < catalog::kFileCategoryCount; ++k) kinds[k] = ColourOf(colours.category[static_cast<size_t>(k)]);
  DrawChart(dc, second, charts_[1], {}, kinds);
  RECT third = r;
  third.top = second.bottom + 8;
  if (third.bottom - third.top > 60) DrawChart(dc, third, charts_[2]);
}

void TfrmStatistics::CopyPaths() { maintain::CopyPaths(Handle(), maintain::SelectedEntries(LvLargest, "[")); }

void TfrmStatistics::OpenLocation() {
  const auto entries = maintain::SelectedEntries(LvLargest, "[");
  if (!entries.empty()) maintain::OpenLocation(main_, *this, entries.front());
}

void TfrmStatistics::ShowInTree() {
  const auto entries = maintain::SelectedEntries(LvLargest, "[");
  if (!entries.empty()) maintain::ShowInTreeView(main_, tree_, entries.front());
}

void TfrmStatistics::BtnSpaceMapClick() {
  // The snapshot of the selected file, else the first one counted.
  const auto entries = maintain::SelectedEntries(LvLargest, "[");
  std::string label;
  if (!entries.empty()) label = std::string(catalog::LabelOfPath(entries.front().folder));
  if (label.empty() && !figures_.snapshots.empty()) label = figures_.snapshots.front().label;
  if (label.empty()) return;
  map_.SnapshotLabel = label;
  map_.ShowModal();
}

}  // namespace stats
