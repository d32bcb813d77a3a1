// Texts the main list shows that are worked out from catalogue values: the
// shortened memo column, the parent location for up one level, and the
// file details box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace browse {

// The memo column: the memo whole when it takes at most 24 GBK bytes, else
// its first 24 bytes (never half a character) followed by "...".
std::string ShortMemo(std::string_view memo);

// The parent of a stored path for up one level: the text up to and including
// the last backslash before the final one, the first character not examined.
// None at a snapshot's root ("[CD1]:\") and in the search results ("[").
std::optional<std::string> ParentLocation(std::string_view currentPath);

// Size in whole kilobytes: bytes / 1024 rounded to the nearest, ties to the
// even one, exact over the whole 64-bit range.
int64_t RoundedKilobytes(int64_t bytes);

// The file details box's text, and its caption: the application title
// followed by "-文件".
std::string FileDetailsText(std::string_view name, std::string_view location, int64_t sizeBytes);
std::string FileDetailsCaption(std::string_view appTitle);

}  // namespace browse
