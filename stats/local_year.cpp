#include "stats/local_year.h"

#include <algorithm>
#include <chrono>

#include "platform/file_time.h"

namespace stats {
namespace {

int64_t UnixSecondsOfNewYear(int year) {
  using namespace std::chrono;
  const sys_days d{std::chrono::year{year} / January / 1};
  return int64_t{d.time_since_epoch().count()} * 86400;
}

}  // namespace

LocalYears::LocalYears(const UtcOffset& offset)
    : offset_(offset ? offset : UtcOffset(filetime::LocalOffsetSeconds)) {
  starts_.reserve(kLastYear - kFirstYear + 2);
  for (int y = kFirstYear; y <= kLastYear + 1; ++y) {
    // The UTC moment whose local reading is midnight of 1 January: the
    // offset is taken again at the first guess, so a change of offset
    // (daylight saving south of the equator) near the new year is met.
    const int64_t local = UnixSecondsOfNewYear(y);
    int64_t utc = local - offset_(local);
    utc = local - offset_(utc);
    starts_.push_back(filetime::FromUnix(utc, 0));
  }
}

int LocalYears::Of(int64_t ticks) const {
  if (ticks >= starts_.front() && ticks < starts_.back()) {
    const auto it = std::upper_bound(starts_.begin(), starts_.end(), ticks);
    return kFirstYear + static_cast<int>(it - starts_.begin()) - 1;
  }
  return LocalYear(ticks, offset_);
}

int LocalYear(int64_t ticks, const UtcOffset& offset) {
  const int64_t utc = filetime::ToUnixSeconds(ticks);
  return filetime::CivilFromUnix(utc + (offset ? offset(utc) : filetime::LocalOffsetSeconds(utc))).year;
}

}  // namespace stats
