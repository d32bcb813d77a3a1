// Checks that a stored skin loads and carries every element the frame,
// menu and control painters draw from.
#pragma once

#include <string>

namespace skinpack {

// Empty when sound; otherwise what is missing or refused.
std::string CheckStoredSkin(const std::string& stored);

}  // namespace skinpack
