#include "ui/QtPlatform.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QProcess>
#include <QScreen>
#include <QStringList>

#include "settings/IniNames.h"

namespace ui {

QString MessageDisplayText(const std::string& text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

namespace {

// Centred on the screen, not on whatever window happens to be active.
class CentredMessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      move(area.center() - QPoint(width() / 2, height() / 2));
    }
  }
};

QMessageBox::Icon BoxIcon(app::MessageIcon icon) {
  // The stop icon and the error icon are the same picture on this desktop.
  switch (icon) {
    case app::MessageIcon::Stop:
    case app::MessageIcon::Error:
      break;
  }
  return QMessageBox::Critical;
}

}  // namespace

void QtPlatform::ShowMessage(const std::string& caption, app::MessageIcon icon,
                             const std::string& text) {
  CentredMessageBox box(BoxIcon(icon),
                        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                        MessageDisplayText(text), QMessageBox::Ok);
  // The text may hold what a user typed (a URL): never read it as markup.
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  // exec runs a nested event loop: the timers go on ticking while the box is open.
  box.exec();
}

bool QtPlatform::OpenUrl(const std::string& url) {
  const QStringList arguments{QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size()))};
  return QProcess::startDetached(QStringLiteral("xdg-open"), arguments);
}

void QtPlatform::Quit() {
  QMetaObject::invokeMethod(QCoreApplication::instance(), "quit", Qt::QueuedConnection);
}

std::string QtPlatform::ExecutablePath() {
  return settings::ExecutablePath();
}

}  // namespace ui
