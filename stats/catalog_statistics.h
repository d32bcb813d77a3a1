// The figures of the statistics window, from the names held in memory
// (IndexContents) in one pass over their chunks: totals, per snapshot, per
// kind of file, per year of last change, the largest files and the most
// common extensions. Folders count as entries only; their bytes are those
// of the files below them, so only files add to the byte figures. A size
// below zero (a damaged row) counts as zero.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/file_category.h"
#include "catalog/index_chunk.h"

namespace stats {

// Which snapshots to count: every one, or those whose labels are given
// (compared without regard to ASCII letter case, as the catalogue does).
struct SnapshotChoice {
  std::optional<std::vector<std::string>> labels;
};

struct SnapshotFigures {
  std::string label;
  int64_t folders = 0, files = 0, bytes = 0;
  // The volume's space as the snapshot row keeps it; the window fills it
  // from CDName, the index does not know it.
  std::optional<int64_t> totalBytes, freeBytes;
};

struct Tally {
  int64_t files = 0, bytes = 0;
};

struct YearTally {
  int year = 0;
  int64_t files = 0, bytes = 0;
};

// A file of the index by its place: enough to read its name, folder and
// size from the same contents, and its rowid to read the real (unfolded)
// name from the catalogue.
struct FileRef {
  int64_t rowid = 0;
  int64_t size = 0;
  uint32_t chunk = 0, entry = 0;
};

struct ExtensionTally {
  uint32_t ext = 0;        // in IndexContents::extensions
  std::string extension;   // folded, without the dot; "" for none
  int64_t files = 0, bytes = 0;
};

inline constexpr size_t kLargestFiles = 20;
inline constexpr size_t kCommonExtensions = 20;

struct CatalogStatistics {
  int64_t folders = 0, files = 0, bytes = 0;
  // In the order of the choice's labels (a label without entries keeps a
  // row of zeros), or for every snapshot in the order of its first entry.
  std::vector<SnapshotFigures> snapshots;
  std::array<Tally, catalog::kFileCategoryCount> categories{};  // by FileCategory
  std::vector<YearTally> years;  // ascending, only years with files
  Tally undated;                 // files whose time is not known
  std::vector<FileRef> largest;  // size descending, then rowid ascending
  // File count descending, then bytes descending, then the text. Names with
  // no extension, or one longer than the index keeps, count as "".
  std::vector<ExtensionTally> extensions;
};

// The local clock's offset from UTC at a moment (seconds since 1970), in
// seconds: filetime::LocalOffsetSeconds unless a test gives its own.
using UtcOffset = std::function<int64_t(int64_t unixSeconds)>;

CatalogStatistics ComputeStatistics(const catalog::IndexContents& contents, const SnapshotChoice& choice = {},
                                    const UtcOffset& offset = {});

// The local calendar year of a file time (Windows ticks, UTC).
int LocalYear(int64_t ticks, const UtcOffset& offset = {});

// The shown text of an extension tally: "(无扩展名)" for none, else ".ext".
std::string ExtensionText(std::string_view extension);

// The folded name and stored folder path of a file found by the statistics.
std::string_view NameOf(const catalog::IndexContents& contents, const FileRef& f);
const std::string& FolderOf(const catalog::IndexContents& contents, const FileRef& f);

}  // namespace stats
