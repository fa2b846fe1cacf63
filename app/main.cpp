// The program entry: the application object, the main window, the event loop.
#include <QApplication>

#include "app/MainForm.h"
#include "ui/Application.h"
#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"
#include "ui/SessionHooks.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  ui::PrepareApplication(application);

  ui::QtPlatform platform;
  app::TForm1 form(platform);  // every control with its design values
  ui::MainWindow window(form);
  ui::SessionHooks session(form);

  form.Create();  // FormCreate, before the window is displayed
  if (!form.Closed()) {
    window.ShowCentred();  // FormShow runs as the window is first shown
    QApplication::exec();
  }
  return 0;
}
