// Image references of a skin description: a value names an archive entry by
// its file-name part, which must end in ".bmp" exactly.
#pragma once

#include <string>
#include <string_view>

#include "skin/image/bitmap.h"

namespace skin {

class TSkinReader;

// The file-name part of `value` (after the last '\', '/' or ':') when its
// extension is exactly ".bmp"; empty otherwise.
std::string ImageEntryName(std::string_view value);

class ImageLoader {
 public:
  explicit ImageLoader(const TSkinReader& reader) : reader_(reader) {}

  // Fills `bitmap` from the entry `value` names; empty when the value names
  // none, the entry is missing or empty, or it is not a sound BMP (the first
  // such fault is kept in Error()).
  void Load(Bitmap& bitmap, std::string_view value);
  const std::string& Error() const { return error_; }

 private:
  const TSkinReader& reader_;
  std::string error_;
};

}  // namespace skin
