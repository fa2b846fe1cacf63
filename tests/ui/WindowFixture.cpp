#include "WindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "ui/Application.h"

namespace uitest {

void TestPlatform::ShowMessage(const std::string& caption, app::MessageIcon icon,
                               const std::string& text) {
  messages.push_back({caption, icon, text});
  if (showBoxes) ui::QtPlatform::ShowMessage(caption, icon, text);
}

WindowFixture::WindowFixture(const std::string& address, const std::string& mainKeys)
    : previousDir_(QDir::currentPath()) {
  static bool prepared = false;
  if (!prepared) {
    ui::PrepareApplication(*qApp);
    prepared = true;
  }
  QFile settings(dir.filePath(QStringLiteral("relaypanel.ini")));
  // The presets section as a first run leaves it, so showing the window only reads it.
  std::string contents = "[relaypanel]\r\nIPV4=" + address + "\r\n" + mainKeys + "\r\n[ON/OFF]\r\n";
  for (char channel = '1'; channel <= '8'; ++channel) {
    for (const char* key : {"S_CBx_", "E_CBx_", "S_ChB_", "E_ChB_"}) {
      const bool exitList = std::string(key) == "E_CBx_";
      contents += std::string(key) + channel + (exitList ? "=1\r\n" : "=0\r\n");
    }
  }
  if (!dir.isValid() || !settings.open(QIODevice::WriteOnly) ||
      settings.write(contents.data(), static_cast<qint64>(contents.size())) < 0) {
    qFatal("cannot write the settings file in %s", qPrintable(dir.path()));
  }
  settings.close();
  QDir::setCurrent(dir.path());
  platform.executable = dir.filePath(QStringLiteral("relaypanel")).toStdString();

  form = std::make_unique<app::TForm1>(platform);
  window = std::make_unique<ui::MainWindow>(*form);
  form->Create();
  window->ShowCentred();
  if (!QTest::qWaitForWindowExposed(window.get())) qWarning("the window was not exposed");
}

WindowFixture::~WindowFixture() {
  window.reset();
  form.reset();
  QDir::setCurrent(previousDir_);
}

QWidget* WindowFixture::Widget(const controls::Control& control) const {
  return window->Binding().WidgetFor(control);
}

QAction* WindowFixture::Action(const controls::Control& control) const {
  return window->Binding().ActionFor(control);
}

controls::Control* WindowFixture::Find(const std::string& name) const {
  controls::Control* found = nullptr;
  controls::ForEachControl(form->Form1, [&](controls::Control& control) {
    if (control.Name() == name) found = &control;
  });
  return found;
}

QByteArray WindowFixture::SettingsFile() const {
  QFile file(dir.filePath(QStringLiteral("relaypanel.ini")));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace uitest
