#include "duplicates/win_duplicates_window.h"

#include <chrono>
#include <new>

#include "browse/entry_texts.h"
#include "browse/win_busy_cursor.h"
#include "duplicates/duplicate_export.h"
#include "duplicates/win_group_rows.h"
#include "maintain/condition_inputs.h"
#include "maintain/export.h"
#include "maintain/win_entry_actions.h"
#include "maintain/win_hit_rows.h"
#include "platform/file_io.h"
#include "ui/application.h"

namespace duplicates {
namespace {

constexpr int kMargin = 8;
constexpr int kTopRow = 40;
// How long one step of the finding may keep the messages waiting.
constexpr auto kStepTime = std::chrono::milliseconds(30);

}  // namespace

TfrmDuplicates::TfrmDuplicates(shell::MainWindow& main, browse::TfrmTreeview& tree)
    : ui::Form("TfrmDuplicates", ui::bsSizeable), main_(main), tree_(tree) {
  SetCaption(ui::App().Title + " - 查找重复文件");
  position = ui::poMainFormCenter;
  CmbKey.AddItem("名称和大小相同");
  CmbKey.AddItem("大小和修改日期相同（不论名称）");
  CmbKey.SetItemIndex(0);
  EdtMinSize.SetText("1");
  for (const char* u : maintain::kSizeUnits) CmbUnit.AddItem(u);
  CmbUnit.SetItemIndex(2);
  LblKey.FocusControl = &CmbKey;
  LblMinSize.FocusControl = &EdtMinSize;
  LblMembers.FocusControl = &LvMembers;
  BtnFind.SetDefault(true);
  BtnStop.SetEnabled(false);
  for (ui::ListView* list : {&LvGroups, &LvMembers}) {
    list->SetViewStyle(ui::vsReport);
    list->SetReadOnly(true);
    list->SetRowSelect(true);
    list->SetSmallImages(&main.smallImages());
  }
  LvGroups.AddColumn("名称", 220);
  LvGroups.AddColumn("大小", 90);
  LvGroups.AddColumn("文件数", 60);
  LvGroups.AddColumn("重复占用", 90);
  LvMembers.SetMultiSelect(true);
  LvMembers.AddColumn("名称", 150);
  LvMembers.AddColumn("类别", 45);
  LvMembers.AddColumn("位置", 210);
  LvMembers.AddColumn("大小", 80);
  LvMembers.AddColumn("修改日期", 120);
  LvMembers.AddColumn("快照", 70);
  LvMembers.popupMenu = &PMnuMembers;
  entryActions = maintain::AddEntryActions(PMnuMembers, main, *this, tree,
                                           [this] { return maintain::SelectedEntries(LvMembers, "["); }, "mnuDup");
  PMnuMembers.AddEntries({
      {.caption = "文件信息(&I)", .item = &mnuDetails, .onClick = [this] { ShowDetails(); }, .name = "mnuDupDetails"},
  });
  PMnuMembers.OnPopup = [this] {
    const bool any = !LvMembers.SelectedIndexes().empty();
    entryActions.SetEnabled(any);
    mnuDetails->SetEnabled(any);
  };
  LvMembers.OnKeyDown = [this](WORD& key, ui::ShiftState shift) {
    if (key == 'C' && shift.ctrl) {
      CopyPaths();
      key = 0;
    }
  };
  LvMembers.OnDblClick = [this] { ShowDetails(); };
  LvGroups.OnSelectItem = [this](ui::ListItem*, bool selected) {
    if (selected) GroupSelected();
  };
  GgProgress.SetRange(0, 1000);
  BtnExport.SetEnabled(false);
  BtnClose.Cancel = true;
  BtnClose.ModalResult = ui::mrCancel;
  BtnFind.OnClick = [this] { BtnFindClick(); };
  BtnStop.OnClick = [this] { BtnStopClick(); };
  BtnExport.OnClick = [this] { BtnExportClick(); };
  OnShow = [this] { FormShow(); };
  OnResize = [this] { FormResize(); };
  OnCloseQuery = [this](bool&) { finding_ = false; };
  LblKey.Name = "LblKey";
  CmbKey.Name = "CmbKey";
  EdtMinSize.Name = "EdtMinSize";
  CmbUnit.Name = "CmbUnit";
  BtnFind.Name = "BtnFind";
  BtnStop.Name = "BtnStop";
  LvGroups.Name = "LvGroups";
  LvMembers.Name = "LvMembers";
  GgProgress.Name = "GgProgress";
  LblStatus.Name = "LblStatus";
  BtnExport.Name = "BtnExport";
  BtnClose.Name = "BtnClose";
  SetClientSize(720, 500);
  FormResize();
}

void TfrmDuplicates::FormResize() {
  const int w = ClientWidth(), h = ClientHeight();
  LblKey.SetBounds(kMargin, 12, 64, 16);
  CmbKey.SetBounds(kMargin + 64, 8, 200, 200);
  LblMinSize.SetBounds(kMargin + 276, 12, 60, 16);
  EdtMinSize.SetBounds(kMargin + 336, 8, 50, 22);
  CmbUnit.SetBounds(kMargin + 390, 8, 52, 200);
  BtnFind.SetBounds(kMargin + 456, 6, 80, 25);
  BtnStop.SetBounds(kMargin + 542, 6, 80, 25);
  const int bottom = h - 36;  // the row of the progress and the buttons
  const int lists = bottom - kTopRow - 22 - kMargin;
  const int groups = lists * 2 / 5;
  LvGroups.SetBounds(kMargin, kTopRow, w - 2 * kMargin, groups);
  LblMembers.SetBounds(kMargin, kTopRow + groups + 5, 300, 16);
  LvMembers.SetBounds(kMargin, kTopRow + groups + 22, w - 2 * kMargin, lists - groups);
  GgProgress.SetBounds(kMargin, bottom + 8, 160, 20);
  LblStatus.SetBounds(kMargin + 170, bottom + 10, std::max(0, w - 2 * kMargin - 170 - 180), 18);
  BtnExport.SetBounds(w - kMargin - 170, bottom + 6, 84, 25);
  BtnClose.SetBounds(w - kMargin - 80, bottom + 6, 80, 25);
}

void TfrmDuplicates::FormShow() {
  GgProgress.SetProgress(0);
  if (!found_) LblStatus.SetText("按“查找”在全部快照中查找重复的文件。");
  BtnFind.SetFocus();
}

void TfrmDuplicates::SetFinding(bool on) {
  finding_ = on;
  BtnFind.SetEnabled(!on);
  BtnStop.SetEnabled(on);
  CmbKey.SetEnabled(!on);
  EdtMinSize.SetEnabled(!on);
  CmbUnit.SetEnabled(!on);
  BtnExport.SetEnabled(!on && found_ && !found_->groups.empty());
  if (on)
    BtnStop.SetFocus();
  else
    BtnFind.SetFocus();
}

std::string TfrmDuplicates::FoundText(const Duplicates& d) {
  if (d.groups.empty()) return "没有找到重复的文件。";
  return "找到 " + std::to_string(d.groups.size()) + " 组重复文件（" + std::to_string(d.members->size()) +
         " 个），重复占用 " + browse::SizeText(d.TotalWasted()) + "。";
}

void TfrmDuplicates::BtnFindClick() {
  if (finding_) return;
  std::string error;
  maintain::ConditionInputs in;
  in.minSize = EdtMinSize.Text();
  in.sizeUnit = std::max(0, CmbUnit.ItemIndex());
  const auto conditions = maintain::ConditionsFrom(in, error);
  if (!conditions) {
    LblStatus.SetText("最小大小有误：" + error);
    EdtMinSize.SetFocus();
    return;
  }
  DuplicateOptions options;
  options.key = CmbKey.ItemIndex() == 1 ? DuplicateKey::SizeAndModified : DuplicateKey::NameAndSize;
  options.minSize = conditions->minSize.value_or(0);
  ShowGroups(nullptr);
  SetFinding(true);
  LblStatus.SetText("正在查找重复文件...");
  GgProgress.SetProgress(0);
  std::string failure;
  try {
    catalog::Connection& cn = main_.connection();
    std::unique_ptr<DuplicateFinder> finder;
    {
      browse::BusyCursor busy;  // the names are read whole the first time
      cn.Names().BringInStep(cn);
      finder = std::make_unique<DuplicateFinder>(cn.Names().Contents(), options);
    }
    bool done = false;
    while (finding_ && !CloseRequested() && !done) {
      const auto until = std::chrono::steady_clock::now() + kStepTime;
      done = finder->Step([&] { return PauseAfterEachPiece || std::chrono::steady_clock::now() >= until; });
      GgProgress.SetProgress(static_cast<int>(finder->Progress() * 1000));
      if (!done) ui::App().ProcessMessages();
    }
    if (done) ShowGroups(std::make_shared<const Duplicates>(finder->Take()));
  } catch (const std::bad_alloc&) {
    failure = "内存不足";
  } catch (const std::exception& e) {
    failure = e.what();
  }
  const bool stopped = !found_;
  SetFinding(false);
  if (!failure.empty())
    LblStatus.SetText("查找失败：" + failure);
  else if (stopped)
    LblStatus.SetText("查找已停止。");
  else
    LblStatus.SetText(FoundText(*found_));
  if (!stopped) GgProgress.SetProgress(1000);
}

void TfrmDuplicates::ShowGroups(std::shared_ptr<const Duplicates> found) {
  found_ = std::move(found);
  shownGroup_ = -1;
  LvMembers.SetRows(nullptr);
  LblMembers.SetText("所选组中的文件(&L)：");
  if (!found_) {
    LvGroups.SetRows(nullptr);
    return;
  }
  LvGroups.SetRows(std::make_shared<GroupRows>(main_.connection(), found_));
  if (!found_->groups.empty()) {
    LvGroups.SelectOnly(0);
    GroupSelected();
  }
}

void TfrmDuplicates::GroupSelected() {
  const int row = LvGroups.FocusedIndex() >= 0 ? LvGroups.FocusedIndex() : -1;
  const auto selected = LvGroups.SelectedIndexes();
  const int group = selected.empty() ? row : selected.front();
  if (!found_ || group < 0 || static_cast<size_t>(group) >= found_->groups.size() || group == shownGroup_) return;
  shownGroup_ = group;
  const DuplicateGroup& g = found_->groups[static_cast<size_t>(group)];
  LvMembers.SetRows(std::make_shared<maintain::HitRows>(main_.connection(), found_->MembersOf(g)));
  LblMembers.SetText("所选组中的文件(&L)：" + std::to_string(g.count) + " 个，每个 " + browse::SizeText(g.size));
}

void TfrmDuplicates::CopyPaths() {
  maintain::CopyPaths(Handle(), maintain::SelectedEntries(LvMembers, "["));
}

void TfrmDuplicates::OpenLocation() {
  const auto entries = maintain::SelectedEntries(LvMembers, "[");
  if (!entries.empty()) maintain::OpenLocation(main_, *this, entries.front());
}

void TfrmDuplicates::ShowInTree() {
  const auto entries = maintain::SelectedEntries(LvMembers, "[");
  if (!entries.empty()) maintain::ShowInTreeView(main_, tree_, entries.front());
}

void TfrmDuplicates::ShowDetails() {
  const auto entries = maintain::SelectedEntries(LvMembers, "[");
  if (!entries.empty()) main_.ShowFileDetails(this, entries.front().folder, entries.front().name);
}

void TfrmDuplicates::BtnExportClick() {
  if (!found_ || found_->groups.empty()) return;
  SaveDialog1.OldStyle = maintain::UseOldStyleSaveDialog(main_.osNewerThan50(), main_.skinActive());
  SaveDialog1.Title = "导出重复文件";
  SaveDialog1.FileName = "重复文件";
  SaveDialog1.Filter = "CSV 文件 (*.csv)|*.csv";
  SaveDialog1.FilterIndex = 1;
  SaveDialog1.DefaultExt = "csv";
  SaveDialog1.OverwritePrompt = true;
  if (!SaveDialog1.Execute()) return;
  browse::BusyCursor busy;
  maintain::HitRows members(main_.connection(), found_->members);
  std::vector<DuplicateLine> lines;
  lines.reserve(found_->members->size());
  int number = 0;
  for (const DuplicateGroup& g : found_->groups) {
    ++number;
    const std::string wasted = browse::SizeText(g.Wasted());
    for (uint32_t i = 0; i < g.count; ++i) {
      const size_t r = g.first + i;
      using namespace maintain;
      lines.push_back({number, static_cast<int>(g.count), wasted,
                       {members.Text(r, kHitName), members.Text(r, kHitKind), members.Text(r, kHitFolder),
                        members.Text(r, kHitSize), members.Text(r, kHitModified), members.Text(r, kHitSnapshot)}});
    }
    if (number % 256 == 0) members.Prepare(0, 0);
  }
  fileio::WriteFileAtomic(SaveDialog1.FileName, DuplicatesCsv(lines));
  ui::ShowMessageBox(this, maintain::ExportDoneMessage(), MB_OK | MB_ICONINFORMATION);
}

}  // namespace duplicates
