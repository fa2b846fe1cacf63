#pragma once
// The main section of the settings file: the six values the window keeps in its
// controls, loaded when the window is created and saved when it is destroyed.

#include <string>

#include "controls/CheckBox.h"
#include "controls/Edit.h"
#include "controls/MenuItem.h"
#include "controls/UpDown.h"

namespace settings {

// The controls behind the six keys, in the order of the keys.
struct MainControls {
  controls::Edit& address;        // IPV4
  controls::Edit& httpPort;       // Port
  controls::UpDown& pollSeconds;  // Timer
  controls::MenuItem& useOnOff;   // UseOnOff
  controls::UpDown& exitSeconds;  // ExitSec
  controls::CheckBox& useExit;    // UseExit
};

// Makes sure the file exists, then reads the six keys in order, each with the control's
// current value as the default (so a missing key is written with it). Assigning a changed
// spinner position or check box state raises the control's event. The first error stops
// the load; the controls not reached keep their values.
void LoadMainSettings(const std::string& file, const std::string& section,
                      const MainControls& controls);

// Writes the six keys in order, each by its own file operation. The first error stops it.
void SaveMainSettings(const std::string& file, const std::string& section,
                      const MainControls& controls);

}  // namespace settings
