// What a zip, rar, 7z, cab, tar (plain or compressed) or iso 9660 image on
// a disk holds, listed without extracting anything: each member's path
// inside the archive, folder or file, size and modified time. The scan
// records them as rows below the archive's own row.
//
// The formats are read by a library behind this interface (libarchive), so
// that the callers and their tests do not depend on it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace archives {

struct ArchiveMember {
  // The member's folders and name inside the archive, joined by "\": never
  // empty, never absolute, without "." or ".." (see SafeMemberPath).
  std::string path;
  bool isFolder = false;
  int64_t size = 0;      // bytes; 0 for folders
  int64_t modified = 0;  // Windows file-time ticks (UTC); 0 when not known
};

enum class ListOutcome {
  Listed,        // every member given
  NotAnArchive,  // no format the lister reads
  Unreadable,    // damaged, truncated, or its headers encrypted: a plain file
  TooLarge,      // a compressed stream that would have to be read whole
};

class ArchiveLister {
 public:
  virtual ~ArchiveLister() = default;
  // Gives each member of the file at `path` (UTF-8) to `member`. Members
  // given before a failure are not taken back: the caller keeps them only
  // when the outcome is Listed.
  virtual ListOutcome List(const std::string& path, int64_t fileSize,
                           const std::function<void(const ArchiveMember&)>& member) = 0;
  // The same for an archive held in memory (`name` decides as the file's
  // name would): what the fuzzing feeds.
  virtual ListOutcome ListBytes(std::string_view bytes, std::string_view name,
                                const std::function<void(const ArchiveMember&)>& member) = 0;
};

// The lister of this build; nothing when the build has none.
std::unique_ptr<ArchiveLister> MakeArchiveLister();

// Whether a file of this name is one to list: by its extension, letter case
// aside (".zip", ".rar", ".7z", ".cab", ".tar", ".tgz", ".tar.gz", ".tbz2",
// ".tar.bz2", ".txz", ".tar.xz", ".iso").
bool IsArchiveName(std::string_view name);
// Whether the name is of a compressed tar stream, which is listed only when
// it is no larger than kMaxCompressedTar (listing reads it whole).
bool IsCompressedTarName(std::string_view name);
inline constexpr int64_t kMaxCompressedTar = int64_t{256} << 20;

// A member's path as stored ("a/b/../c", "/etc/x", "C:\\y", "./d/") made
// safe: separators as "\", no root, no drive, "." and ".." dropped (".."
// never climbs out of the archive); "" when nothing is left.
std::string SafeMemberPath(std::string_view raw);

// The members with the folders their paths imply but the archive does not
// list (a zip often lists only files), each folder once, a folder before
// what it holds, otherwise in the archive's order.
std::vector<ArchiveMember> WithImpliedFolders(const std::vector<ArchiveMember>& members);

}  // namespace archives
