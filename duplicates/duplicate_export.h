// "导出..." of the duplicates window: every group's members as a CSV file in
// the form of the hit export (UTF-8 with a byte-order mark, a header row,
// RFC 4180 quoting, CRLF), with the group's number and size of it first.
#pragma once

#include <string>
#include <vector>

#include "maintain/hit_export.h"

namespace duplicates {

struct DuplicateLine {
  int group = 0;  // from 1, in the order shown
  int files = 0;  // in the group
  std::string wasted;  // the group's wasted space as shown
  maintain::HitLine member;
};

std::string DuplicatesCsv(const std::vector<DuplicateLine>& lines);

}  // namespace duplicates
