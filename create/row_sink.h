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
};

}  // namespace create
