// Accelerator characters marked with "&" in captions ("创建(&S)").
#pragma once

#include <string_view>

namespace ui {

// The upper-case accelerator of the caption, or 0 when it has none
// ("&&" is a literal ampersand).
wchar_t MnemonicOf(std::string_view caption);
bool MatchesMnemonic(std::string_view caption, wchar_t ch);

}  // namespace ui
