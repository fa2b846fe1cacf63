#pragma once
// A QTimer behind a controls::Timer: the model decides when the countdown restarts, the
// QTimer only measures it and hands each tick back to the model.

#include <QObject>
#include <QTimer>
#include <functional>

#include "controls/Timer.h"

namespace ui {

class TimerBackend : public QObject, private controls::TimerObserver {
  Q_OBJECT
 public:
  // Each tick runs through deliver, so an error in its handler reaches the error display.
  using DeliverFn = std::function<void(const std::function<void()>&)>;

  TimerBackend(controls::Timer& timer, DeliverFn deliver, QObject* parent = nullptr);
  ~TimerBackend() override;

  const QTimer& Backing() const { return qtimer_; }

 private:
  void TimerRestarted(controls::Timer& timer) override;
  void Apply();

  controls::Timer& timer_;
  DeliverFn deliver_;
  QTimer qtimer_;
};

}  // namespace ui
