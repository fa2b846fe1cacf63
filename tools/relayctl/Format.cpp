#include "tools/relayctl/Format.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace relayctl {

namespace {

// Length of the valid UTF-8 sequence at the start of text, or 0.
std::size_t Utf8Length(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(i) & 0x3Fu);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (overlong || surrogate || code > 0x10FFFF) return 0;
  return length;
}

std::string Words(std::uint8_t byte, bool onWhenSet) {
  std::string text;
  for (int channel = 1; channel <= 8; ++channel) {
    const bool set = byte & (1u << (channel - 1));
    if (channel > 1) text += ' ';
    text += std::to_string(channel) + ((set == onWhenSet) ? ":on" : ":off");
  }
  return text;
}

std::string ByteJson(std::uint8_t byte, bool onWhenSet) {
  std::string text = "{\"byte\":" + std::to_string(byte) + ",\"channels\":{";
  for (int channel = 1; channel <= 8; ++channel) {
    const bool set = byte & (1u << (channel - 1));
    if (channel > 1) text += ',';
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "literal" + string.
    text += '"';
    text += std::to_string(channel);
    text += "\":";
    text += (set == onWhenSet) ? "true" : "false";
  }
  return text + "}}";
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
      ++i;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else if (const std::size_t length = Utf8Length(text.substr(i)); length > 0) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      // A byte that is not UTF-8 cannot stand in JSON text; keep it visible as U+FFFD.
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out + "\"";
}

std::string OutputWords(std::uint8_t outputs) {
  return Words(outputs, true);
}
std::string InputWords(std::uint8_t inputs) {
  return Words(inputs, false);
}
std::string OutputsJson(std::uint8_t outputs) {
  return ByteJson(outputs, true);
}
std::string InputsJson(std::uint8_t inputs) {
  return ByteJson(inputs, false);
}

std::string TimestampNow() {
  using namespace std::chrono;
  const system_clock::time_point now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const long long millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
  const std::tm* utc = std::gmtime(&seconds);
  char text[40];
  if (!utc || std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", utc) == 0) return "?";
  char full[48];
  std::snprintf(full, sizeof full, "%s.%03lldZ", text, millis);
  return full;
}

void Printer::Line(const std::string& host, const std::string& text) {
  if (quiet_) return;
  if (namesHost_) out_ << host << ": ";
  out_ << text << '\n';
  out_.Flush();
}

void Printer::Record(const std::string& host, const std::string& fields) {
  if (quiet_) return;
  out_ << "{\"host\":" << JsonString(host);
  if (!fields.empty()) out_ << ',' << fields;
  out_ << "}\n";
  out_.Flush();
}

}  // namespace relayctl
