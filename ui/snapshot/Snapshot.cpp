// Renders the main window with each page in front (and once with indicators lit) to PNG
// files, to compare the drawing with the window design. Not part of the program.
//
//   relaypanel_snapshot <output directory>
//
// The window runs in a temporary directory whose settings file points the link at
// 127.0.0.1; nothing is clicked, so nothing is sent.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "app/MainForm.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"

namespace {

class SnapshotPlatform : public ui::QtPlatform {
 public:
  explicit SnapshotPlatform(std::string executable) : executable_(std::move(executable)) {}
  void ShowMessage(const std::string& caption, app::MessageIcon, const std::string& text) override {
    std::fprintf(stderr, "message box \"%s\": %s\n", caption.c_str(), text.c_str());
    failed = true;
  }
  bool OpenUrl(const std::string&) override { return false; }
  void Quit() override {}
  std::string ExecutablePath() override { return executable_; }
  bool failed = false;

 private:
  std::string executable_;
};

bool Save(ui::MainWindow& window, const QDir& out, const char* name) {
  QApplication::processEvents();
  const QString path = out.filePath(QString::fromLatin1(name));
  if (!window.grab().save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  ui::PrepareApplication(application);
  if (argc != 2) {
    std::fprintf(stderr, "usage: relaypanel_snapshot <output directory>\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "cannot create %s\n", argv[1]);
    return 1;
  }
  QTemporaryDir work;
  QFile settings(work.filePath(QStringLiteral("relaypanel.ini")));
  if (!work.isValid() || !settings.open(QIODevice::WriteOnly) ||
      settings.write("[relaypanel]\r\nIPV4=127.0.0.1\r\n") < 0) {
    std::fprintf(stderr, "cannot prepare the settings file\n");
    return 1;
  }
  settings.close();
  QDir::setCurrent(work.path());

  SnapshotPlatform platform(work.filePath(QStringLiteral("relaypanel")).toStdString());
  app::TForm1 form(platform);
  ui::MainWindow window(form);
  form.Create();
  window.ShowCentred();

  bool ok = Save(window, out, "operation.png");
  form.PageControl1.SetActivePageIndex(1);
  ok = Save(window, out, "option.png") && ok;

  // The indicators' colours and the toggle's down state, set on the model directly.
  form.PageControl1.SetActivePageIndex(0);
  for (controls::Panel* lit : {&form.PF1, &form.PF3, &form.PF8, &form.SF2, &form.SF5, &form.PPW}) {
    lit->SetVisible(true);
  }
  form.SpeedButton5.SetDown(true);
  form.StatusBar1.SetPanelText("Status OK");
  ok = Save(window, out, "indicators.png") && ok;

  QDir::setCurrent(out.path());
  return ok && !platform.failed ? 0 : 1;
}
