// All images of one skin, drawn from its style, under the entry names the
// skin descriptions use.
#pragma once

#include <vector>

#include "skin/archive/skin_archive.h"
#include "tools/skin_pack/art_style.h"

namespace art {

std::vector<skin::ArchiveEntry> DrawSkinImages(const Style& s);

}  // namespace art
