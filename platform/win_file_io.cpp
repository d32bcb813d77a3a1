#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string_view>

#include "platform/file_io.h"
#include "platform/text.h"

namespace fileio {
namespace {

std::wstring Wide(const std::string& s) {
  std::u16string w = text::Utf8ToUtf16(s);
  return std::wstring(w.begin(), w.end());
}

bool NoRoom(DWORD error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }

// A file handle closed when it goes.
class FileHandle {
 public:
  explicit FileHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE Get() const { return h_; }
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  void Reset(HANDLE h) {
    Close();
    h_ = h;
  }
  bool Close() {
    bool ok = !Valid() || CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

// Writes a new file under a fresh name beside `path` through `produce`
// (which hands blocks to `write` and returns false when its source failed),
// flushes it and renames it over `path`. The temporary file never outlives
// a failure.
void WriteThroughTemporary(const std::string& path,
                           const std::function<bool(const std::function<bool(std::string_view)>&)>& produce) {
  std::wstring target = Wide(path), tmp;
  FileHandle h;
  for (int attempt = 0; attempt < 100 && !h.Valid(); ++attempt) {
    tmp = Wide(TemporaryNameBeside(path));
    HANDLE raw = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw != INVALID_HANDLE_VALUE) {
      h.Reset(raw);
      break;
    }
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) throw WriteError(path, NoRoom(error));
  }
  if (!h.Valid()) throw WriteError(path, false);
  bool diskFull = false;
  auto write = [&](std::string_view block) {
    while (!block.empty()) {
      DWORD w = 0;
      DWORD chunk = static_cast<DWORD>(std::min<size_t>(block.size(), 1u << 20));
      if (!WriteFile(h.Get(), block.data(), chunk, &w, nullptr) || w == 0) {
        diskFull = NoRoom(GetLastError());
        return false;
      }
      block.remove_prefix(w);
    }
    return true;
  };
  bool ok = produce(write);
  if (ok && !FlushFileBuffers(h.Get())) {
    diskFull = NoRoom(GetLastError());
    ok = false;
  }
  ok = h.Close() && ok;
  if (!ok || !MoveFileExW(tmp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(tmp.c_str());
    throw WriteError(path, diskFull);
  }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& out) {
  FileHandle h(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.Valid()) return false;
  out.clear();
  char buf[65536];
  DWORD n = 0;
  bool ok = true;
  while ((ok = ReadFile(h.Get(), buf, sizeof buf, &n, nullptr) != 0) && n > 0) out.append(buf, n);
  return ok;
}

void WriteFileAtomic(const std::string& path, const std::string& data) {
  WriteThroughTemporary(path, [&](const auto& write) { return write(data); });
}

void CopyFileDurably(const std::string& from, const std::string& to) {
  FileHandle in(CreateFileW(Wide(from).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!in.Valid()) throw WriteError(to, false);
  std::unique_ptr<char[]> block(new char[kCopyBlockBytes]);
  WriteThroughTemporary(to, [&](const auto& write) {
    for (;;) {
      DWORD n = 0;
      if (!ReadFile(in.Get(), block.get(), static_cast<DWORD>(kCopyBlockBytes), &n, nullptr)) return false;
      if (n == 0) return true;
      if (!write(std::string_view(block.get(), n))) return false;
    }
  });
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

bool CanWriteFile(const std::string& path) {
  DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  // Opening it for writing answers for the medium and the permissions too;
  // every other opener is allowed, so the catalogue open elsewhere is no
  // refusal.
  FileHandle h(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return h.Valid() || GetLastError() == ERROR_SHARING_VIOLATION;
}

bool CanCreateIn(const std::string& folder) {
  // A probe file that removes itself when closed.
  for (int attempt = 0; attempt < 10; ++attempt) {
    FileHandle h(CreateFileW(Wide(TemporaryNameBeside(folder + "Kestrova")).c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (h.Valid()) return true;
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool IsOnNetwork(const std::string& path) {
  std::wstring w = Wide(path);
  std::replace(w.begin(), w.end(), L'/', L'\\');
  if (w.rfind(L"\\\\?\\UNC\\", 0) == 0) return true;
  if (w.rfind(L"\\\\?\\", 0) == 0) w.erase(0, 4);
  else if (w.rfind(L"\\\\", 0) == 0) return true;
  if (w.size() < 2 || w[1] != L':') return false;
  std::wstring root = w.substr(0, 2) + L"\\";
  return GetDriveTypeW(root.c_str()) == DRIVE_REMOTE;
}

bool IsUnchangingMedium(const std::string& path) {
  std::wstring w = Wide(path);
  std::replace(w.begin(), w.end(), L'/', L'\\');
  if (w.rfind(L"\\\\?\\", 0) == 0 && w.rfind(L"\\\\?\\UNC\\", 0) != 0) w.erase(0, 4);
  if (w.size() < 2 || w[1] != L':') return false;  // a share can change
  const std::wstring root = w.substr(0, 2) + L"\\";
  return GetDriveTypeW(root.c_str()) == DRIVE_CDROM;
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  struct Find {
    HANDLE h;
    ~Find() {
      if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
  } find{FindFirstFileW(Wide((folder.empty() ? std::string(".\\") : folder) + "*").c_str(), &found)};
  if (find.h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      const std::wstring w = found.cFileName;
      names.push_back(text::Utf16ToUtf8(std::u16string(w.begin(), w.end())));
    }
  } while (FindNextFileW(find.h, &found));
  return names;
}

}  // namespace fileio
