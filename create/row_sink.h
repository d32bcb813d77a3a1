// Where the scan puts its rows: one per folder and one per file.
#pragma once

#include <cstdint>
#include <string_view>

#include "create/dir_source.h"

namespace create {

class RowSink {
 public:
  virtual ~RowSink() = default;
  // The entry's name, size (files), time and attributes, under the stored
  // path of the folder that holds it.
  virtual void AppendFolder(const DirEntry& e, std::string_view storedPath) = 0;
  virtual void AppendFile(const DirEntry& e, std::string_view storedPath) = 0;
  // An archive's own row: a file whose `members` members follow it (a
  // sink that keeps no members records a file).
  virtual void AppendArchive(const DirEntry& e, std::string_view storedPath, int64_t members) {
    AppendFile(e, storedPath);
  }
  // A folder or file inside an archive, under the stored path of the
  // archive's folder that holds it: the archive's path and name, "", and
  // the member's folders inside it.
  virtual void AppendMember(const DirEntry& e, std::string_view storedPath) {
    if (e.folder)
      AppendFolder(e, storedPath);
    else
      AppendFile(e, storedPath);
  }
};

}  // namespace create
