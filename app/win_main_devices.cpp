// Catalogued disks in the drives: the volumes of the present drives, read
// when first needed and at each device change, tell which
// snapshot can be updated from the list's context menu; a disk inserted
// while the window is open is named in the status line and selected.
#include <windows.h>
#include <dbt.h>

#include <string>
#include <vector>

#include "app/win_main_form.h"
#include "catalog/statements.h"
#include "create/win_volume_identity.h"

namespace app {
namespace {

// The drive roots of a mask of drive letters (bit 0 A:).
std::vector<std::string> RootsOf(DWORD drives) {
  std::vector<std::string> roots;
  for (int i = 0; i < 26; ++i)
    if (drives & (1u << i)) roots.push_back(std::string(1, static_cast<char>('A' + i)) + ":\\");
  return roots;
}

}  // namespace

void TfrmMain::RefreshPresentVolumes() {
  if (!VolumeOf) VolumeOf = create::ReadVolumeIdentity;
  PresentVolumes.clear();
  // Floppy drives (A:, B:) are slow to ask and hold no catalogued volume
  // worth it.
  for (const std::string& root : RootsOf(GetLogicalDrives() & ~DWORD{3})) {
    catalog::VolumeIdentity v = VolumeOf(root);
    if (v.serial != 0) PresentVolumes.emplace_back(root, std::move(v));
  }
  presentVolumesRead_ = true;
}

std::string TfrmMain::DriveOfSelectedSnapshot() { return DriveOfSnapshot(SelectedLabel()); }

std::string TfrmMain::DriveOfSnapshot(const std::string& label) {
  if (label.empty() || !ADOCn.Connected()) return {};
  // Asked of the drives once, when first needed, then again at each device
  // change: a drive that does not answer (a share gone) would hold up every
  // return to the snapshot list.
  if (!presentVolumesRead_) RefreshPresentVolumes();
  catalog::OpenSnapshotRow(DeviceQry, label);
  const catalog::SnapshotFacts facts = DeviceQry.Eof() ? catalog::SnapshotFacts{} : catalog::SnapshotFactsOf(DeviceQry);
  DeviceQry.Close();
  for (const auto& [root, volume] : PresentVolumes)
    if (catalog::SameVolume(volume, facts)) return root;
  return {};
}

void TfrmMain::VolumesArrived(DWORD unitMask) {
  if (!VolumeOf) VolumeOf = create::ReadVolumeIdentity;
  for (const std::string& root : RootsOf(unitMask)) {
    std::string label;
    catalog::SnapshotFacts facts;
    if (!catalog::FindSnapshotOfVolume(DeviceQry, VolumeOf(root), label, facts)) continue;
    SetLocationStatus(root + " 中的磁盘已编目为 " + label);
    if (!CurrentPath.empty() || SearchRunning) return;
    for (int n = 0; n < ListView1->ItemCount(); ++n)
      if (ListView1->Item(n)->Caption() == label) {
        ListView1->SetSelected(ListView1->Item(n));
        break;
      }
    return;
  }
}

void TfrmMain::WndProc(ui::Message& m) {
  if (m.msg == WM_DEVICECHANGE && (m.wParam == DBT_DEVICEARRIVAL || m.wParam == DBT_DEVICEREMOVECOMPLETE)) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(m.lParam);
    if (header && header->dbch_devicetype == DBT_DEVTYP_VOLUME) {
      const DWORD mask = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(m.lParam)->dbcv_unitmask;
      ui::Guarded([&] {
        RefreshPresentVolumes();
        if (m.wParam == DBT_DEVICEARRIVAL) VolumesArrived(mask);
        CopyButtonStatesToMenu();
      });
    }
    m.result = TRUE;
    return;
  }
  Form::WndProc(m);
}

}  // namespace app
