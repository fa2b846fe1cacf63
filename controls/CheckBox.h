#pragma once

#include "controls/Control.h"

namespace controls {

// A changed checked state raises the click event, whether the user or the program
// changed it; setting the state it already has raises nothing.
class CheckBox : public Control {
 public:
  CheckBox(std::string name, Control* parent) : Control(Kind::CheckBox, std::move(name), parent) {}

  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  // The user's click flips the state (and so raises the click event).
  void Click() override;

 private:
  bool checked_ = false;
};

}  // namespace controls
