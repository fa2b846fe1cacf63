#pragma once
// TForm1: the main window. Its members are the controls of the window design (their
// names are the names the settings file and the handlers use); its member functions are
// the event handlers, defined in the file of the concern they belong to:
//   app/MainFormLayout.cpp   the control tree and its design values
//   app/Lifecycle.cpp        FormCreate, closing, Timer2Timer
//   app/ErrorDisplay.cpp     Deliver and DisplayText, the top-level error display
//   app/Wiring.cpp           WireEvents: each control's event to its handler
//   app/BrowserLinks.cpp     SpeedButton2Click, Velmora1Click, AVIOSYS1Click, OpenURL
//   panel/StatusRefresh.cpp  ReceiveP5, ReceiveP6, ShowStatus, Transmit, Refresh
//   panel/OutputSwitching.cpp SetData, PB1Click, PF1Click, All On, All Off
//   panel/Timers.cpp         polling and auto-exit handlers
//   panel/Presets.cpp        FormShow, FormCloseQuery, the preset load/save/collect

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "app/Platform.h"
#include "controls/CheckBox.h"
#include "controls/ComboBox.h"
#include "controls/Control.h"
#include "controls/Edit.h"
#include "controls/MenuItem.h"
#include "controls/PageControl.h"
#include "controls/Simple.h"
#include "controls/SpeedButton.h"
#include "controls/Timer.h"
#include "controls/UpDown.h"
#include "device/UdpLink.h"

namespace app {

extern const char* const kApplicationTitle;  // "DU Rorez 9212"
extern const char* const kWindowCaption;
extern const char* const kNoticeText;  // the status panel's initial notice
extern const char* const kVelmoraHomePage;
extern const char* const kAviosysHomePage;

using PresetValues = std::array<int, 8>;

class TForm1 {
 public:
  // Creates every control with its design values and wires its events. Touches no file
  // and no socket: FormCreate does that.
  explicit TForm1(Platform& platform);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // ---- Running events -------------------------------------------------------------
  // Runs one event (a click, a tick, a menu command, creation, showing, closing) under the
  // top-level error display: an error that escapes is shown in a message box and the
  // program goes on. Every event the binding delivers goes through here.
  void Deliver(const std::function<void()>& event);
  // The text the error display shows for an error message (the full-stop rule).
  static std::string DisplayText(const std::string& message);

  // ---- Lifecycle --------------------------------------------------------------------
  // Start-up: FormCreate under the error display (the window opens all the same).
  void Create();
  // The first showing: FormShow under the error display; later calls do nothing.
  void Show();
  bool Shown() const { return shown_; }
  // The close operation: FormCloseQuery; when it returns normally, the quit request, the
  // hide, FormDestroy and the teardown. An error in the close query keeps the window open.
  void Close();
  // The closing steps from hiding the window on (the system goes ahead with a log-off or
  // shutdown, or the program is terminated): hide, FormDestroy, teardown.
  void Terminate();
  // The close operation ran to its end (or Terminate did).
  bool Closed() const { return closed_; }

  // ---- Handlers -----------------------------------------------------------------------
  void FormCreate();
  void FormShow();
  void FormCloseQuery(bool& canClose);
  void FormDestroy();
  void CloseX1Click(controls::Control& sender);
  void Timer2Timer(controls::Timer& sender);

  void SpeedButton1Click(controls::Control& sender);  // Transmit
  void SpeedButton6Click(controls::Control& sender);  // Refresh
  void SpeedButton2Click(controls::Control& sender);  // Web Control
  void SpeedButton3Click(controls::Control& sender);  // All On
  void SpeedButton4Click(controls::Control& sender);  // All Off
  void PB1Click(controls::Control& sender);
  void PF1Click(controls::Control& sender);
  void SpeedButton5Click(controls::Control& sender);  // Refresh toggle
  void Timer1Timer(controls::Timer& sender);
  void RefUDChangingEx(controls::Control& sender, std::int16_t newValue);
  void ExitCBClick(controls::Control& sender);
  void ExitUDChangingEx(controls::Control& sender, std::int16_t newValue);
  void S_ChB_1Click(controls::Control& sender);
  void M_OnOffClick(controls::Control& sender);
  void Velmora1Click(controls::Control& sender);
  void AVIOSYS1Click(controls::Control& sender);

  // ---- Operations -------------------------------------------------------------------
  void ReceiveP5();
  void ReceiveP6();
  void ShowStatus(std::uint8_t value, bool ok);
  bool SetData();
  bool OpenURL(const std::string& url);

  void LoadOnOffSettings(controls::GroupBox& group);
  void SaveOnOffSettings(controls::GroupBox& group);
  void CollectStartValues(controls::GroupBox& group, PresetValues& values);
  void CollectExitValues(controls::GroupBox& group, PresetValues& values);

