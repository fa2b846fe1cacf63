#pragma once
// The main window's frame: fixed size, centred at its first showing, and the window
// system's close request turned into the window's close operation.

#include <QMainWindow>
#include <memory>

#include "app/MainForm.h"
#include "ui/FormBinding.h"

namespace ui {

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(app::TForm1& form);
  ~MainWindow() override;

  FormBinding& Binding() { return *binding_; }

  // Centres the window on its screen and shows it (the first showing runs FormShow).
  void ShowCentred();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  app::TForm1& form_;
  FormBinding* binding_;  // a child QObject of this window
};

}  // namespace ui
