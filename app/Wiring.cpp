// Connects every control's event to its handler.
#include "app/MainForm.h"

namespace app {

void TForm1::WireEvents() {
  using controls::Control;
  using controls::Timer;
  const auto click = [this](void (TForm1::*handler)(Control&)) {
    return [this, handler](Control& sender) { (this->*handler)(sender); };
  };
  const auto changing = [this](void (TForm1::*handler)(Control&, std::int16_t)) {
    return
        [this, handler](Control& sender, std::int16_t value) { (this->*handler)(sender, value); };
  };
  // A tick is an event of its own: an error escaping it is shown and the timer goes on.
  const auto tick = [this](void (TForm1::*handler)(Timer&)) {
    return [this, handler](Timer& sender) { Deliver([&] { (this->*handler)(sender); }); };
  };

  SpeedButton1.OnClick = click(&TForm1::SpeedButton1Click);
  SpeedButton6.OnClick = click(&TForm1::SpeedButton6Click);
  SpeedButton2.OnClick = click(&TForm1::SpeedButton2Click);
  SpeedButton3.OnClick = click(&TForm1::SpeedButton3Click);
  SpeedButton4.OnClick = click(&TForm1::SpeedButton4Click);
  for (controls::Panel* frame : OutputFrames()) frame->OnClick = click(&TForm1::PB1Click);
  for (controls::Panel* indicator : OutputIndicators()) {
    indicator->OnClick = click(&TForm1::PF1Click);
  }
  SpeedButton5.OnClick = click(&TForm1::SpeedButton5Click);
  RefUD.OnChangingEx = changing(&TForm1::RefUDChangingEx);
  Timer1.OnTimer = tick(&TForm1::Timer1Timer);
  ExitCB.OnClick = click(&TForm1::ExitCBClick);
  ExitUD.OnChangingEx = changing(&TForm1::ExitUDChangingEx);
  Timer2.OnTimer = tick(&TForm1::Timer2Timer);
  for (controls::CheckBox* box :
       {&S_ChB_1, &S_ChB_2, &S_ChB_3, &S_ChB_4, &S_ChB_5, &S_ChB_6, &S_ChB_7, &S_ChB_8, &E_ChB_1,
        &E_ChB_2, &E_ChB_3, &E_ChB_4, &E_ChB_5, &E_ChB_6, &E_ChB_7, &E_ChB_8}) {
    box->OnClick = click(&TForm1::S_ChB_1Click);
  }
  M_OnOff.OnClick = click(&TForm1::M_OnOffClick);
  CloseX1.OnClick = click(&TForm1::CloseX1Click);
  Velmora1.OnClick = click(&TForm1::Velmora1Click);
  Image1.OnClick = click(&TForm1::Velmora1Click);
  AVIOSYS1.OnClick = click(&TForm1::AVIOSYS1Click);
}

}  // namespace app
