#include "browse/win_collator.h"

#include <windows.h>

#include "platform/text.h"

namespace browse {

int WindowsCollator::CompareWide(std::wstring_view a, std::wstring_view b) {
  int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                         static_cast<int>(b.size()));
  return r == 0 ? 0 : r - CSTR_EQUAL;
}

std::string WindowsCollator::SortKey(std::wstring_view s) {
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  int n = LCMapStringW(LOCALE_USER_DEFAULT, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::string key(n > 0 ? static_cast<size_t>(n) : 0, '\0');
  if (n > 0)
    LCMapStringW(LOCALE_USER_DEFAULT, flags, s.data(), static_cast<int>(s.size()), reinterpret_cast<LPWSTR>(key.data()),
                 n);
  return key;
}

int WindowsCollator::Compare(std::string_view a, std::string_view b) const {
  std::u16string wa = text::Utf8ToUtf16(a), wb = text::Utf8ToUtf16(b);
  return CompareWide(std::wstring_view(reinterpret_cast<const wchar_t*>(wa.data()), wa.size()),
                     std::wstring_view(reinterpret_cast<const wchar_t*>(wb.data()), wb.size()));
}

}  // namespace browse
