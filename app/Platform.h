#pragma once
// What only the desktop can do. The Qt binding provides the real one; tests record.

#include <string>

namespace app {

enum class MessageIcon { Stop, Error };

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box with one OK button (default and cancel), centred on the screen.
  // Returns when the user has closed it; the timers keep ticking meanwhile.
  virtual void ShowMessage(const std::string& caption, MessageIcon icon,
                           const std::string& text) = 0;
  // Hands the URL to the user's default handler. False when the launch was refused.
  virtual bool OpenUrl(const std::string& url) = 0;
  // Queues the quit request: the event loop ends when it reaches it.
  virtual void Quit() = 0;
  // The running program's full path; the settings names derive from it.
  virtual std::string ExecutablePath() = 0;
};

}  // namespace app
