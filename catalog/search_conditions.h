// The conditions a search may add to its text: size, last modified date,
// kind and snapshots. Every condition left empty lets every entry through;
// the ones given must all hold.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/file_category.h"

namespace catalog {

// A modified time nobody knows (rows of a catalogue made before dates were
// kept): a date condition never lets it through.
inline constexpr int64_t kUnknownTime = INT64_MIN;

struct SearchConditions {
  // Bytes, both ends included. A size condition keeps files only: a folder
  // has no size of its own.
  std::optional<int64_t> minSize, maxSize;
  // Windows file-time ticks (UTC), from included, before excluded; the
  // window turns the user's local days into them.
  std::optional<int64_t> modifiedFrom, modifiedBefore;
  // One bit per FileCategory, and extensions of the user's own (folded,
  // without the dot): a file of any of them passes. Both empty: any kind.
  // Either given keeps files only.
  unsigned categories = 0;
  std::vector<std::string> extensions;
  // Snapshots by label (compared without regard to ASCII letter case): the
  // labels chosen, or those matching a text (a search text's rules, over
  // the label). Neither given: every snapshot.
  std::optional<std::vector<std::string>> labels;
  std::string labelText;

  bool HasSize() const { return minSize || maxSize; }
  bool HasDate() const { return modifiedFrom || modifiedBefore; }
  bool HasKind() const { return categories != 0 || !extensions.empty(); }
  bool HasSnapshots() const { return labels.has_value() || !labelText.empty(); }
  bool Any() const { return HasSize() || HasDate() || HasKind() || HasSnapshots(); }
};

inline unsigned CategoryBit(FileCategory c) { return 1u << static_cast<unsigned>(c); }

// "iso;img, .nrg" -> {"iso", "img", "nrg"}: separated by ";", "," or
// blanks, leading dots dropped, folded.
std::vector<std::string> ParseExtensionList(std::string_view text);

// The label of a stored path "[LABEL]:\..." ("" when it has none).
std::string_view LabelOfPath(std::string_view storedPath);

}  // namespace catalog
