#include "controls/Timer.h"

namespace controls {

Timer::Timer(std::string name, std::uint32_t interval, bool enabled)
    : name_(std::move(name)), interval_(interval), enabled_(enabled), remaining_(interval) {}

void Timer::SetInterval(std::uint32_t interval) {
  if (interval_ == interval) return;
  interval_ = interval;
  Restart();
}

void Timer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Restart();
}

void Timer::Restart() {
  remaining_ = interval_;
  ++restarts_;
  if (observer_ != nullptr) observer_->TimerRestarted(*this);
}

void Timer::Tick() {
  if (!Running()) return;
  remaining_ = interval_;
  if (OnTimer) OnTimer(*this);
}

void Timer::Advance(std::uint64_t ms) {
  while (Running() && ms >= remaining_) {
    ms -= remaining_;
    // Tick starts the next countdown; a handler that reassigns the timer starts its own.
    Tick();
  }
  if (Running()) remaining_ -= ms;
}

}  // namespace controls
