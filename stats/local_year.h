// The local calendar year of file times, for many times in a row: the
// moments at which each year from 1900 to 2200 begins on the local clock
// are worked out once, so a time's year is a binary search among them
// instead of a call into the C library's time zone rules per entry.
#pragma once

#include <cstdint>
#include <vector>

#include "stats/catalog_statistics.h"

namespace stats {

class LocalYears {
 public:
  explicit LocalYears(const UtcOffset& offset = {});
  // The year of a Windows file time (ticks since 1601, UTC) on the local clock.
  int Of(int64_t ticks) const;

 private:
  static constexpr int kFirstYear = 1900, kLastYear = 2200;
  UtcOffset offset_;
  std::vector<int64_t> starts_;  // ticks at which kFirstYear + i begins; one more for the end
};

}  // namespace stats
