// A directory tree held in memory, for the tests of the scan. Folders are
// keyed by their disk path ("M:\", "M:\A\", ...); entries keep the order in
// which they were added, which stands for the platform's enumeration order.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "create/dir_source.h"

namespace create {

class MemorySource : public DirectorySource {
 public:
  static constexpr const char* kRoot = "M:\\";

  // Adds a folder entry under `parent` (a disk path) and returns the new
  // folder's disk path.
  std::string AddFolder(const std::string& parent, const std::string& name, bool hidden = false,
                        bool system = false);
  void AddFile(const std::string& parent, const std::string& name, int64_t size, bool hidden = false,
               bool system = false);
  void AddEntry(const std::string& parent, const DirEntry& e);
  // The entry named `name` under `parent` (null when none), to change it
  // between two scans; Remove takes it out (a folder's own entries stay
  // listed under its path, unreachable).
  DirEntry* Find(const std::string& parent, const std::string& name);
  bool Remove(const std::string& parent, const std::string& name);
  // The folder reads as unreadable: it lists nothing.
  void MakeUnreadable(const std::string& folder) { unreadable_.insert(folder); }

  // Called with the folder's path whenever a folder is listed.
  std::function<void(const std::string&)> onList;
  // Folders in the order they were listed.
  const std::vector<std::string>& Listed() const { return listed_; }

  bool List(const std::string& folder, std::vector<DirEntry>& out) override;
  char Separator() const override { return '\\'; }

 private:
  std::map<std::string, std::vector<DirEntry>> folders_;
  std::set<std::string> unreadable_;
  std::vector<std::string> listed_;
  // List may be called from reader threads; a copy of the tree shares it.
  std::shared_ptr<std::mutex> mutex_ = std::make_shared<std::mutex>();
};

}  // namespace create
