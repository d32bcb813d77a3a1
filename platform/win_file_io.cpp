#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "platform/file_io.h"
#include "platform/text.h"

namespace fileio {
namespace {

std::wstring Wide(const std::string& s) {
  std::u16string w = text::Utf8ToUtf16(s);
  return std::wstring(w.begin(), w.end());
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& out) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  out.clear();
  char buf[65536];
  DWORD n = 0;
  bool ok = true;
  while ((ok = ReadFile(h, buf, sizeof buf, &n, nullptr) != 0) && n > 0) out.append(buf, n);
  CloseHandle(h);
  return ok;
}

void WriteFileAtomic(const std::string& path, const std::string& data) {
  std::wstring target = Wide(path);
  std::wstring tmp = target + L".tmp";
  HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("无法写入文件 " + path);
  size_t done = 0;
  bool ok = true;
  while (ok && done < data.size()) {
    DWORD w = 0;
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 20));
    ok = WriteFile(h, data.data() + done, chunk, &w, nullptr) && w > 0;
    done += w;
  }
  ok = ok && FlushFileBuffers(h);
  CloseHandle(h);
  if (!ok || !MoveFileExW(tmp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(tmp.c_str());
    throw std::runtime_error("无法写入文件 " + path);
  }
}

bool ReplaceByRename(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::string& path) { return DeleteFileW(Wide(path).c_str()) != 0; }

int64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &d)) return -1;
  return (static_cast<int64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

bool CopyWholeFile(const std::string& from, const std::string& to) {
  return CopyFileW(Wide(from).c_str(), Wide(to).c_str(), FALSE) != 0;
}

}  // namespace fileio
