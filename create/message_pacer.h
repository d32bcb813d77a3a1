// Paces the walk's message processing. The walk asks for it after every
// directory entry; handing every request to the platform costs a round trip
// to the window server each time (about 27 us under Wine, more than the
// entry itself), so a request is passed on only when `intervalMs` have gone
// by since the last one. The window stays as responsive as the eye can
// tell, and stop, cancel and the timer still act between entries.
#pragma once

#include <cstdint>
#include <functional>

namespace create {

class MessagePacer {
 public:
  MessagePacer(std::function<void()> process, std::function<uint64_t()> nowMs, unsigned intervalMs)
      : process_(std::move(process)), nowMs_(std::move(nowMs)), intervalMs_(intervalMs) {}
  void operator()() {
    if (Due()) process_();
  }
  // Whether a request now would be passed on; true starts the next interval.
  bool Due() {
    uint64_t now = nowMs_();
    if (started_ && now - last_ < intervalMs_) return false;
    started_ = true;
    last_ = now;
    return true;
  }

 private:
  std::function<void()> process_;
  std::function<uint64_t()> nowMs_;
  unsigned intervalMs_;
  bool started_ = false;
  uint64_t last_ = 0;
};

}  // namespace create
