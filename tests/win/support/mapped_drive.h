// Real folders of a test seen as drive letters through Wine's mount manager,
// and the temporary folders they live in.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace testsupport {

// Defines (or, with an empty path, removes) a drive letter for a Unix folder
// with a drive type, as Wine's configuration tool does.
bool DefineDrive(wchar_t letter, const std::string& unixPath, ULONG type);
// The Unix path of a Windows path ("" outside Wine).
std::string UnixPathOf(const std::wstring& path);
// Removes a folder ("\"-terminated) and everything in it.
void RemoveTree(const std::wstring& folder);
// A fresh folder named after the process, "\"-terminated; what an earlier run
// that ended early left under the same name (process numbers come round
// again) goes.
std::wstring TempFolder(const std::wstring& name);

// A folder of the test, seen as drive R: (or the next free letter down).
class MappedDrive {
 public:
  explicit MappedDrive(ULONG type = DRIVE_REMOVABLE);
  ~MappedDrive();
  MappedDrive(const MappedDrive&) = delete;
  MappedDrive& operator=(const MappedDrive&) = delete;
  bool ok() const { return ok_; }
  wchar_t Letter() const { return letter_; }
  std::string Root() const;
  // A path inside the folder, "\"-separated.
  std::wstring Path(const std::string& rel) const;
  void Folder(const std::string& rel, DWORD attributes = 0);
  // A sparse file of that size.
  void File(const std::string& rel, int64_t size, DWORD attributes = 0);
  // The volume serial number GetVolumeInformationW gives from now on. Wine
  // reads it from the root's ".windows-serial" for a fixed drive only (the
  // mount manager's request ignores its serial field, and a removable drive
  // is numbered after its letter), so the drive must be DRIVE_FIXED; it
  // reads the file when the drive is defined, so the drive is defined anew.
  void SetSerial(uint32_t serial);

 private:
  std::wstring folder_;
  wchar_t letter_ = L'R';
  ULONG type_;
  bool ok_ = false;
};

}  // namespace testsupport
