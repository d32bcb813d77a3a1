#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "archive/archive_lister.h"

namespace archives {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool EndsWith(const std::string& s, std::string_view tail) {
  return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool IsCompressedTarName(std::string_view name) {
  const std::string n = Lower(name);
  for (std::string_view t : {".tgz", ".tar.gz", ".tbz2", ".tar.bz2", ".txz", ".tar.xz"})
    if (EndsWith(n, t)) return true;
  return false;
}

bool IsArchiveName(std::string_view name) {
  const std::string n = Lower(name);
  for (std::string_view t : {".zip", ".rar", ".7z", ".cab", ".tar", ".iso"})
    if (EndsWith(n, t)) return true;
  return IsCompressedTarName(name);
}

std::string SafeMemberPath(std::string_view raw) {
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&] {
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '/' || c == '\\') {
      flush();
    } else if (c == ':' && parts.empty() && part.size() == 1) {
      part.clear();  // a drive letter
    } else {
      part += c;
    }
  }
  flush();
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : "\\") + p;
  return out;
}

std::vector<ArchiveMember> WithImpliedFolders(const std::vector<ArchiveMember>& members) {
  // The folders the archive lists, by their path folded by ASCII case (as
  // the catalogue compares paths): the first of each.
  std::unordered_map<std::string, size_t> folderAt;
  for (size_t i = 0; i < members.size(); ++i)
    if (members[i].isFolder) folderAt.emplace(Lower(members[i].path), i);
  std::vector<ArchiveMember> out;
  std::unordered_set<std::string> given;
  for (const ArchiveMember& m : members) {
    // Each folder above the member, outermost first.
    for (size_t cut = m.path.find('\\'); cut != std::string::npos; cut = m.path.find('\\', cut + 1)) {
      const std::string above = m.path.substr(0, cut);
      const std::string key = Lower(above);
      if (!given.insert(key).second) continue;
      // A folder the archive lists later is given here, with its own time.
      const auto listed = folderAt.find(key);
      out.push_back(listed != folderAt.end() ? members[listed->second] : ArchiveMember{above, true, 0, 0});
    }
    if (m.isFolder && !given.insert(Lower(m.path)).second) continue;
    out.push_back(m);
  }
  return out;
}

}  // namespace archives
