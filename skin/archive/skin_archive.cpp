#include "skin/archive/skin_archive.h"

#include "skin/archive/stored_skin.h"

namespace skin {

std::string BuildArchive(const std::vector<ArchiveEntry>& entries) {
  std::string names;
  for (const auto& e : entries) names += e.name + "\r\n";
  std::string out;
  AppendLE32(out, kArchiveVersion);
  AppendLE32(out, static_cast<uint32_t>(names.size()));
  AppendLE32(out, 0);
  AppendLE32(out, 0);
  out += names;
  for (const auto& e : entries) AppendLE32(out, static_cast<uint32_t>(e.data.size()));
  for (const auto& e : entries) out += e.data;
  return out;
}

std::vector<std::string> SplitNameLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t i = 0;
  while (i < text.size()) {
    size_t end = text.find_first_of("\r\n", i);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(i));
      break;
    }
    lines.emplace_back(text.substr(i, end - i));
    i = end + 1;
    if (text[end] == '\r' && i < text.size() && text[i] == '\n') ++i;
  }
  return lines;
}

}  // namespace skin
