// The create window's knowledge of catalogued disks: the snapshot of the
// disk in the selected drive named under the drive list, a second snapshot
// of it asked for first, and "更新快照", which scans the disk again into its
// snapshot (create/snapshot_update.h).
#include <windows.h>

#include "catalog/statements.h"
#include "create/prefetch_source.h"
#include "create/snapshot_update.h"
#include "create/win_unit_create.h"
#include "platform/file_time.h"
#include "ui/application.h"

namespace create {

bool TfrmCreate::SelectDrive(const std::string& root) {
  for (int i = 0; i < static_cast<int>(Drives.DrivePaths.size()); ++i)
    if (Drives.DrivePaths[i] == root) {
      ComboBoxEx1.SetItemIndex(i);
      return true;
    }
  return false;
}

void TfrmCreate::RecogniseSelectedDisk() {
  KnownLabel.clear();
  SelectedVolume = {};
  const std::string root = SelectedRoot();
  catalog::SnapshotFacts facts;
  if (!root.empty()) {
    SelectedVolume = VolumeOf(root);
    std::string label;
    if (catalog::FindSnapshotOfVolume(ADOQryCreate, SelectedVolume, label, facts)) KnownLabel = label;
  }
  if (KnownLabel.empty()) {
    LblKnown.SetCaption("");
  } else {
    const int64_t when = facts.updated ? facts.updated : facts.created;
    LblKnown.SetCaption("此盘已编目为 " + KnownLabel + (when ? "，更新于 " + filetime::FormatLocalDate(when) : ""));
  }
  BtnUpdate.SetEnabled(!KnownLabel.empty() && ScanState == kScanIdle && !main_.connection().ReadOnly());
}

bool TfrmCreate::SecondSnapshotAllowed() {
  RecogniseSelectedDisk();
  if (KnownLabel.empty()) return true;
  return Say("此盘已编目为 " + KnownLabel + "。\r要再为它创建一个快照吗？\r（更新原有快照请按“更新快照”）",
             MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void TfrmCreate::BtnUpdateClick() {
  RecogniseSelectedDisk();
  if (KnownLabel.empty()) return;
  const std::string label = KnownLabel;
  const std::string caption = SelectedCaption();
  const std::string root = Drives.RootOf(caption);
  DiskSizeKB = root.empty() ? 0 : GetDiskSizeKB(root);
  if (DiskSizeKB < 1) {
    Say("驱动器为空，请将存储设备放入驱动器！", MB_OK | MB_ICONERROR);
    return;
  }
  SetRunControls(caption);
  const ScanHooks hooks = RunHooks();
  SnapshotRequest request{label, root, DiskSizeKB, "", SelectedVolume, ArchivesOfRun()};
  UpdateResult result;
  try {
    PrefetchSource source(source_, 2);
    result = UpdateSnapshot(ADOQryCreate, source, request, hooks, [this] { StartProgress(); });
  } catch (const std::exception& e) {
    // Nothing was written: the old snapshot stands whole.
    Timer1.SetEnabled(false);
    EndRun(false);
    ui::App().HandleException(e);
    RecogniseSelectedDisk();
    return;
  }
  if (ScanState == kScanRunning) Gauge1.SetProgress(100);
  Timer1.SetEnabled(false);
  if (result.replaced) {
    LastUpdateSummary = ChangeSummary(result.counts);
    Say("快照 [ " + label + " ] 已更新：" + LastUpdateSummary, MB_OK | MB_ICONINFORMATION);
    main_.BrowseAll();
  } else {
    Say("更新已停止，快照 [ " + label + " ] 保持原样。", MB_OK | MB_ICONINFORMATION);
  }
  EndRun(result.replaced);
  RecogniseSelectedDisk();
}

}  // namespace create
