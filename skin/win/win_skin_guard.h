// Where the system calls into the skin (the window hook, the frame's and
// the skinners' window procedures, every paint), a failure of the skin's
// own work stops there and is only counted: an error box opened from inside
// a paint or an activation would itself be skinned and activated, so the
// handling would re-enter and could cascade. The caller falls back to the
// plain look: a paint draws as the system would, a window that could not be
// skinned stays plain.
#pragma once

#include <functional>
#include <string_view>

namespace skin {

void NoteSkinFailure() noexcept;
// Failures swallowed since the program started.
int SkinFailures();

// Runs `work`; true when it finished, false when it failed (then counted).
template <class F>
bool SkinGuarded(F&& work) noexcept {
  try {
    work();
    return true;
  } catch (...) {
    NoteSkinFailure();
    return false;
  }
}

// Named places in the skin's work call the probe a test installs, so that
// a test can make that place fail ("attach", "frame paint", "control paint").
using FaultProbe = std::function<void(std::string_view place)>;
FaultProbe SetFaultProbe(FaultProbe probe);
void FaultPoint(std::string_view place);

}  // namespace skin
