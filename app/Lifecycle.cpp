// The window's life: creation (FormCreate), the first showing, the close operation and the
// closing steps after it (FormDestroy, teardown), and the two handlers that end the program.
#include <cstdint>
#include <string>

#include "app/MainForm.h"
#include "device/VORuzovU.h"
#include "panel/HandlerSupport.h"
#include "settings/IniNames.h"
#include "settings/MainSettings.h"

namespace app {

namespace {

settings::MainControls MainSettingControls(TForm1& form) {
  return {form.Edit1, form.Edit2, form.RefUD, form.M_OnOff, form.ExitUD, form.ExitCB};
}

}  // namespace

// Destruction writes nothing: the settings are saved only by the closing steps.
TForm1::~TForm1() = default;

void TForm1::Create() {
  Deliver([this] { FormCreate(); });
}

void TForm1::Show() {
  if (shown_ || closed_) return;
  shown_ = true;
  Deliver([this] { FormShow(); });
}

void TForm1::Close() {
  if (closed_) return;
  bool canClose = true;
  // An error here leaves the close to the caller's error display: the window stays open.
  FormCloseQuery(canClose);
  if (!canClose) return;
  platform.Quit();
  Terminate();
}

void TForm1::Terminate() {
  if (closed_) return;
  Form1.SetVisible(false);
  // An error skips the remaining writes; the program ends all the same.
  Deliver([this] { FormDestroy(); });
  Teardown();
  IniFileName.clear();
  IniSection.clear();
  closed_ = true;
}

void TForm1::Teardown() {
  Timer1.SetEnabled(false);
  Timer2.SetEnabled(false);
  IdUDPClient1.SetActive(false);
}

void TForm1::FormCreate() {
  const settings::IniNames names = settings::DeriveIniNames(platform.ExecutablePath());
  IniFileName = names.fileName;
  IniSection = names.section;
  settings::LoadMainSettings(IniFileName, IniSection, MainSettingControls(*this));
  // Exactly as the box holds it; only Transmit trims.
  DeviceAddress = Edit1.Text();
  // The handlers raised by the load may have set these already; settle them either way.
  Timer2.SetInterval(panel::SecondsToInterval(ExitUD.Position()));
  Timer2.SetEnabled(ExitCB.Checked());
  // Stored only: every exchange names its destination itself.
  IdUDPClient1.SetHost(DeviceAddress);
  IdUDPClient1.SetPort(static_cast<std::uint16_t>(device::kDevicePort));
  IdUDPClient1.SetActive(true);
}

void TForm1::FormDestroy() {
  settings::SaveMainSettings(IniFileName, IniSection, MainSettingControls(*this));
}

void TForm1::CloseX1Click(controls::Control&) {
  Close();
}

void TForm1::Timer2Timer(controls::Timer&) {
  // Closes exactly as File > Exit does; Timer2 stays enabled, so a close that fails is
  // tried again one interval later.
  CloseX1Click(CloseX1);
}

}  // namespace app
