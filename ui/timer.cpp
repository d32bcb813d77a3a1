#include "ui/timer.h"

#include <windows.h>

#include "ui/application.h"
#include "ui/commands.h"

namespace ui {

Timer::Timer(Form* owner, unsigned intervalMs, bool enabled)
    : Component(owner), interval_(intervalMs), enabled_(enabled) {
  DeclareClass("TTimer");
  id_ = AllocateCommand([this] {
    if (enabled_ && OnTimer) OnTimer();
  });
  Update();
}

Timer::~Timer() {
  KillTimer(App().Handle(), id_);
  ReleaseCommand(id_);
}

void Timer::SetEnabled(bool on) {
  enabled_ = on;
  Update();
}

void Timer::SetInterval(unsigned ms) {
  interval_ = ms;
  Update();
}

void Timer::Update() {
  KillTimer(App().Handle(), id_);
  if (enabled_ && interval_ > 0) SetTimer(App().Handle(), id_, interval_, nullptr);
}

}  // namespace ui
