#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/file_io.h"

namespace fileio {
namespace {

bool NoRoom(int error) { return error == ENOSPC || error == EDQUOT; }

// Writes a new file under a fresh name beside `path` through `produce`
// (which hands blocks to `write` and returns false when its source failed),
// flushes it and renames it over `path`. The temporary file never outlives
// a failure.
void WriteThroughTemporary(const std::string& path,
                           const std::function<bool(const std::function<bool(std::string_view)>&)>& produce) {
  std::string tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    tmp = TemporaryNameBeside(path);
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0 && errno != EEXIST) throw WriteError(path, NoRoom(errno));
  }
  if (fd < 0) throw WriteError(path, false);
  bool diskFull = false;
  auto write = [&](std::string_view block) {
    while (!block.empty()) {
      ssize_t w = ::write(fd, block.data(), block.size());
      if (w <= 0) {
        diskFull = w < 0 && NoRoom(errno);
        return false;
      }
      block.remove_prefix(static_cast<size_t>(w));
    }
    return true;
  };
  bool ok = produce(write);
  if (ok && ::fsync(fd) != 0) {
    diskFull = NoRoom(errno);
    ok = false;
  }
  ok = ::close(fd) == 0 && ok;
  if (!ok || ::rename(tmp.c_str(), path.c_str()) != 0) {
    ::unlink(tmp.c_str());
    throw WriteError(path, diskFull);
  }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  out.clear();
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

void WriteFileAtomic(const std::string& path, const std::string& data) {
  WriteThroughTemporary(path, [&](const auto& write) { return write(data); });
}

void CopyFileDurably(const std::string& from, const std::string& to) {
  int in = ::open(from.c_str(), O_RDONLY);
  if (in < 0) throw WriteError(to, false);
  std::unique_ptr<char[]> block(new char[kCopyBlockBytes]);
  try {
    WriteThroughTemporary(to, [&](const auto& write) {
      for (;;) {
        ssize_t n = ::read(in, block.get(), kCopyBlockBytes);
        if (n < 0) return false;
        if (n == 0) return true;
        if (!write(std::string_view(block.get(), static_cast<size_t>(n)))) return false;
      }
    });
  } catch (...) {
    ::close(in);
    throw;
  }
  ::close(in);
}

bool ReplaceByRename(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

int64_t FileSize(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
}

bool CopyWholeFile(const std::string& from, const std::string& to) {
  try {
    CopyFileDurably(from, to);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

// access() answers for the medium too (a read-only mount, an immutable
// file), also for a program running as root.
bool CanWriteFile(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

bool CanCreateIn(const std::string& folder) { return ::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0; }

bool IsOnNetwork(const std::string& path) {
  struct statfs fs;
  if (::statfs(path.c_str(), &fs) != 0) return false;
  switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969:      // NFS
    case 0x517B:      // SMB
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
    case 0x65735546:  // FUSE (sshfs and the like)
      return true;
    default:
      return false;
  }
}

bool IsUnchangingMedium(const std::string& path) {
  struct statfs fs;
  if (::statfs(path.c_str(), &fs) != 0) return false;
  const auto type = static_cast<unsigned long>(fs.f_type);
  return type == 0x9660 /* ISO 9660 */ || type == 0x15013346 /* UDF */;
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!d) return names;
  while (const dirent* e = ::readdir(d))
    if (e->d_type == DT_REG || e->d_type == DT_UNKNOWN) names.emplace_back(e->d_name);
  ::closedir(d);
  return names;
}

}  // namespace fileio
