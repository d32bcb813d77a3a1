// The archive inside a stored skin: a 16-byte header (version 20000, the
// length N of the name text, two unused words), N bytes of entry names one
// per CR LF line, an int32 size per name, then the entries' bytes in order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

inline constexpr int32_t kArchiveVersion = 20000;
inline constexpr int kMaxArchiveEntries = 1001;

struct ArchiveEntry {
  std::string name;
  std::string data;
};

// Writes the archive of `entries` (names as given, CR LF after each).
std::string BuildArchive(const std::vector<ArchiveEntry>& entries);

// Splits name text into lines the way the toolkit's string lists do: CR LF,
// LF or CR end a line; a final line break adds no empty line.
std::vector<std::string> SplitNameLines(std::string_view text);

}  // namespace skin
