#include <time.h>

#include "platform/file_time.h"

namespace filetime {

int64_t LocalOffsetSeconds(int64_t unixSeconds) {
  const time_t t = static_cast<time_t>(unixSeconds);
  struct tm local {};
  if (!localtime_r(&t, &local)) return 0;
  return local.tm_gmtoff;
}

}  // namespace filetime
