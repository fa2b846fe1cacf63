#pragma once
// A QTimer behind a controls::Timer: the model decides when the countdown restarts, the
// QTimer only measures it and hands each tick back to the model.

#include <QObject>
#include <QTimer>

#include "controls/Timer.h"

namespace ui {

class TimerBackend : public QObject, private controls::TimerObserver {
  Q_OBJECT
 public:
  // A tick goes straight to the model: the window runs each tick handler as an event of
  // its own, under the error display.
  explicit TimerBackend(controls::Timer& timer, QObject* parent = nullptr);
  ~TimerBackend() override;

  const QTimer& Backing() const { return qtimer_; }

 private:
  void TimerRestarted(controls::Timer& timer) override;
  void Apply();

  controls::Timer& timer_;
  QTimer qtimer_;
};

}  // namespace ui
