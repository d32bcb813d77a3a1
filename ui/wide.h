// UTF-8 inside, UTF-16 at the API call: the two conversions every window
// call of the layer goes through.
#pragma once

#include <string>
#include <string_view>

namespace ui {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace ui
