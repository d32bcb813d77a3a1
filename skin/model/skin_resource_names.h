// Names of the program's RCDATA resources that carry the skins: the skin
// store (its persisted items) and the main window's own SkinStream.
#pragma once

namespace skin {

inline constexpr const char* kSkinStoreResource = "SKINSTORE";
inline constexpr const char* kSkinStreamResource = "SKINSTREAM";

}  // namespace skin
