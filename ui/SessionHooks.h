#pragma once
// How the desktop session and the system end the program:
// - the session manager's commit-data request (log-off, shutdown) runs the close query and
//   answers yes;
// - when the system then goes ahead (the session's quit, SIGTERM, SIGINT), the closing
//   steps run from hiding the window on, and the program ends with exit code 0.

#include <QObject>

#include "app/MainForm.h"

class QSessionManager;
class QSocketNotifier;

namespace ui {

class SessionHooks : public QObject {
  Q_OBJECT
 public:
  // One per process: it owns the process's SIGTERM and SIGINT handling.
  explicit SessionHooks(app::TForm1& form, QObject* parent = nullptr);
  ~SessionHooks() override;

  // What the session's commit-data request runs: the close query, answered yes.
  void RunCloseQuery();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SignalArrived();

  app::TForm1& form_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace ui
