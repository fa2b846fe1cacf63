#pragma once
// relayctl's results: plain lines or JSON objects, one per line, on stdout.

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/relayctl/Sink.h"

namespace relayctl {

// A JSON string literal, quotes included; control characters and non-UTF-8 bytes escaped.
std::string JsonString(std::string_view text);

// "1:on 2:off ...". Outputs are on when their bit is set, inputs when it is clear.
std::string OutputWords(std::uint8_t outputs);
std::string InputWords(std::uint8_t inputs);

// {"byte":N,"channels":{"1":true,...}}, true meaning on.
std::string OutputsJson(std::uint8_t outputs);
std::string InputsJson(std::uint8_t inputs);

// UTC, ISO 8601 with milliseconds: 2026-12-11T11:07:10.123Z
std::string TimestampNow();

// Prints results: a line names its host when there are several; quiet prints nothing.
class Printer {
 public:
  Printer(Sink& out, bool json, bool quiet, bool namesHost)
      : out_(out), json_(json), quiet_(quiet), namesHost_(namesHost) {}

  bool Json() const { return json_; }
  void Line(const std::string& host, const std::string& text);
  // fields: the object's members after "host", already JSON ("\"a\":1,\"b\":2").
  void Record(const std::string& host, const std::string& fields);

 private:
  Sink& out_;
  bool json_;
  bool quiet_;
  bool namesHost_;
};

}  // namespace relayctl
