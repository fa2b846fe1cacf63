#include "ui/TimerBackend.h"

#include <limits>

namespace ui {

TimerBackend::TimerBackend(controls::Timer& timer, QObject* parent)
    : QObject(parent), timer_(timer) {
  qtimer_.setTimerType(Qt::PreciseTimer);
  connect(&qtimer_, &QTimer::timeout, this, [this] { timer_.Tick(); });
  timer_.SetObserver(this);
  Apply();
}

TimerBackend::~TimerBackend() {
  timer_.SetObserver(nullptr);
}

void TimerBackend::TimerRestarted(controls::Timer&) {
  Apply();
}

void TimerBackend::Apply() {
  qtimer_.stop();
  // QTimer takes an int of milliseconds; a longer interval would never elapse in a run of
  // this program anyway, so it simply never ticks.
  if (timer_.Running() &&
      timer_.Interval() <= static_cast<std::uint32_t>(std::numeric_limits<int>::max())) {
    qtimer_.start(static_cast<int>(timer_.Interval()));
  }
}

}  // namespace ui
