#include "ui/SessionHooks.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>

namespace ui {

namespace {

// The signal handler only writes a byte; the event loop does the work.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

SessionHooks::SessionHooks(app::TForm1& form, QObject* parent) : QObject(parent), form_(form) {
  connect(
      qGuiApp, &QGuiApplication::commitDataRequest, this,
      [this](QSessionManager&) { RunCloseQuery(); }, Qt::DirectConnection);
  // Every way the application is asked to end passes here: the session's quit included.
  QCoreApplication::instance()->installEventFilter(this);

  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    qWarning("Termination signals are not handled: pipe: %s", std::strerror(errno));
    return;
  }
  notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SessionHooks::SignalArrived);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

SessionHooks::~SessionHooks() {
  if (notifier_ == nullptr) return;
  signal(SIGTERM, SIG_DFL);
  signal(SIGINT, SIG_DFL);
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
}

void SessionHooks::RunCloseQuery() {
  if (form_.Closed()) return;
  // The close query as a close request runs it; its answer is always yes (an error in it
  // is shown and does not hold up the session).
  form_.Deliver([this] {
    bool canClose = true;
    form_.FormCloseQuery(canClose);
  });
}

void SessionHooks::SignalArrived() {
  char bytes[16];
  while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
  }
  if (!form_.Closed()) form_.Terminate();
  QCoreApplication::quit();
}

bool SessionHooks::eventFilter(QObject* watched, QEvent* event) {
  // A quit that the close operation did not ask for: the system goes ahead. Hide, save
  // the main settings, tear down; then the loop ends (exit code 0).
  if (event->type() == QEvent::Quit && watched == QCoreApplication::instance() && !form_.Closed()) {
    form_.Terminate();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace ui
