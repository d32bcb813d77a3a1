// The user's locale collation, letter case ignored: the text order of the
// sorted list columns on Windows.
#pragma once

#include <string>
#include <string_view>

#include "browse/column_sort.h"

namespace browse {

class WindowsCollator : public TextCollator {
 public:
  int Compare(std::string_view a, std::string_view b) const override;
  // The same order on texts the list already holds in UTF-16.
  static int CompareWide(std::wstring_view a, std::wstring_view b);
  // A key whose byte order is that order: comparing two keys costs a memory
  // comparison instead of a locale comparison, for sorting many items.
  static std::string SortKey(std::wstring_view s);
};

}  // namespace browse
