#include "settings/MainSettings.h"

#include "settings/IniU.h"

namespace settings {

void LoadMainSettings(const std::string& file, const std::string& section, const MainControls& c) {
  IniCreate(file);
  c.address.SetText(IniReadString(file, section, "IPV4", c.address.Text()));
  c.httpPort.SetText(IniReadString(file, section, "Port", c.httpPort.Text()));
  // A stored number keeps its low 16 bits as the position; the range is not applied.
  c.pollSeconds.SetPosition(IniReadInteger(file, section, "Timer", c.pollSeconds.Position()));
  c.useOnOff.SetChecked(IniReadBool(file, section, "UseOnOff", c.useOnOff.Checked()));
  c.exitSeconds.SetPosition(IniReadInteger(file, section, "ExitSec", c.exitSeconds.Position()));
  c.useExit.SetChecked(IniReadBool(file, section, "UseExit", c.useExit.Checked()));
}

void SaveMainSettings(const std::string& file, const std::string& section, const MainControls& c) {
  // One operation per key, each reloading the file: never batched.
  IniWriteString(file, section, "IPV4", c.address.Text());
  IniWriteString(file, section, "Port", c.httpPort.Text());
  IniWriteInteger(file, section, "Timer", c.pollSeconds.Position());
  IniWriteBool(file, section, "UseOnOff", c.useOnOff.Checked());
  IniWriteInteger(file, section, "ExitSec", c.exitSeconds.Position());
  IniWriteBool(file, section, "UseExit", c.useExit.Checked());
}

}  // namespace settings
