#include "create/memory_source.h"

namespace create {

std::string MemorySource::AddFolder(const std::string& parent, const std::string& name, bool hidden, bool system) {
  AddEntry(parent, DirEntry{name, true, hidden, system});
  std::string path = parent + name + "\\";
  folders_[path];
  return path;
}

void MemorySource::AddFile(const std::string& parent, const std::string& name, int64_t size, bool hidden,
                           bool system) {
  AddEntry(parent, DirEntry{name, false, hidden, system, false, size});
}

void MemorySource::AddEntry(const std::string& parent, const DirEntry& e) { folders_[parent].push_back(e); }

bool MemorySource::List(const std::string& folder, std::vector<DirEntry>& out) {
  out.clear();
  std::lock_guard<std::mutex> lock(*mutex_);
  listed_.push_back(folder);
  if (onList) onList(folder);
  if (unreadable_.count(folder)) return false;
  auto it = folders_.find(folder);
  if (it == folders_.end()) return false;
  out = it->second;
  return true;
}

}  // namespace create
