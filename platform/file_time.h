// Times of files and snapshots as the catalogue keeps them: 100-nanosecond
// ticks since 1601-01-01 UTC (the Windows file time), so a time read from
// the disk is stored at its full precision on every platform. 0 means "not
// known" (rows made before the catalogue kept dates) and shows as nothing.
#pragma once

#include <cstdint>
#include <string>

namespace filetime {

inline constexpr int64_t kTicksPerSecond = 10'000'000;
// Seconds from 1601-01-01 to 1970-01-01.
inline constexpr int64_t kUnixEpochSeconds = 11'644'473'600;

int64_t FromUnix(int64_t seconds, int64_t nanoseconds);
// Whole seconds since 1970 (rounded down, also before 1970).
int64_t ToUnixSeconds(int64_t ticks);
// The present moment.
int64_t Now();

struct Civil {
  int year, month, day, hour, minute, second;
};
// The calendar fields of `seconds` since 1970 read as UTC.
Civil CivilFromUnix(int64_t seconds);

// The local clock's offset from UTC at that moment (daylight saving
// included), in seconds. Per platform: file_time_posix.cpp, win_file_time.cpp.
int64_t LocalOffsetSeconds(int64_t unixSeconds);

// "2026-11-02 14:05:09" in local time; "" for 0.
std::string FormatLocal(int64_t ticks);
// "2026-11-02" in local time; "" for 0.
std::string FormatLocalDate(int64_t ticks);

}  // namespace filetime
