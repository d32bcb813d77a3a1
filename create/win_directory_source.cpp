#include "create/win_directory_source.h"

#include <windows.h>

#include "platform/text.h"

namespace create {
namespace {

// "X:\A\" as "\\?\X:\A\*": the long form takes the path as it is, without the
// 260-character limit. Paths of the walk are always absolute with
// backslashes, which the long form needs.
std::wstring SearchPattern(const std::string& folder) {
  std::u16string u = text::Utf8ToUtf16(folder);
  std::wstring w(u.begin(), u.end());
  if (w.rfind(L"\\\\", 0) != 0) w.insert(0, L"\\\\?\\");
  return w + L"*";
}

HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& fd) {
  HANDLE h = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH);
  // Systems before Windows 7 know neither the basic level nor large fetch.
  if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
    h = FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &fd, FindExSearchNameMatch, nullptr, 0);
  return h;
}

DirEntry EntryOf(const WIN32_FIND_DATAW& fd) {
  DirEntry e;
  e.name = text::Utf16ToUtf8(reinterpret_cast<const char16_t*>(fd.cFileName));
  DWORD a = fd.dwFileAttributes;
  e.folder = (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
  e.hidden = (a & FILE_ATTRIBUTE_HIDDEN) != 0;
  e.system = (a & FILE_ATTRIBUTE_SYSTEM) != 0;
  // Junctions, mount points and symbolic links lead elsewhere, possibly back
  // up the tree; other reparse points (cloud placeholders) are real folders.
  e.link = e.folder && (a & FILE_ATTRIBUTE_REPARSE_POINT) &&
           (fd.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT || fd.dwReserved0 == IO_REPARSE_TAG_SYMLINK);
  e.attributes = a & kAttrRecorded;
  e.modified = static_cast<int64_t>((static_cast<uint64_t>(fd.ftLastWriteTime.dwHighDateTime) << 32) |
                                    fd.ftLastWriteTime.dwLowDateTime);
  if (!e.folder) e.size = static_cast<int64_t>((static_cast<uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow);
  return e;
}

}  // namespace

bool WinDirectorySource::List(const std::string& folder, std::vector<DirEntry>& out) {
  out.clear();
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirst(SearchPattern(folder), fd);
  if (h == INVALID_HANDLE_VALUE) return false;
  do {
    out.push_back(EntryOf(fd));
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return true;
}

}  // namespace create
