#pragma once
// The real main window, built in a fresh temporary current directory whose settings file
// (relaypanel.ini, section [relaypanel]) is written first, so the link points at the
// loopback address a test names and never at the design address.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"

class QAction;
class QWidget;

namespace uitest {

struct Message {
  std::string caption;
  app::MessageIcon icon;
  std::string text;
};

// The Qt platform with the quit request and the message box recorded. Boxes are shown for
// real only when showBoxes is set (a test then has to close them).
class TestPlatform : public ui::QtPlatform {
 public:
  void ShowMessage(const std::string& caption, app::MessageIcon icon,
                   const std::string& text) override;
  void Quit() override { ++quits; }
  std::string ExecutablePath() override { return executable; }

  std::string executable;
  bool showBoxes = false;
  std::vector<Message> messages;
  int quits = 0;
};

class WindowFixture {
 public:
  // mainKeys: extra lines of the main section after IPV4 (each ending in CR LF).
  explicit WindowFixture(const std::string& address, const std::string& mainKeys = "");
  ~WindowFixture();
  WindowFixture(const WindowFixture&) = delete;
  WindowFixture& operator=(const WindowFixture&) = delete;

  QWidget* Widget(const controls::Control& control) const;
  template <class T>
  T* As(const controls::Control& control) const {
    return qobject_cast<T*>(Widget(control));
  }
  QAction* Action(const controls::Control& control) const;
  controls::Control* Find(const std::string& name) const;

  QByteArray SettingsFile() const;
  QString Path(const QString& name) const { return dir.filePath(name); }

  QTemporaryDir dir;
  TestPlatform platform;
  std::unique_ptr<app::TForm1> form;
  std::unique_ptr<ui::MainWindow> window;

 private:
  QString previousDir_;
};

}  // namespace uitest
