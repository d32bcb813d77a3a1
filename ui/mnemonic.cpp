#include "ui/mnemonic.h"

#include <cwctype>

#include "ui/wide.h"

namespace ui {

wchar_t MnemonicOf(std::string_view caption) {
  std::wstring w = Wide(caption);
  for (size_t i = 0; i + 1 < w.size(); ++i) {
    if (w[i] != L'&') continue;
    if (w[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(std::towupper(w[i + 1]));
  }
  return 0;
}

bool MatchesMnemonic(std::string_view caption, wchar_t ch) {
  wchar_t m = MnemonicOf(caption);
  return m != 0 && m == static_cast<wchar_t>(std::towupper(ch));
}

}  // namespace ui
