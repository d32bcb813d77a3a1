// Turns a skin description (INI text) and the archive's images into the
// skin model.
#pragma once

#include <string>
#include <string_view>

#include "skin/model/skin_model.h"

namespace skin {

class TSkinReader;

// Builds `model` afresh from `description`, taking images from `reader`.
// False, with `error` set, when an image the description names is not a
// sound BMP; missing sections and keys take their defaults.
bool ParseSkinDescription(std::string_view description, const TSkinReader& reader, SkinModel& model,
                          std::string& error);

}  // namespace skin
