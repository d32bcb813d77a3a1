// Timer: OnTimer every Interval milliseconds while enabled (a thread
// timer of the application window, so it also fires inside modal loops and
// while a handler processes messages).
#pragma once

#include <functional>

#include "ui/component.h"

namespace ui {

class Timer : public Component {
 public:
  explicit Timer(Form* owner, unsigned intervalMs = 1000, bool enabled = true);
  ~Timer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  std::function<void()> OnTimer;

 private:
  void Update();
  unsigned id_;
  unsigned interval_;
  bool enabled_;
};

}  // namespace ui
