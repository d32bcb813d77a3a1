// File access of the portable core. Paths are UTF-8; the operating-system
// implementation (file_io_posix.cpp or win_file_io.cpp) converts them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace fileio {

// A file that could not be written. `DiskFull` when the disk (or the
// user's quota) had no room left: the caller then says so.
class WriteError : public std::runtime_error {
 public:
  WriteError(const std::string& path, bool diskFull);
  const std::string& Path() const { return path_; }
  bool DiskFull() const { return diskFull_; }

 private:
  std::string path_;
  bool diskFull_;
};

// False when the file cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& out);
// Writes to a temporary file of a fresh name beside the target (never one
// that exists already), flushes it to disk and renames it over the target;
// on failure the temporary file is removed and the target keeps its old
// content. Throws WriteError.
void WriteFileAtomic(const std::string& path, const std::string& data);
// The same for a copy of the file `from`, read and written in blocks of
// kCopyBlockBytes, so that a file of any size costs one block of memory.
// Throws WriteError (also when `from` cannot be read).
void CopyFileDurably(const std::string& from, const std::string& to);
inline constexpr size_t kCopyBlockBytes = 4u << 20;
// Replaces `to` by `from` in one rename. False on failure.
bool ReplaceByRename(const std::string& from, const std::string& to);
bool FileExists(const std::string& path);
bool RemoveFile(const std::string& path);
// -1 when the file cannot be measured.
int64_t FileSize(const std::string& path);
// Copies a file, replacing the target. False on failure.
bool CopyWholeFile(const std::string& from, const std::string& to);

// Whether the program may write the existing file, and create files in the
// folder (ending in a separator). False on a read-only medium, for a
// read-only file, and where the user has no write permission.
bool CanWriteFile(const std::string& path);
bool CanCreateIn(const std::string& folder);
// Whether the path is on another machine (a mapped network drive, a UNC
// path, a network file system).
bool IsOnNetwork(const std::string& path);
// Whether the file lies on a medium that nothing writes while it is in the
// drive (a CD or DVD). Another read-only place, a share or a folder the
// user may not write, can still be changed by someone else.
bool IsUnchangingMedium(const std::string& path);

// A name for a temporary file beside `path`, different at every call:
// `path` + ".~" + a number + ".tmp". The caller creates it exclusively and
// asks again when it exists.
std::string TemporaryNameBeside(const std::string& path);
// Whether `name` (without a folder) is one that TemporaryNameBeside gives
// for the file named `base`: base + ".~" + eight hex digits + ".tmp".
bool IsTemporaryNameOf(const std::string& name, const std::string& base);
// Removes the temporary files of that pattern beside `path`, left by a copy
// that was killed part way; returns how many went.
int RemoveTemporariesBeside(const std::string& path);
// The names of the files in `folder` (ending in a separator); empty when it
// cannot be read.
std::vector<std::string> FileNamesIn(const std::string& folder);

}  // namespace fileio
