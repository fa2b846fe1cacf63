#pragma once
// The simulated controller's state and its answers, apart from sockets and time, so that
// the request rules and the console commands stay small and readable.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace relaysim {

// How a reply's bytes are formed; only one form at a time.
enum class ReplyForm { Normal, NoDigits, Empty, Oversize };

struct Faults {
  bool silent = false;  // answer nothing
  double drop = 0.0;    // fraction of requests left unanswered
  int delayMs = 0;      // every reply waits this long
  ReplyForm form = ReplyForm::Normal;
  bool refuseWrites = false;  // writes reply "1" and leave the outputs alone
  int lateDuplicateMs = 0;    // a second copy of each reply this long after the first
};

constexpr std::size_t kOversizeBytes = 9000;

class Simulator {
 public:
  std::uint8_t inputs = 0xFF;  // a clear bit is an active input
  std::uint8_t outputs = 0x00;
  Faults faults;
  double wiggleSeconds = 0.0;  // 0: the inputs stay as they are
  bool quitRequested = false;

  // What the request is, for the log.
  enum class Kind { ReadInputs, ReadOutputs, WriteOutputs, Unknown };
  static Kind Classify(std::string_view request);

  // The reply bytes for one request, with the state change a write makes; nothing for a
  // request the controller does not know. Drop, silence and timing are the caller's.
  std::optional<std::string> Answer(std::string_view request);

  // One console line; returns the one-line answer ("ok ..." or "error: ...").
  std::string Command(std::string_view line);

  // The next step of the input walk: channel 1, 2, ... 8 flip in turn.
  void WiggleStep();

  std::string Status() const;

 private:
  int wiggleChannel_ = 0;
};

// "255", "0xFF", "0b11111111": a byte mask. Nothing when the text is not one.
std::optional<std::uint8_t> ParseMask(std::string_view text);
// A whole number between lo and hi.
std::optional<long long> ParseInteger(std::string_view text, long long lo, long long hi);
// A decimal number between lo and hi.
std::optional<double> ParseNumber(std::string_view text, double lo, double hi);

// The bytes shown in a log line: printable ASCII as is, the rest as \xNN, long texts cut.
std::string Printable(std::string_view bytes);

// The console commands, as --help shows them.
extern const char* const kCommandHelp;

}  // namespace relaysim
