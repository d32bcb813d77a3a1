#include "create/memory_source.h"

namespace create {

namespace {

DirEntry Entry(const std::string& name, bool folder, bool hidden, bool system, int64_t size) {
  DirEntry e{name, folder, hidden, system, false, size};
  e.attributes = (hidden ? kAttrHidden : 0) | (system ? kAttrSystem : 0);
  return e;
}

}  // namespace

std::string MemorySource::AddFolder(const std::string& parent, const std::string& name, bool hidden, bool system) {
  AddEntry(parent, Entry(name, true, hidden, system, 0));
  std::string path = parent + name + "\\";
  folders_[path];
  return path;
}

void MemorySource::AddFile(const std::string& parent, const std::string& name, int64_t size, bool hidden,
                           bool system) {
  AddEntry(parent, Entry(name, false, hidden, system, size));
}

DirEntry* MemorySource::Find(const std::string& parent, const std::string& name) {
  auto it = folders_.find(parent);
  if (it == folders_.end()) return nullptr;
  for (DirEntry& e : it->second)
    if (e.name == name) return &e;
  return nullptr;
}

bool MemorySource::Remove(const std::string& parent, const std::string& name) {
  auto it = folders_.find(parent);
  if (it == folders_.end()) return false;
  for (auto e = it->second.begin(); e != it->second.end(); ++e)
    if (e->name == name) {
      it->second.erase(e);
      return true;
    }
  return false;
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
