#include "maintain/entry_paths.h"

#include "catalog/search_conditions.h"

namespace maintain {
namespace {
// The part of a stored folder path after "[LABEL]:\".
std::optional<std::string_view> BelowRoot(std::string_view folder) {
  const std::string_view label = catalog::LabelOfPath(folder);
  if (label.empty() && folder.rfind("[]:\\", 0) != 0) return std::nullopt;
  return folder.substr(label.size() + 4);
}
}  // namespace

std::string StoredPathOf(const EntryRef& e) { return e.folder + e.name; }

std::optional<std::string> PathOnDrive(const EntryRef& e, std::string_view root) {
  const auto below = BelowRoot(e.folder);
  if (!below) return std::nullopt;
  std::string path(root);
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + std::string(*below) + e.name;
}

std::vector<std::string> StepsBelowRoot(const EntryRef& e) {
  std::vector<std::string> steps;
  const auto below = BelowRoot(e.folder);
  if (!below) return steps;
  size_t from = 0;
  while (from < below->size()) {
    const size_t slash = below->find('\\', from);
    const size_t end = slash == std::string_view::npos ? below->size() : slash;
    if (end > from) steps.emplace_back(below->substr(from, end - from));
    from = end + 1;
  }
  if (!e.name.empty()) steps.push_back(e.name);
  return steps;
}

std::string PathLines(const std::vector<EntryRef>& entries) {
  std::string out;
  for (const EntryRef& e : entries) {
    if (!out.empty()) out += "\r\n";
    out += StoredPathOf(e);
  }
  return out;
}

}  // namespace maintain
