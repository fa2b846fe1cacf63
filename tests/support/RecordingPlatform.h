#pragma once
// The desktop as the tests see it: message boxes, URL launches and quit requests are
// recorded; the executable lives at /opt/x/relaypanel, so the settings file is
// relaypanel.ini in the current directory.

#include <stdexcept>
#include <string>
#include <vector>

#include "app/Platform.h"

namespace support {

struct ShownMessage {
  std::string caption;
  app::MessageIcon icon;
  std::string text;
};

class RecordingPlatform : public app::Platform {
 public:
  void ShowMessage(const std::string& caption, app::MessageIcon icon,
                   const std::string& text) override {
    messages.push_back({caption, icon, text});
  }
  bool OpenUrl(const std::string& url) override {
    urls.push_back(url);
    if (launcherFails) throw std::runtime_error("launcher failed");
    return acceptUrls;
  }
  void Quit() override { ++quits; }
  std::string ExecutablePath() override { return executable; }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : messages) texts.push_back(message.text);
    return texts;
  }

  std::vector<ShownMessage> messages;
  std::vector<std::string> urls;
  int quits = 0;
  bool acceptUrls = true;
  bool launcherFails = false;
  std::string executable = "/opt/x/relaypanel";
};

}  // namespace support
