#include "tools/relaysim/Simulator.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace relaysim {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::optional<bool> OnOff(std::string_view word) {
  if (word == "on") return true;
  if (word == "off") return false;
  return std::nullopt;
}

std::string Hex(std::uint8_t v) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(v));
  return text;
}

const char* FormName(ReplyForm form) {
  switch (form) {
    case ReplyForm::NoDigits:
      return "no-digits";
    case ReplyForm::Empty:
      return "empty";
    case ReplyForm::Oversize:
      return "oversize";
    case ReplyForm::Normal:
      break;
  }
  return "normal";
}

}  // namespace

const char* const kCommandHelp =
    "Commands on standard input, one per line; each is answered with one line on standard\n"
    "output, \"ok ...\" or \"error: ...\":\n"
    "  status                       show inputs, outputs and faults\n"
    "  inputs MASK                  set the input byte (a clear bit is an active input)\n"
    "  outputs MASK                 set the output byte (a set bit is a relay on)\n"
    "  input N on|off               make input channel N (1-8) active or inactive\n"
    "  output N on|off              switch output channel N (1-8)\n"
    "  fault silent on|off          answer nothing\n"
    "  fault no-digits on|off       reply \"OK\" instead of the number\n"
    "  fault empty on|off           reply with an empty datagram\n"
    "  fault oversize on|off        reply with 9000 bytes\n"
    "  fault refuse-writes on|off   writes reply \"1\" and leave the outputs alone\n"
    "  fault drop FRACTION          leave this fraction of requests unanswered (0-1)\n"
    "  fault delay MS               delay every reply (0 = off)\n"
    "  fault late-duplicate MS      send each reply again MS later (0 = off)\n"
    "  fault clear                  all faults off\n"
    "  wiggle SECONDS               walk the inputs every SECONDS (0 = stop)\n"
    "  help                         this list\n"
    "  quit                         end the simulator\n"
    "MASK is decimal (129), hexadecimal (0x81) or binary (0b10000001), 0 to 255.\n";

std::optional<long long> ParseInteger(std::string_view text, long long lo, long long hi) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  long long value = 0;  // 12 digits need more than a 32-bit long (Windows)
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < lo || value > hi) return std::nullopt;
  return value;
}

std::optional<double> ParseNumber(std::string_view text, double lo, double hi) {
  if (text.empty() || text.size() > 32) return std::nullopt;
  const std::string copy(text);
  std::size_t used = 0;
  double value = 0;
  try {
    value = std::stod(copy, &used);
  } catch (...) {
    return std::nullopt;
  }
  if (used != copy.size() || !(value >= lo && value <= hi)) return std::nullopt;
  return value;
}

std::optional<std::uint8_t> ParseMask(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'b' || text[1] == 'B')) {
    base = 2;
    text.remove_prefix(2);
  }
  if (text.empty() || text.size() > 8) return std::nullopt;
  unsigned value = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0 || digit >= base) return std::nullopt;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
  }
  if (value > 255) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

std::string Printable(std::string_view bytes) {
  std::string out = "\"";
  const std::size_t shown = bytes.size() > 40 ? 40 : bytes.size();
  for (std::size_t i = 0; i < shown; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\x%02X", static_cast<unsigned>(c));
      out += esc;
    }
  }
  out += "\"";
  if (shown < bytes.size()) out += "... (" + std::to_string(bytes.size()) + " bytes)";
  return out;
}

Simulator::Kind Simulator::Classify(std::string_view request) {
  if (request == "VEDOVIZ0") return Kind::ReadInputs;
  if (request == "VEDOVIZ2") return Kind::ReadOutputs;
  if (request.size() > 8 && request.substr(0, 8) == "VEDOVIZ1" &&
      ParseInteger(request.substr(8), 0, 255) && request.size() <= 11) {
    return Kind::WriteOutputs;
  }
  return Kind::Unknown;
}

std::optional<std::string> Simulator::Answer(std::string_view request) {
  std::string reply;
  switch (Classify(request)) {
    case Kind::ReadInputs:
      reply = std::to_string(inputs);
      break;
    case Kind::ReadOutputs:
      reply = std::to_string(outputs);
      break;
    case Kind::WriteOutputs:
      if (faults.refuseWrites) {
        reply = "1";
      } else {
        outputs = static_cast<std::uint8_t>(*ParseInteger(request.substr(8), 0, 255));
        reply = "0";
      }
      break;
    case Kind::Unknown:
      return std::nullopt;
  }
  switch (faults.form) {
    case ReplyForm::NoDigits:
      return std::string("OK");
    case ReplyForm::Empty:
      return std::string();
    case ReplyForm::Oversize:
      reply.resize(kOversizeBytes, ' ');
      return reply;
    case ReplyForm::Normal:
      break;
  }
  return reply;
}

