// Switching the relays: a channel click toggles its indicator and sends all eight as the
// indicators show them; All On and All Off switch all eight and read the result back.
#include <cstdint>

#include "app/MainForm.h"
#include "device/VORuzovU.h"
#include "panel/HandlerSupport.h"

namespace app {

bool TForm1::SetData() {
  return panel::Guarded("Error...SetData", [this] {
    // The indicators are the wanted state: bit i-1 for channel i.
    std::uint8_t mask = 0;
    const auto indicators = OutputIndicators();
    for (int i = 0; i < 8; ++i) {
      if (indicators[i]->Visible()) mask = static_cast<std::uint8_t>(mask | (1u << i));
    }
    const bool ok = device::SetOutputStatus(IdUDPClient1, DeviceAddress, device::kDevicePort, mask);
    PPW.SetVisible(ok);
    ShowStatus(mask, ok);
    return ok;
  });
}

void TForm1::PB1Click(controls::Control& sender) {
  // The frame holds only its indicator; a shown indicator covers the frame.
  for (controls::Control* child : sender.Children()) {
    child->SetVisible(child->GetKind() == controls::Kind::Panel);
  }
  SetData();
}

void TForm1::PF1Click(controls::Control& sender) {
  sender.SetVisible(false);
  SetData();
}

void TForm1::SpeedButton3Click(controls::Control&) {
  panel::Guarded("Error...All ON", [this] {
    // Whether the controller obeyed shows through the read-back.
    device::SetOutputStatus(IdUDPClient1, DeviceAddress, device::kDevicePort, 255);
    ReceiveP6();
  });
}

void TForm1::SpeedButton4Click(controls::Control&) {
  panel::Guarded("Error...All OFF", [this] {
    device::SetOutputStatus(IdUDPClient1, DeviceAddress, device::kDevicePort, 0);
    ReceiveP6();
  });
}

}  // namespace app
