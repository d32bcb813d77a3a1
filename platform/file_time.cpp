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
  using namespace std::chrono;
  const int64_t days = FloorDiv(seconds, 86400);
  const int64_t rest = seconds - days * 86400;
  const year_month_day date{sys_days{std::chrono::days{days}}};
  return Civil{static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
               static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(rest / 3600),
               static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60)};
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