void Simulator::WiggleStep() {
  inputs = static_cast<std::uint8_t>(inputs ^ (1u << wiggleChannel_));
  wiggleChannel_ = (wiggleChannel_ + 1) % 8;
}

std::string Simulator::Status() const {
  std::ostringstream s;
  s << "inputs " << Hex(inputs) << " outputs " << Hex(outputs) << " silent "
    << (faults.silent ? "on" : "off") << " reply " << FormName(faults.form) << " refuse-writes "
    << (faults.refuseWrites ? "on" : "off") << " drop " << faults.drop << " delay "
    << faults.delayMs << " late-duplicate " << faults.lateDuplicateMs << " wiggle "
    << wiggleSeconds;
  return s.str();
}

std::string Simulator::Command(std::string_view line) {
  const auto w = Words(line);
  if (w.empty()) return "error: empty command (try help)";
  const std::string_view verb = w[0];
  if (verb == "help" && w.size() == 1) {
    std::string text = kCommandHelp;
    for (char& c : text) {
      if (c == '\n') c = ' ';
    }
    return "ok " + text;
  }
  if (verb == "status" && w.size() == 1) return "ok " + Status();
  if (verb == "quit" && w.size() == 1) {
    quitRequested = true;
    return "ok quitting";
  }
  if ((verb == "inputs" || verb == "outputs") && w.size() == 2) {
    const auto mask = ParseMask(w[1]);
    if (!mask) return "error: MASK must be 0 to 255 (129, 0x81 or 0b10000001)";
    (verb == "inputs" ? inputs : outputs) = *mask;
    return "ok " + Status();
  }
  if ((verb == "input" || verb == "output") && w.size() == 3) {
    const auto channel = ParseInteger(w[1], 1, 8);
    const auto on = OnOff(w[2]);
    if (!channel || !on) return "error: usage: " + std::string(verb) + " N on|off, N 1 to 8";
    const auto bit = static_cast<std::uint8_t>(1u << (*channel - 1));
    if (verb == "input") {
      // An active input reads as a clear bit.
      inputs =
          *on ? static_cast<std::uint8_t>(inputs & ~bit) : static_cast<std::uint8_t>(inputs | bit);
    } else {
      outputs = *on ? static_cast<std::uint8_t>(outputs | bit)
                    : static_cast<std::uint8_t>(outputs & ~bit);
    }
    return "ok " + Status();
  }
  if (verb == "wiggle" && w.size() == 2) {
    const auto seconds = ParseNumber(w[1], 0.0, 86400.0);
    if (!seconds) return "error: wiggle SECONDS, 0 to 86400";
    wiggleSeconds = *seconds;
    return "ok " + Status();
  }
  if (verb == "fault" && w.size() == 2 && w[1] == "clear") {
    faults = Faults{};
    return "ok " + Status();
  }
  if (verb == "fault" && w.size() == 3) {
    const std::string_view name = w[1];
    if (name == "drop") {
      const auto fraction = ParseNumber(w[2], 0.0, 1.0);
      if (!fraction) return "error: fault drop FRACTION, 0 to 1";
      faults.drop = *fraction;
      return "ok " + Status();
    }
    if (name == "delay" || name == "late-duplicate") {
      const auto ms = ParseInteger(w[2], 0, 600000);
      if (!ms) return "error: fault " + std::string(name) + " MS, 0 to 600000";
      (name == "delay" ? faults.delayMs : faults.lateDuplicateMs) = static_cast<int>(*ms);
      return "ok " + Status();
    }
    const auto on = OnOff(w[2]);
    if (!on) return "error: fault " + std::string(name) + " on|off";
    if (name == "silent") {
      faults.silent = *on;
    } else if (name == "refuse-writes") {
      faults.refuseWrites = *on;
    } else if (name == "no-digits" || name == "empty" || name == "oversize") {
      const ReplyForm form = name == "no-digits" ? ReplyForm::NoDigits
                             : name == "empty"   ? ReplyForm::Empty
                                                 : ReplyForm::Oversize;
      if (*on) {
        faults.form = form;
      } else if (faults.form == form) {
        faults.form = ReplyForm::Normal;
      }
    } else {
      return "error: unknown fault " + std::string(name) + " (try help)";
    }
    return "ok " + Status();
  }
  return "error: unknown command (try help)";
}

}  // namespace relaysim
