// The Windows directory source: find-first/find-next over "\\?\" paths, so
// that folders deeper than 260 characters are listed like any other.
#pragma once

#include "create/dir_source.h"

namespace create {

class WinDirectorySource : public DirectorySource {
 public:
  bool List(const std::string& folder, std::vector<DirEntry>& out) override;
  char Separator() const override { return '\\'; }
};

}  // namespace create
