#include "tests/win/support/mapped_drive.h"

#include <gtest/gtest.h>
#include <winioctl.h>

#include <algorithm>
#include <cstdio>

#include "ui/wide.h"

namespace testsupport {

namespace {

// The request of Wine's own mount manager for a Unix folder as a drive.
struct UnixDriveRequest {
  ULONG size;
  ULONG type;
  ULONG fs_type;
  DWORD serial;
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;
  USHORT device_offset;
  USHORT label_offset;
};
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

}  // namespace

bool DefineDrive(wchar_t letter, const std::string& unixPath, ULONG type) {
  HANDLE mgr = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (mgr == INVALID_HANDLE_VALUE) return false;
  std::string buf(sizeof(UnixDriveRequest) + unixPath.size() + 1, '\0');
  auto* req = reinterpret_cast<UnixDriveRequest*>(buf.data());
  req->size = static_cast<ULONG>(buf.size());
  req->letter = static_cast<WCHAR>(towlower(letter));
  req->type = unixPath.empty() ? DRIVE_NO_ROOT_DIR : type;
  if (!unixPath.empty()) {
    req->mount_point_offset = sizeof(UnixDriveRequest);
    std::copy(unixPath.begin(), unixPath.end(), buf.begin() + sizeof(UnixDriveRequest));
  }
  BOOL ok = DeviceIoControl(mgr, kDefineUnixDrive, buf.data(), static_cast<DWORD>(buf.size()), nullptr, 0,
                            nullptr, nullptr);
  CloseHandle(mgr);
  return ok != FALSE;
}

std::string UnixPathOf(const std::wstring& path) {
  using Fn = char*(CDECL*)(LPCWSTR);
  FARPROC proc = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
  if (!fn) return {};
  char* p = fn(path.c_str());
  std::string s = p ? p : "";
  HeapFree(GetProcessHeap(), 0, p);
  return s;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((L"\\\\?\\" + folder + L"*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring p = folder + name;
      SetFileAttributesW((L"\\\\?\\" + p).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(p + L"\\");
      else DeleteFileW((L"\\\\?\\" + p).c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
}

std::wstring TempFolder(const std::wstring& name) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::wstring path = std::wstring(tmp) + name + std::to_wstring(GetCurrentProcessId()) + L"\\";
  RemoveTree(path);
  CreateDirectoryW(path.c_str(), nullptr);
  return path;
}

MappedDrive::MappedDrive(ULONG type) : folder_(TempFolder(L"vorlune-drive-")), type_(type) {
  for (letter_ = L'R'; letter_ > L'D'; --letter_) {
    wchar_t root[] = {letter_, L':', L'\\', 0};
    if (GetDriveTypeW(root) == DRIVE_NO_ROOT_DIR) break;
  }
  ok_ = DefineDrive(letter_, UnixPathOf(folder_), type);
}

MappedDrive::~MappedDrive() {
  DefineDrive(letter_, "", 0);
  RemoveTree(folder_);
}

std::string MappedDrive::Root() const { return ui::Narrow(std::wstring{letter_, L':', L'\\'}); }

std::wstring MappedDrive::Path(const std::string& rel) const { return L"\\\\?\\" + folder_ + ui::Wide(rel); }

void MappedDrive::Folder(const std::string& rel, DWORD attributes) {
  CreateDirectoryW(Path(rel).c_str(), nullptr);
  if (attributes) SetFileAttributesW(Path(rel).c_str(), attributes);
}

void MappedDrive::File(const std::string& rel, int64_t size, DWORD attributes) {
  HANDLE h =
      CreateFileW(Path(rel).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << rel;
  DWORD got = 0;
  DeviceIoControl(h, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &got, nullptr);
  LARGE_INTEGER at;
  at.QuadPart = size;
  SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
  SetEndOfFile(h);
  CloseHandle(h);
  if (attributes) SetFileAttributesW(Path(rel).c_str(), attributes);
}

void MappedDrive::SetSerial(uint32_t serial) {
  HANDLE h = CreateFileW(Path(".windows-serial").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  char text[16];
  const int n = snprintf(text, sizeof text, "%08lx\n", static_cast<unsigned long>(serial));
  DWORD written = 0;
  WriteFile(h, text, static_cast<DWORD>(n), &written, nullptr);
  CloseHandle(h);
  DefineDrive(letter_, "", 0);
  ok_ = DefineDrive(letter_, UnixPathOf(folder_), type_);
}

}  // namespace testsupport
