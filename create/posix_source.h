// The directory source of the native builds (benchmarks): readdir with one
// lstat per entry. POSIX has no hidden or system attributes; a name that
// begins with a dot reads as hidden, and a symbolic link to a folder is a
// link that the walk does not enter.
#pragma once

#include "create/dir_source.h"

namespace create {

class PosixSource : public DirectorySource {
 public:
  bool List(const std::string& folder, std::vector<DirEntry>& out) override;
  char Separator() const override { return '/'; }
};

}  // namespace create
