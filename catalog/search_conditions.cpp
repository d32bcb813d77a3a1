#include "catalog/search_conditions.h"

#include "platform/case_fold.h"

namespace catalog {

std::vector<std::string> ParseExtensionList(std::string_view text) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < text.size()) {
    const size_t end = text.find_first_of(";, \t", i);
    std::string_view part = text.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
    while (!part.empty() && part.front() == '.') part.remove_prefix(1);
    if (!part.empty()) out.push_back(text::Folded(part));
    if (end == std::string_view::npos) break;
    i = end + 1;
  }
  return out;
}

std::string_view LabelOfPath(std::string_view storedPath) {
  if (storedPath.empty() || storedPath.front() != '[') return {};
  const size_t close = storedPath.find("]:\\");
  return close == std::string_view::npos ? std::string_view() : storedPath.substr(1, close - 1);
}

}  // namespace catalog
