// The parts of file access that need no operating system.
#include <atomic>
#include <chrono>
#include <cstdio>

#include "platform/file_io.h"

namespace fileio {
namespace {

std::string WriteErrorText(const std::string& path, bool diskFull) {
  // A failed write never touches the file it would replace.
  return diskFull ? "磁盘空间不足，无法写入文件 " + path + "。\r原来的文件保持不变。" : "无法写入文件 " + path;
}

}  // namespace

WriteError::WriteError(const std::string& path, bool diskFull)
    : std::runtime_error(WriteErrorText(path, diskFull)), path_(path), diskFull_(diskFull) {}

std::string TemporaryNameBeside(const std::string& path) {
  // The clock at start-up keeps two programs apart, the counter two calls.
  static const uint64_t seed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  static std::atomic<uint64_t> counter{0};
  uint64_t n = (seed * 2654435761u + counter.fetch_add(1)) & 0xffffffffu;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%08llx", static_cast<unsigned long long>(n));
  return path + ".~" + buf + ".tmp";
}

bool IsTemporaryNameOf(const std::string& name, const std::string& base) {
  const std::string head = base + ".~", tail = ".tmp";
  if (name.size() != head.size() + 8 + tail.size() || name.compare(0, head.size(), head) != 0 ||
      name.compare(name.size() - tail.size(), tail.size(), tail) != 0)
    return false;
  for (size_t i = head.size(); i < head.size() + 8; ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

int RemoveTemporariesBeside(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
  const std::string base = path.substr(folder.size());
  int removed = 0;
  for (const std::string& name : FileNamesIn(folder))
    if (IsTemporaryNameOf(name, base) && RemoveFile(folder + name)) ++removed;
  return removed;
}

}  // namespace fileio
