#pragma once
// The desktop as Qt provides it: the message box, the URL launcher, the quit request.

#include <QString>
#include <string>

#include "app/Platform.h"

namespace ui {

class QtPlatform : public app::Platform {
 public:
  void ShowMessage(const std::string& caption, app::MessageIcon icon,
                   const std::string& text) override;
  // Starts xdg-open detached with the URL as its only argument; no shell is involved.
  bool OpenUrl(const std::string& url) override;
  void Quit() override;
  std::string ExecutablePath() override;
};

// A message's bytes as the box shows them: each carriage return (alone or before a line
// feed) ends a line.
QString MessageDisplayText(const std::string& text);

}  // namespace ui
