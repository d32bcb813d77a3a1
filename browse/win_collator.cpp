#include "browse/win_collator.h"

#include <windows.h>

#include "platform/text.h"

namespace browse {

std::string WindowsCollator::WideSortKey(std::wstring_view s) {
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  int n = LCMapStringW(LOCALE_USER_DEFAULT, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::string key(n > 0 ? static_cast<size_t>(n) : 0, '\0');
  if (n > 0)
    LCMapStringW(LOCALE_USER_DEFAULT, flags, s.data(), static_cast<int>(s.size()), reinterpret_cast<LPWSTR>(key.data()),
                 n);
  return key;
}

std::string WindowsCollator::SortKey(std::string_view s) const {
  std::u16string w = text::Utf8ToUtf16(s);
  return WideSortKey(std::wstring_view(reinterpret_cast<const wchar_t*>(w.data()), w.size()));
}

}  // namespace browse
