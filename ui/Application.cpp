#include "ui/Application.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>

#include "app/MainForm.h"
#include "controls/Control.h"
#include "ui/WindowStyle.h"

namespace ui {

void PrepareApplication(QApplication& application) {
  // The application title. Only the name is set: the display name defaults to it, and a
  // display name set on its own would be appended to every window caption by the desktop.
  QApplication::setApplicationName(QString::fromUtf8(app::kApplicationTitle));
  // The desktop entry and its icon, as installed with the program.
  QGuiApplication::setDesktopFileName(QStringLiteral("relaypanel"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("relaypanel")));
  // The layout is fixed in pixels; one style everywhere keeps the widgets' frames alike.
  QApplication::setStyle(new WindowStyle());
  // Quitting is the close sequence's last step, never a side effect of hiding the window.
  application.setQuitOnLastWindowClosed(false);
}

QFont WindowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
  font.setPixelSize(13);
  font.setWeight(QFont::Normal);
  font.setStyle(QFont::StyleNormal);
  return font;
}

QFont FixedFont() {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPixelSize(13);
  return font;
}

QColor ControlColor(std::uint32_t color) {
  switch (color) {
    case static_cast<std::uint32_t>(controls::SystemColor::ButtonFace):
      return QColor(0xF0, 0xF0, 0xF0);
    case static_cast<std::uint32_t>(controls::SystemColor::Window):
      return QColor(0xFF, 0xFF, 0xFF);
    default:
      return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | (color & 0xFFFFFFu)));
  }
}

}  // namespace ui
