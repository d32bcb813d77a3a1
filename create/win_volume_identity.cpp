#include "create/win_volume_identity.h"

#include <windows.h>

#include "ui/wide.h"

namespace create {

catalog::VolumeIdentity ReadVolumeIdentity(const std::string& root) {
  catalog::VolumeIdentity v;
  const std::wstring w = ui::Wide(root);
  // An empty removable drive would otherwise ask the user to insert a disk.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  wchar_t label[MAX_PATH + 1] = {}, fileSystem[MAX_PATH + 1] = {};
  DWORD serial = 0, maxName = 0, flags = 0;
  if (GetVolumeInformationW(w.c_str(), label, MAX_PATH + 1, &serial, &maxName, &flags, fileSystem, MAX_PATH + 1)) {
    v.serial = serial;
    v.volumeLabel = ui::Narrow(label);
    v.fileSystem = ui::Narrow(fileSystem);
    ULARGE_INTEGER available{}, total{}, free{};
    if (GetDiskFreeSpaceExW(w.c_str(), &available, &total, &free)) {
      v.totalBytes = static_cast<int64_t>(total.QuadPart);
      v.freeBytes = static_cast<int64_t>(free.QuadPart);
    }
  }
  v.driveKind = static_cast<int>(GetDriveTypeW(w.c_str()));
  SetErrorMode(oldMode);
  return v;
}

}  // namespace create
