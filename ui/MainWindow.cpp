#include "ui/MainWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QShowEvent>

namespace ui {

MainWindow::MainWindow(app::TForm1& form)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      form_(form),
      binding_(new FormBinding(form, *this)) {
  // The client area is fixed; the window is the menu bar plus that area, never resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() {
  // The binding unhooks itself from the controls before the widgets go.
  delete binding_;
}

void MainWindow::ShowCentred() {
  adjustSize();
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr) {
    const QRect area = screen->availableGeometry();
    const QSize outer = frameGeometry().size();
    move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
  }
  show();
}

void MainWindow::showEvent(QShowEvent* event) {
  // The first showing runs FormShow before the window reaches the screen; the model
  // ignores later calls.
  if (!event->spontaneous() && !form_.Shown()) form_.Show();
  QMainWindow::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Once the close operation has run (the quit request then closes the windows), let go.
  if (form_.Closed()) {
    QMainWindow::closeEvent(event);
    return;
  }
  // The close box, Alt+F4, the system menu: the window's own close operation decides.
  event->ignore();
  form_.Deliver([this] { form_.Close(); });
}

}  // namespace ui
