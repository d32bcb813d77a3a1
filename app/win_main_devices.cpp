// Catalogued disks in the drives: the volumes of the present drives, read
// at each fill of the snapshot list and each device change, tell which
// snapshot can be updated from the list's context menu; a disk inserted
// while the window is open is named in the status line and selected.
#include <windows.h>
#include <dbt.h>

#include "app/win_main_form.h"
#include "catalog/statements.h"
#include "create/win_volume_identity.h"

namespace app {

void TfrmMain::RefreshPresentVolumes() {
  if (!VolumeOf) VolumeOf = create::ReadVolumeIdentity;
  PresentVolumes.clear();
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    const std::string root = std::string(1, static_cast<char>('A' + i)) + ":\\";
    // Floppy drives are slow to ask and hold no catalogued volume worth it.
    if (i < 2) continue;
    catalog::VolumeIdentity v = VolumeOf(root);
    if (v.serial != 0) PresentVolumes.emplace_back(root, std::move(v));
  }
}

std::string TfrmMain::DriveOfSelectedSnapshot() {
  const std::string label = SelectedLabel();
  if (label.empty() || !ADOCn.Connected()) return {};
  catalog::OpenSnapshotRow(DeviceQry, label);
  const catalog::SnapshotFacts facts = DeviceQry.Eof() ? catalog::SnapshotFacts{} : catalog::SnapshotFactsOf(DeviceQry);
  DeviceQry.Close();
  for (const auto& [root, volume] : PresentVolumes)
    if (catalog::SameVolume(volume, facts)) return root;
  return {};
}

void TfrmMain::VolumesArrived(DWORD unitMask) {
  if (!VolumeOf) VolumeOf = create::ReadVolumeIdentity;
  for (int i = 0; i < 26; ++i) {
    if (!(unitMask & (1u << i))) continue;
    const std::string root = std::string(1, static_cast<char>('A' + i)) + ":\\";
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
