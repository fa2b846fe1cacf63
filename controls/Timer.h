#pragma once
// A window timer: ticks every interval while enabled and the interval is not 0.

#include <cstdint>
#include <functional>
#include <string>

namespace controls {

class Timer;

class TimerObserver {
 public:
  virtual ~TimerObserver() = default;
  // The countdown was cancelled and, when the timer is Running(), started anew.
  virtual void TimerRestarted(Timer& timer) = 0;
};

class Timer {
 public:
  using TickHandler = std::function<void(Timer& sender)>;

  Timer(std::string name, std::uint32_t interval, bool enabled);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& Name() const { return name_; }

  // Assigning a different value restarts the countdown; the same value changes nothing.
  std::uint32_t Interval() const { return interval_; }
  void SetInterval(std::uint32_t interval);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // Enabled with a non-zero interval: a countdown is running.
  bool Running() const { return enabled_ && interval_ != 0; }
  // Milliseconds left of the running countdown (0 when not running).
  std::uint64_t Remaining() const { return Running() ? remaining_ : 0; }
  // How many times the countdown was restarted by an assignment.
  std::uint64_t Restarts() const { return restarts_; }

  TickHandler OnTimer;

  // The countdown elapsed: it starts again and the tick handler runs. Ignored when the
  // timer is not running. The Qt binding calls this from its own timer.
  void Tick();
  // Headless clock: lets ms pass, ticking each time the countdown reaches 0. Ticks that
  // a handler's own work would have overlapped are not queued up.
  void Advance(std::uint64_t ms);

  void SetObserver(TimerObserver* observer) { observer_ = observer; }

 private:
  void Restart();

  std::string name_;
  std::uint32_t interval_;
  bool enabled_;
  std::uint64_t remaining_ = 0;
  std::uint64_t restarts_ = 0;
  TimerObserver* observer_ = nullptr;
};

}  // namespace controls
