#include "browse/list_texts.h"

#include "platform/text.h"

namespace browse {

std::string ShortMemo(std::string_view memo) {
  constexpr size_t kShown = 24;
  if (text::GbByteLength(memo) <= kShown) return std::string(memo);
  return text::GbCut(memo, kShown) + "...";
}

std::optional<std::string> ParentLocation(std::string_view currentPath) {
  // A backslash byte is always a whole character in UTF-8, so the scan can
  // walk bytes.
  if (currentPath.size() < 3) return std::nullopt;
  for (size_t i = currentPath.size() - 2; i >= 1; --i)
    if (currentPath[i] == '\\') return std::string(currentPath.substr(0, i + 1));
  return std::nullopt;
}

int64_t RoundedKilobytes(int64_t bytes) {
  // Floor division keeps the remainder in [0, 1024) for negative sizes too.
  int64_t q = bytes / 1024;
  int64_t r = bytes % 1024;
  if (r < 0) {
    r += 1024;
    --q;
  }
  if (r > 512 || (r == 512 && (q & 1) != 0)) ++q;
  return q;
}

std::string FileDetailsText(std::string_view name, std::string_view location, int64_t sizeBytes) {
  std::string t = "文件: ";
  t += name;
  t += "  \r路径: ";
  t += location;
  t += "  \r大小: ";
  t += std::to_string(RoundedKilobytes(sizeBytes));
  t += "K  ";
  return t;
}

std::string FileDetailsCaption(std::string_view appTitle) { return std::string(appTitle) + "-文件"; }

}  // namespace browse
