// File access of the portable core. Paths are UTF-8; the operating-system
// implementation (file_io_posix.cpp or win_file_io.cpp) converts them.
#pragma once

#include <cstdint>
#include <string>

namespace fileio {

// False when the file cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& out);
// Writes to a temporary file beside the target, flushes it to disk and
// renames it over the target. Throws std::runtime_error naming the file.
void WriteFileAtomic(const std::string& path, const std::string& data);
// Replaces `to` by `from` in one rename. False on failure.
bool ReplaceByRename(const std::string& from, const std::string& to);
bool FileExists(const std::string& path);
bool RemoveFile(const std::string& path);
// -1 when the file cannot be measured.
int64_t FileSize(const std::string& path);
// Copies a file, replacing the target. False on failure.
bool CopyWholeFile(const std::string& from, const std::string& to);

}  // namespace fileio
