#pragma once
// Shared base for the headless window tests: a temporary current directory, a recording
// desktop, a controller on a loopback address of the test program's own, and the window.

#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "support/FakeController.h"
#include "support/RecordingPlatform.h"
#include "support/TempDir.h"

namespace support {

class LogicFixture : public ::testing::Test {
 protected:
  // The controller listens on 127.<program>.x.y:7070, x.y taken from the process id: ctest
  // runs every test case as its own process, some of them side by side, and each needs a
  // port 7070 of its own. Tests within one process run one after another.
  explicit LogicFixture(int program) : address(LoopbackAddress(program)), controller(address) {}

  static std::string LoopbackAddress(int program) {
    const unsigned id = static_cast<unsigned>(::getpid());
    return "127." + std::to_string(program) + "." + std::to_string((id / 254) % 256) + "." +
           std::to_string(id % 254 + 1);
  }

  // The settings file in the current directory, as the fake executable names it.
  static constexpr const char* kIniFile = "relaypanel.ini";

  void WriteSettings(const std::string& bytes) { dir.Write(kIniFile, bytes); }
  std::string ReadSettings() const { return dir.Read(kIniFile); }

  // A main section that points every exchange at this program's controller.
  std::string MainSection(const std::string& extraLines = "") const {
    return "[relaypanel]\r\nIPV4=" + address + "\r\n" + extraLines;
  }

  // Creates the window with its design values, but nothing started.
  app::TForm1& NewForm() {
    form = std::make_unique<app::TForm1>(platform);
    return *form;
  }
  // The usual start: settings pointing at the controller (plus extra file content), then
  // creation and the first showing.
  app::TForm1& Start(const std::string& extraMainLines = "", const std::string& moreSections = "") {
    WriteSettings(MainSection(extraMainLines) + moreSections);
    NewForm();
    form->Create();
    form->Show();
    return *form;
  }

  // A user's click delivered as one event.
  void Click(controls::Control& control) {
    form->Deliver([&] { control.Click(); });
  }
  void CloseRequest() {
    form->Deliver([&] { form->Close(); });
  }

  // The datagrams the controller received, oldest first.
  std::vector<std::string> Sent() const { return controller.Requests(); }

  // Outputs as a bit mask of the visible indicators PF1..PF8.
  int OutputFlags() {
    int mask = 0;
    const auto indicators = form->OutputIndicators();
    for (int i = 0; i < 8; ++i) {
      if (indicators[i]->Visible()) mask |= 1 << i;
    }
    return mask;
  }
  int InputFlags() {
    int mask = 0;
    const auto indicators = form->InputIndicators();
    for (int i = 0; i < 8; ++i) {
      if (indicators[i]->Visible()) mask |= 1 << i;
    }
    return mask;
  }

  std::string address;
  TempDir dir;
  FakeController controller;
  RecordingPlatform platform;
  std::unique_ptr<app::TForm1> form;

  void TearDown() override { form.reset(); }
};

}  // namespace support