  // ---- Window state -----------------------------------------------------------------
  Platform& platform;
  std::string DeviceAddress;
  // Values of the window's module: derived at start-up, cleared at the very end.
  std::string IniFileName;
  std::string IniSection;

  // The control tree, in creation order (a parent's children are listed in the order
  // they are declared here).
  controls::Form Form1;

  controls::Menu MainMenu1;
  controls::MenuItem FileF1;
  controls::MenuItem CloseX1;
  controls::MenuItem OptionO1;
  controls::MenuItem M_OnOff;
  controls::MenuItem VelmoraHomepage1;
  controls::MenuItem Velmora1;
  controls::MenuItem AVIOSYS1;

  controls::Label Label1;
  controls::Edit Edit1;
  controls::SpeedButton SpeedButton1;
  controls::Label Label5;
  controls::Edit Edit2;
  controls::SpeedButton SpeedButton2;
  controls::Panel Panel4;
  controls::Image Image1;
  controls::PageControl PageControl1;
  controls::TabSheet TabSheet1;
  controls::TabSheet TabSheet2;
  controls::StatusBar StatusBar1;

  // "Operation" page.
  controls::GroupBox GroupBox1;
  controls::Label Label12, Label11, Label14, Label13, Label16, Label15, Label18, Label17;
  controls::Panel Panel9, Panel11, Panel13, Panel15, Panel1, Panel3, Panel5, Panel7;
  controls::Panel SF1, SF2, SF3, SF4, SF5, SF6, SF7, SF8;
  controls::Panel PB1, PB2, PB3, PB4, PB5, PB6, PB7, PB8;
  controls::Panel PF1, PF2, PF3, PF4, PF5, PF6, PF7, PF8;
  controls::Label Label6;
  controls::Panel Panel2;
  controls::Panel PPW;
  controls::Label Label2;
  controls::Label Label3;
  controls::SpeedButton SpeedButton5;
  controls::Edit Memo2;
  controls::UpDown RefUD;
  controls::Label Label4;
  controls::SpeedButton SpeedButton6;
  controls::SpeedButton SpeedButton3;
  controls::SpeedButton SpeedButton4;
  controls::Memo Memo1;

  // "Option" page: the presets of channels 1 to 4, then 5 to 8 (labels first, then per
  // channel the start selector, exit selector, start box, exit box), then auto-exit.
  controls::GroupBox GroupBox2;
  controls::Label Label23, Label24, Label25, Label8, Label7, Label10, Label9;
  controls::ComboBox S_CBx_1, E_CBx_1;
  controls::CheckBox S_ChB_1, E_ChB_1;
  controls::ComboBox S_CBx_2, E_CBx_2;
  controls::CheckBox S_ChB_2, E_ChB_2;
  controls::ComboBox S_CBx_3, E_CBx_3;
  controls::CheckBox S_ChB_3, E_ChB_3;
  controls::ComboBox S_CBx_4, E_CBx_4;
  controls::CheckBox S_ChB_4, E_ChB_4;
  controls::GroupBox GroupBox3;
  controls::Label Label26, Label27, Label28, Label20, Label19, Label22, Label21;
  controls::ComboBox S_CBx_5, E_CBx_5;
  controls::CheckBox S_ChB_5, E_ChB_5;
  controls::ComboBox S_CBx_6, E_CBx_6;
  controls::CheckBox S_ChB_6, E_ChB_6;
  controls::ComboBox S_CBx_7, E_CBx_7;
  controls::CheckBox S_ChB_7, E_ChB_7;
  controls::ComboBox S_CBx_8, E_CBx_8;
  controls::CheckBox S_ChB_8, E_ChB_8;
  controls::GroupBox GroupBox4;
  controls::CheckBox ExitCB;
  controls::Edit Memo3;
  controls::UpDown ExitUD;
  controls::Label Label30;

  // Components without a picture.
  controls::Timer Timer1;
  controls::Timer Timer2;
  device::UdpLink IdUDPClient1;

  // Channel i is element i-1.
  std::array<controls::Panel*, 8> OutputFrames() {
    return {&PB1, &PB2, &PB3, &PB4, &PB5, &PB6, &PB7, &PB8};
  }
  std::array<controls::Panel*, 8> OutputIndicators() {
    return {&PF1, &PF2, &PF3, &PF4, &PF5, &PF6, &PF7, &PF8};
  }
  std::array<controls::Panel*, 8> InputIndicators() {
    return {&SF1, &SF2, &SF3, &SF4, &SF5, &SF6, &SF7, &SF8};
  }

 private:
  void BuildLayout();
  void WireEvents();
  void Teardown();

  bool shown_ = false;
  bool closed_ = false;
};

}  // namespace app
