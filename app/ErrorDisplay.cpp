// The top-level error display: an error that escapes one event is shown in a message box
// captioned with the application title, and the program goes on.
#include <exception>
#include <string>

#include "app/MainForm.h"

namespace app {

namespace {

// Shown when something that is not a std::exception escapes a handler.
constexpr const char* kUnknownError = "Unknown error";

}  // namespace

std::string TForm1::DisplayText(const std::string& message) {
  // A message already ending in "." or a lower code (such as "!", "," or a space) is
  // shown as it is; anything else gets a full stop.
  if (message.empty() || static_cast<unsigned char>(message.back()) <= '.') return message;
  return message + ".";
}

void TForm1::Deliver(const std::function<void()>& event) {
  std::string message;
  try {
    event();
    return;
  } catch (const std::exception& error) {
    message = error.what();
  } catch (...) {
    message = kUnknownError;
  }
  platform.ShowMessage(kApplicationTitle, MessageIcon::Stop, DisplayText(message));
}

}  // namespace app
