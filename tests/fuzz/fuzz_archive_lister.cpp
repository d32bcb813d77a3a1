// The archive lister over arbitrary bytes: whatever an archive or disc
// image on a disk holds, listing it must neither crash nor give a member
// path that leaves the archive. The name decides the compressed-tar limit
// only; every format is tried on every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "archive/archive_lister.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto lister = archives::MakeArchiveLister();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  lister->ListBytes(bytes, "input.bin", [](const archives::ArchiveMember& m) {
    // A member path is relative, non-empty, and never climbs.
    if (m.path.empty() || m.path.front() == '\\' || m.path.find("..\\") == 0 || m.path == ".." ||
        m.path.find("\\..\\") != std::string::npos || m.size < 0)
      std::abort();
  });
  return 0;
}
