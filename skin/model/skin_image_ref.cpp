#include "skin/model/skin_image_ref.h"

#include "skin/archive/bmp_codec.h"
#include "skin/archive/skin_read.h"

namespace skin {

std::string ImageEntryName(std::string_view value) {
  size_t slash = value.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? value : value.substr(slash + 1);
  size_t dot = name.rfind('.');
  if (name.empty() || dot == std::string_view::npos || name.substr(dot) != ".bmp") return {};
  return std::string(name);
}

void ImageLoader::Load(Bitmap& bitmap, std::string_view value) {
  bitmap.Clear();
  std::string name = ImageEntryName(value);
  if (name.empty()) return;
  std::string data;
  reader_.GetEntry(name, data);
  if (data.empty()) return;
  std::string why;
  if (!DecodeBmp(data, bitmap, why) && error_.empty()) error_ = name + ": " + why;
}

}  // namespace skin
