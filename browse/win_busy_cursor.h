// The hourglass while a command works, restored however the command ends.
#pragma once

#include <windows.h>

namespace browse {

class BusyCursor {
 public:
  BusyCursor() : old_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~BusyCursor() { SetCursor(old_); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  HCURSOR old_;
};

}  // namespace browse
