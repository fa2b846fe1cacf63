#pragma once
// The binding between the window's control model and its Qt widgets: one widget per
// control at its design geometry, each widget mirroring its control through the
// control's observer, and the user's input handed to the model as one event each.

#include <QObject>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "app/MainForm.h"
#include "controls/Control.h"
#include "ui/TimerBackend.h"

class QAction;
class QMainWindow;
class QMenu;
class QTabWidget;
class QWidget;

namespace ui {

class FormBinding : public QObject, private controls::Observer {
  Q_OBJECT
 public:
  // Builds the menu bar and the central widget of window from form's control tree.
  FormBinding(app::TForm1& form, QMainWindow& window);
  ~FormBinding() override;

  // The widget standing for a control (the central widget for the form, the page widget
  // for a tab sheet); nullptr for menu items.
  QWidget* WidgetFor(const controls::Control& control) const;
  // The action standing for a menu item (a sub-menu's own action for a menu heading).
  QAction* ActionFor(const controls::Control& control) const;
  const TimerBackend& BackendFor(const controls::Timer& timer) const;

  // Runs one piece of user input under the window's error display.
  void Deliver(const std::function<void()>& event);

 private:
  void Changed(controls::Control& control, controls::Property what) override;
  void Apply(controls::Control& control, controls::Property what);
  void ApplyAll(controls::Control& control);

  void Build(controls::Control& control, QWidget* parent);
  QWidget* Create(controls::Control& control, QWidget* parent);
  void BuildPages(controls::PageControl& pages, QTabWidget* tabs);
  void BuildMenuBar(controls::Control& menu);
  void BindMenuItem(controls::MenuItem& item, QAction* action);
  void BindSpinners();
  void BuildTabChain();
  void CollectTabChain(controls::Control& parent, std::vector<QWidget*>& chain) const;

  // Runs input for control, then shows the model's state again: whatever the widget did
  // on its own (a combo's new index, a check item's mark) gives way to the model.
  void Input(controls::Control& control, const std::function<void()>& event);

  app::TForm1& form_;
  QMainWindow& window_;
  std::unordered_map<const controls::Control*, QWidget*> widgets_;
  std::unordered_map<const controls::Control*, QAction*> actions_;
  std::vector<std::unique_ptr<TimerBackend>> timers_;
};

}  // namespace ui
