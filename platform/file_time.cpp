#include "platform/file_time.h"

#include <chrono>
#include <cstdio>

namespace filetime {
namespace {

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

int64_t FromUnix(int64_t seconds, int64_t nanoseconds) {
  return (seconds + kUnixEpochSeconds) * kTicksPerSecond + nanoseconds / 100;
}

int64_t ToUnixSeconds(int64_t ticks) { return FloorDiv(ticks, kTicksPerSecond) - kUnixEpochSeconds; }

int64_t Now() {
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  const int64_t ns = std::chrono::duration_cast<std::chrono::nanoseconds>(since).count();
  return FromUnix(FloorDiv(ns, 1'000'000'000), ns - FloorDiv(ns, 1'000'000'000) * 1'000'000'000);
}

Civil CivilFromUnix(int64_t seconds) {
  // Days to a proleptic Gregorian date (the well-known era algorithm).
  const int64_t days = FloorDiv(seconds, 86400);
  const int64_t rest = seconds - days * 86400;
  const int64_t z = days + 719468;
  const int64_t era = FloorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
  return Civil{y, m, d, static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60)};
}

std::string FormatLocal(int64_t ticks) {
  if (ticks == 0) return {};
  const int64_t utc = ToUnixSeconds(ticks);
  const Civil c = CivilFromUnix(utc + LocalOffsetSeconds(utc));
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute, c.second);
  return buf;
}

std::string FormatLocalDate(int64_t ticks) { return FormatLocal(ticks).substr(0, 10); }

}  // namespace filetime
