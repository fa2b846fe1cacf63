// Linked into the start-up benchmark's two programs (the real start-up code and the bare
// baseline), so neither needs an argument or a setting of its own: both run on the
// offscreen platform, and both quit as soon as their main window has had its first paint.

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

// Before main: the platform is chosen when the application object is made.
[[maybe_unused]] const bool kOffscreen = [] {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  return true;
}();

class FirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
      const QWidget* window = static_cast<QWidget*>(watched)->window();
      if (qobject_cast<const QMainWindow*>(window) != nullptr) {
        seen_ = true;
        // The rest of this paint pass runs first; then the event loop ends normally.
        QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

void Install() {
  QCoreApplication* app = QCoreApplication::instance();
  app->installEventFilter(new FirstPaint(app));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Install)
