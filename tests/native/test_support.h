// Helpers shared by the native tests.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A fresh empty folder under the system temporary folder, removed at the end
// of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace testsupport
