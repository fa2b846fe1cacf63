#pragma once

#include "controls/Control.h"

namespace controls {

// A windowless button. In toggle mode a user's click flips the down state before the
// click event; setting the state from the program raises nothing.
class SpeedButton : public Control {
 public:
  SpeedButton(std::string name, Control* parent)
      : Control(Kind::SpeedButton, std::move(name), parent) {}

  bool toggle = false;

  bool Down() const { return down_; }
  void SetDown(bool down);
  void Click() override;

 private:
  bool down_ = false;
};

}  // namespace controls
