// Polling the inputs (Timer1, the Refresh toggle, RefUD) and the auto-exit countdown
// (Timer2, ExitCB, ExitUD).
#include <cstdint>

#include "app/MainForm.h"
#include "panel/HandlerSupport.h"

namespace app {

void TForm1::SpeedButton5Click(controls::Control&) {
  // The click has already flipped the toggle.
  ReceiveP5();
  // Read now, so a number typed into Memo2 counts.
  Timer1.SetInterval(panel::SecondsToInterval(RefUD.Position()));
  Timer1.SetEnabled(SpeedButton5.Down());
}

void TForm1::Timer1Timer(controls::Timer&) {
  // Polling goes on through failed reads; only the toggle or a step stops it.
  ReceiveP5();
}

void TForm1::RefUDChangingEx(controls::Control&, std::int16_t newValue) {
  const bool linkUp = PPW.Visible();
  Timer1.SetInterval(panel::SecondsToInterval(newValue));
  Timer1.SetEnabled(linkUp);
  SpeedButton5.SetDown(linkUp && newValue > 0);
}

void TForm1::ExitCBClick(controls::Control&) {
  // Read now, so a number typed into Memo3 counts.
  Timer2.SetInterval(panel::SecondsToInterval(ExitUD.Position()));
  Timer2.SetEnabled(ExitCB.Checked());
}

void TForm1::ExitUDChangingEx(controls::Control&, std::int16_t newValue) {
  // Disabling first makes every step restart the countdown, even at the same interval.
  Timer2.SetEnabled(false);
  Timer2.SetInterval(panel::SecondsToInterval(newValue));
  Timer2.SetEnabled(ExitCB.Checked());
}

}  // namespace app
