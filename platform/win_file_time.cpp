#include <windows.h>

#include "platform/file_time.h"

namespace filetime {

// The offset in force at that moment by the time zone's rules, not today's:
// a summer date read in winter shows its summer hour.
int64_t LocalOffsetSeconds(int64_t unixSeconds) {
  const int64_t ticks = FromUnix(unixSeconds, 0);
  if (ticks < 0) return 0;
  FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32)};
  SYSTEMTIME utc, local;
  if (!FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return 0;
  FILETIME lft;
  if (!SystemTimeToFileTime(&local, &lft)) return 0;
  const int64_t localTicks = static_cast<int64_t>((static_cast<uint64_t>(lft.dwHighDateTime) << 32) | lft.dwLowDateTime);
  return (localTicks - ticks) / kTicksPerSecond;
}

}  // namespace filetime
