// The user's locale collation, letter case ignored: the text order of the
// sorted list columns on Windows.
#pragma once

#include <string>
#include <string_view>

#include "browse/column_sort.h"

namespace browse {

class WindowsCollator : public TextCollator {
 public:
  std::string SortKey(std::string_view s) const override;
  // The key of a text the list already holds in UTF-16.
  static std::string WideSortKey(std::wstring_view s);
};

}  // namespace browse
