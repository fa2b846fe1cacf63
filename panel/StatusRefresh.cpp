// The window's picture of the controller: the reads that fill the indicators, the status
// line, and the two buttons that only read (Transmit and Refresh).
#include <cstdint>
#include <string>

#include "app/MainForm.h"
#include "device/VORuzovU.h"
#include "panel/HandlerSupport.h"

namespace app {

namespace {

constexpr const char* kConnectError = "Connect Error ... Please Check VORuzov";
// " --> Value" and a full-width colon (U+FF1A), then "$".
constexpr const char* kValueLead = " --> Value\xEF\xBC\x9A$";

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// Every byte up to 0x20 (spaces and control characters) off both ends.
std::string TrimBlanks(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

void TForm1::ReceiveP6() {
  panel::Guarded("Error...ReceiveP6", [this] {
    std::uint8_t value = 0;
    const bool ok =
        device::GetOutputStatus(IdUDPClient1, DeviceAddress, device::kDevicePort, value);
    PPW.SetVisible(ok);
    ShowStatus(value, ok);
    const auto indicators = OutputIndicators();
    for (int i = 0; i < 8; ++i) indicators[i]->SetVisible((value >> i) & 1);
  });
}

void TForm1::ReceiveP5() {
  panel::Guarded("Error...ReceiveP5", [this] {
    std::uint8_t value = 255;
    const bool ok = device::GetInputStatus(IdUDPClient1, DeviceAddress, device::kDevicePort, value);
    PPW.SetVisible(ok);
    // The byte as read: a clear bit is an input that is on.
    ShowStatus(value, ok);
    const auto indicators = InputIndicators();
    for (int i = 0; i < 8; ++i) indicators[i]->SetVisible(((value >> i) & 1) == 0);
  });
}

void TForm1::ShowStatus(std::uint8_t value, bool ok) {
  if (!ok) {
    StatusBar1.SetPanelText(kConnectError);
    return;
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = std::string(kNoticeText) + kValueLead;
  text += kHex[value >> 4];
  text += kHex[value & 0x0F];
  StatusBar1.SetPanelText(std::move(text));
}

void TForm1::SpeedButton1Click(controls::Control&) {
  // Taken before anything can fail, so it holds even when the reads below do not.
  DeviceAddress = TrimBlanks(Edit1.Text());
  panel::Guarded("Error...Transmit", [this] {
    // A fresh endpoint: whatever a previous address left queued is dropped.
    IdUDPClient1.SetActive(false);
    IdUDPClient1.SetActive(true);
    ReceiveP5();
    ReceiveP6();
  });
}

void TForm1::SpeedButton6Click(controls::Control&) {
  ReceiveP6();
}

}  // namespace app
