#include "tests/native/test_support.h"

#include <cstdlib>
#include <random>

#include "catalog/connection.h"
#include "catalog/schema.h"

namespace testsupport {

void CopyOldFormCatalog(const std::string& path) {
  std::filesystem::copy_file(std::string(VORLUNE_SOURCE_DIR) + "/tests/native/data/old-form/Kestrova", path);
}

void MakeEmptyCatalog(const std::string& path) {
  if (std::getenv("VORLUNE_TEST_OLD_FORM"))
    CopyOldFormCatalog(path);
  else
    catalog::CreateEmptyCatalog(path, catalog::kDatabasePassword);
}

TempDir::TempDir() {
  std::random_device rd;
  auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto p = base / ("vorlune-test-" + std::to_string(rd()));
    if (std::filesystem::create_directory(p)) {
      path_ = p.string();
      break;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace testsupport

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

namespace testsupport {

SmallDisk::SmallDisk(size_t bytes) : bytes_(bytes) {
  std::string options = "size=" + std::to_string(bytes);
  mounted_ = ::mount("tmpfs", dir_.Path().c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
  if (mounted_) ::umount2(dir_.Path().c_str(), MNT_DETACH);
}

bool SmallDisk::SetReadOnly(bool readOnly) {
  std::string options = "size=" + std::to_string(bytes_);
  unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
  return mounted_ && ::mount("tmpfs", dir_.Path().c_str(), "tmpfs", flags, options.c_str()) == 0;
}

void SmallDisk::Fill(size_t leave) {
  struct statvfs fs;
  if (::statvfs(dir_.Path().c_str(), &fs) != 0) return;
  size_t free = static_cast<size_t>(fs.f_bavail) * fs.f_frsize;
  if (free <= leave) return;
  std::ofstream(File("filler"), std::ios::binary) << std::string(free - leave, 'x');
}

std::vector<std::string> SmallDisk::Names() const {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(dir_.Path())) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

ReadOnlyView::ReadOnlyView(const std::string& folder) {
  if (::mount(folder.c_str(), dir_.Path().c_str(), nullptr, MS_BIND, nullptr) != 0) return;
  mounted_ = true;
  if (::mount(nullptr, dir_.Path().c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
    ::umount2(dir_.Path().c_str(), MNT_DETACH);
    mounted_ = false;
  }
}

ReadOnlyView::~ReadOnlyView() {
  if (mounted_) ::umount2(dir_.Path().c_str(), MNT_DETACH);
}

bool SetImmutable(const std::string& path, bool on) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (ok) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return ok;
}

}  // namespace testsupport
