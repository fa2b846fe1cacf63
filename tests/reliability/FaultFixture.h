#pragma once
// The window's logic against relaysim in one fault mode: a temporary current directory with
// a settings file that points the window at the simulator's loopback address, a recording
// desktop, and the window created and shown as at start-up.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "device/VORuzovU.h"
#include "support/RecordingPlatform.h"
#include "support/SimProcess.h"
#include "support/TempDir.h"

namespace reliability {

inline const std::string kConnectError = "Connect Error ... Please Check VORuzov";

inline std::string ValueText(const char* hex) {
  return std::string(app::kNoticeText) + " --> Value\xEF\xBC\x9A$" + hex;
}

// Bit i-1 set when indicator i is shown.
inline int Flags(const std::array<controls::Panel*, 8>& panels) {
  int mask = 0;
  for (int i = 0; i < 8; ++i) {
    if (panels[i]->Visible()) mask |= 1 << i;
  }
  return mask;
}

inline void ShowAll(const std::array<controls::Panel*, 8>& panels) {
  for (controls::Panel* panel : panels) panel->SetVisible(true);
}

// Milliseconds the call took.
inline long TimedMs(const std::function<void()>& call) {
  const auto start = std::chrono::steady_clock::now();
  call();
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - start)
                               .count());
}

// An exchange waits at most its limit plus this margin (a bound, not a speed target).
constexpr long kMarginMs = 300;
constexpr long kExchangeBoundMs = device::kReplyTimeoutMs + kMarginMs;

class FaultTest : public ::testing::Test {
 protected:
  // The simulator on this address (port 7070) with these fault flags; then the window's
  // start-up with a settings file that names the address.
  app::TForm1& Start(const std::string& address, const std::vector<std::string>& simArgs) {
    sim = std::make_unique<testsupport::SimProcess>(simArgs, address, device::kDevicePort);
    dir.Write("relaypanel.ini", "[relaypanel]\r\nIPV4=" + address + "\r\n");
    form = std::make_unique<app::TForm1>(platform);
    form->Create();
    form->Show();
    EXPECT_EQ(form->DeviceAddress, address);
    return *form;
  }

  void TearDown() override {
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front().text;
    form.reset();
    sim.reset();
  }

  // A user's click, delivered as one event.
  void Click(controls::Control& control) {
    form->Deliver([&] { control.Click(); });
  }

  support::TempDir dir;
  support::RecordingPlatform platform;
  std::unique_ptr<testsupport::SimProcess> sim;
  std::unique_ptr<app::TForm1> form;
};

}  // namespace reliability
