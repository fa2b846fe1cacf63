#pragma once

#include "controls/Control.h"

namespace controls {

// A menu entry; its sub-items are its children. A check item flips its mark on a user's
// click, then raises the click event; setting the mark from the program raises nothing.
class MenuItem : public Control {
 public:
  MenuItem(std::string name, Control* parent) : Control(Kind::MenuItem, std::move(name), parent) {}

  bool autoCheck = false;

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  void Click() override;

 private:
  bool checked_ = false;
};

}  // namespace controls
