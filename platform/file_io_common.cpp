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

}  // namespace fileio
