// unpack_skin STORED ARCHIVE: writes the decompressed archive of a stored skin.
#include <cstdio>
#include <string>

#include "platform/file_io.h"
#include "skin/archive/stored_skin.h"

int main(int argc, char** argv) {
  std::string stored, archive, error;
  if (argc != 3 || !fileio::ReadWholeFile(argv[1], stored)) return 2;
  if (!skin::UnpackStoredSkin(stored, archive, error)) {
    std::fprintf(stderr, "unpack_skin: %s\n", error.c_str());
    return 1;
  }
  fileio::WriteFileAtomic(argv[2], archive);
  return 0;
}
