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
  int64_t modified = 0;  // last write, ticks (platform/file_time.h); 0 unknown
  uint32_t attributes = 0;  // the kAttr* bits the disk reports
};

// The attributes the catalogue records, with the values Windows gives them.
inline constexpr uint32_t kAttrReadOnly = 0x1;
inline constexpr uint32_t kAttrHidden = 0x2;
inline constexpr uint32_t kAttrSystem = 0x4;
inline constexpr uint32_t kAttrArchive = 0x20;
inline constexpr uint32_t kAttrLink = 0x400;  // a reparse point: link, junction, placeholder
inline constexpr uint32_t kAttrRecorded = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive | kAttrLink;

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
