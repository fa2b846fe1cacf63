#pragma once
// relayctl's command line: global options, the command and its own options.

#include <cstdint>
#include <string>
#include <vector>

namespace relayctl {

struct Options {
  std::vector<std::string> hosts;  // in the order given; empty: take the default host
  int port = 7070;
  int timeoutMs = 1000;
  int retries = 0;
  bool json = false;
  bool quiet = false;
  bool help = false;
  bool version = false;

  std::string command;
  std::uint8_t channels = 0;     // on, off, toggle, cycle
  std::uint8_t mask = 0;         // set
  double delaySeconds = 5.0;     // cycle
  double intervalSeconds = 1.0;  // watch
  long count = 0;                // watch: polls before it ends, 0 for no end
  int staggerMs = 0;             // on, cycle: gap between channels, 0 for all at once
};

struct ParsedCommandLine {
  Options options;
  std::string error;  // a usage error, in English; empty when the line is good
  bool ok() const { return error.empty(); }
};

// args excludes the program name. Options may stand before or after the command;
// "--" ends the options.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The --help and --version texts.
std::string UsageText();
std::string VersionText();

}  // namespace relayctl
