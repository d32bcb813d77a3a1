// What the scan reads: one folder's entries at a time, from the disk or from
// a tree held in memory for the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace create {

struct DirEntry {
  std::string name;      // the long name, no path
  bool folder = false;   // the folder attribute
  bool hidden = false;
  bool system = false;
  // A folder that is a link to somewhere else (a junction, a mount point, a
  // symbolic link): recorded as a folder but not entered, so that a link
  // back up the tree cannot make the walk go round for ever.
  bool link = false;
  int64_t size = 0;      // bytes, full 64-bit size; files only
};

class DirectorySource {
 public:
  virtual ~DirectorySource() = default;
  // Lists the folder at `folder` (a disk path ending in Separator()) in the
  // platform's enumeration order, "." and ".." included when the platform
  // reports them. A folder that cannot be read lists as empty: false.
  virtual bool List(const std::string& folder, std::vector<DirEntry>& out) = 0;
  virtual char Separator() const = 0;
};

}  // namespace create
