// The controls with a two-state value: check box, toggle button, check menu item.
#include "controls/CheckBox.h"
#include "controls/MenuItem.h"
#include "controls/SpeedButton.h"

namespace controls {

void CheckBox::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Notify(Property::Checked);
  RaiseClick();
}

void CheckBox::Click() {
  SetChecked(!checked_);
}

void SpeedButton::SetDown(bool down) {
  if (down_ == down) return;
  down_ = down;
  Notify(Property::Down);
}

void SpeedButton::Click() {
  if (toggle) SetDown(!down_);
  RaiseClick();
}

void MenuItem::SetChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  Notify(Property::Checked);
}

void MenuItem::Click() {
  if (autoCheck) SetChecked(!checked_);
  RaiseClick();
}

}  // namespace controls
