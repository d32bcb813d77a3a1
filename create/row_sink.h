// Where the scan puts its rows: one per folder and one per file.
#pragma once

#include <cstdint>
#include <string_view>

namespace create {

class RowSink {
 public:
  virtual ~RowSink() = default;
  virtual void AppendFolder(std::string_view name, std::string_view storedPath) = 0;
  virtual void AppendFile(std::string_view name, std::string_view storedPath, int64_t size) = 0;
};

}  // namespace create
