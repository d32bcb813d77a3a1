// Fuzz target: a decompressed skin archive, so that mutations reach the
// entry table, the description parser, image references and BMP decoding
// without first having to survive the compressed stream. The first byte
// picks what else to feed: the archive's entries directly as BMP files.
#include <cstddef>
#include <cstdint>
#include <string>

#include "skin/archive/bmp_codec.h"
#include "skin/model/skin_colour.h"
#include "skin/model/skin_description.h"
#include "skin/archive/skin_read.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string archive(reinterpret_cast<const char*>(data), size);
  std::string error;
  skin::TSkinReader reader;
  if (reader.OpenArchive(archive, error) != skin::TSkinReader::OpenResult::kOk) {
    skin::Bitmap bitmap;
    skin::DecodeBmp(archive, bitmap, error);  // the bytes as one image
    skin::ParseColour(archive.substr(0, 64), 0);
    return 0;
  }
  std::string description, name;
  reader.FindEntry(".ini", description, name);
  skin::SkinModel model;
  skin::ParseSkinDescription(description, reader, model, error);
  return 0;
}
