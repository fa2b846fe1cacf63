#include "tools/relayctl/Options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "tools/relayctl/Channels.h"

namespace relayctl {

namespace {

constexpr double kLongestWaitSeconds = 86400.0;

std::optional<long> ParseWhole(const std::string& text, long min, long max) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value < min || value > max) return std::nullopt;
  return value;
}

std::optional<double> ParseSeconds(const std::string& text, double min) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) {
    return std::nullopt;
  }
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  if (value < min || value > kLongestWaitSeconds) return std::nullopt;
  return value;
}

struct Flags {
  bool delay = false, interval = false, count = false, stagger = false;
};

// Which command takes what: the words after it and its own options.
enum class Words { None, Channels, Mask };
struct CommandRule {
  std::string_view name;
  Words words;
  bool delay, interval, count, stagger;
};
constexpr CommandRule kCommands[] = {
    {"status", Words::None, false, false, false, false},
    {"inputs", Words::None, false, false, false, false},
    {"outputs", Words::None, false, false, false, false},
    {"on", Words::Channels, false, false, false, true},
    {"off", Words::Channels, false, false, false, false},
    {"toggle", Words::Channels, false, false, false, false},
    {"set", Words::Mask, false, false, false, false},
    {"cycle", Words::Channels, true, false, false, true},
    {"watch", Words::None, false, true, true, false},
};

const CommandRule* FindCommand(const std::string& name) {
  for (const CommandRule& rule : kCommands) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

// Checks the command, its words and which of its own options were given.
std::string CheckCommand(Options& options, const std::vector<std::string>& words,
                         const Flags& given) {
  if (options.command.empty()) return "no command given";
  const CommandRule* rule = FindCommand(options.command);
  if (!rule) return "unknown command '" + options.command + "'";
  const std::string& name = options.command;
  if (given.delay && !rule->delay) return "--delay belongs to cycle, not " + name;
  if (given.interval && !rule->interval) return "--interval belongs to watch, not " + name;
  if (given.count && !rule->count) return "--count belongs to watch, not " + name;
  if (given.stagger && !rule->stagger) return "--stagger belongs to on and cycle, not " + name;
  switch (rule->words) {
    case Words::None:
      if (!words.empty()) return name + " takes no arguments, got '" + words.front() + "'";
      return {};
    case Words::Channels: {
      const ChannelList list = ParseChannelList(words);
      if (!list.ok()) return name + ": " + list.error;
      options.channels = list.mask;
      return {};
    }
    case Words::Mask: {
      if (words.size() != 1) return "set takes exactly one MASK (0 to 255, or 0x00 to 0xff)";
      const std::optional<std::uint8_t> mask = ParseMask(words.front());
      if (!mask) return "set: bad mask '" + words.front() + "' (0 to 255, or 0x00 to 0xff)";
      options.mask = *mask;
      return {};
    }
  }
  return {};
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  Options& options = parsed.options;
  Flags given;
  std::vector<std::string> words;
  bool optionsEnded = false;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      if (options.command.empty()) {
        options.command = arg;
      } else {
        words.push_back(arg);
      }
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }

    // "--name=value", "--name value", "-Xvalue" or "-X value".
    std::string name = arg;
    std::optional<std::string> attached;
    if (arg.rfind("--", 0) == 0) {
      const std::size_t eq = arg.find('=');
      if (eq != std::string::npos) {
        name = arg.substr(0, eq);
        attached = arg.substr(eq + 1);
      }
    } else if (arg.size() > 2) {
      name = arg.substr(0, 2);
      attached = arg.substr(2);
    }
    auto value = [&](std::string& out) -> bool {
      if (attached) {
        out = *attached;
        return true;
      }
      if (i + 1 >= args.size()) {
        parsed.error = name + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    auto flag = [&](bool& out) -> bool {
      if (attached) {
        parsed.error = name + " takes no value";
        return false;
      }
      out = true;
      return true;
    };

    std::string text;
    if (name == "-H" || name == "--host") {
      if (!value(text)) return parsed;
      if (text.empty()) {
        parsed.error = name + ": empty host";
        return parsed;
      }
      options.hosts.push_back(text);
    } else if (name == "-p" || name == "--port") {
      if (!value(text)) return parsed;
      const std::optional<long> port = ParseWhole(text, 1, 65535);
      if (!port) {
        parsed.error = "bad port '" + text + "' (1 to 65535)";
        return parsed;
      }
      options.port = static_cast<int>(*port);
    } else if (name == "-t" || name == "--timeout") {
      if (!value(text)) return parsed;
      const std::optional<long> ms = ParseWhole(text, 1, 600000);
      if (!ms) {
        parsed.error = "bad timeout '" + text + "' (1 to 600000 ms)";
        return parsed;
      }
      options.timeoutMs = static_cast<int>(*ms);
    } else if (name == "-r" || name == "--retries") {
      if (!value(text)) return parsed;
      const std::optional<long> retries = ParseWhole(text, 0, 100);
      if (!retries) {
        parsed.error = "bad retry count '" + text + "' (0 to 100)";
        return parsed;
      }
      options.retries = static_cast<int>(*retries);
    } else if (name == "--json") {
      if (!flag(options.json)) return parsed;
    } else if (name == "-q" || name == "--quiet") {
      if (!flag(options.quiet)) return parsed;
    } else if (name == "-h" || name == "--help") {
      if (!flag(options.help)) return parsed;
    } else if (name == "-V" || name == "--version") {
      if (!flag(options.version)) return parsed;
    } else if (name == "--delay") {
      if (!value(text)) return parsed;
      const std::optional<double> seconds = ParseSeconds(text, 0.0);
      if (!seconds) {
        parsed.error = "bad delay '" + text + "' (0 to 86400 seconds)";
        return parsed;
      }
      options.delaySeconds = *seconds;
      given.delay = true;
    } else if (name == "--interval") {
      if (!value(text)) return parsed;
      const std::optional<double> seconds = ParseSeconds(text, 0.01);
      if (!seconds) {
        parsed.error = "bad interval '" + text + "' (0.01 to 86400 seconds)";
        return parsed;
      }
      options.intervalSeconds = *seconds;
      given.interval = true;
    } else if (name == "--count") {
      if (!value(text)) return parsed;
      const std::optional<long> count = ParseWhole(text, 1, 1000000000);
      if (!count) {
        parsed.error = "bad count '" + text + "' (1 or more)";
        return parsed;
      }
      options.count = *count;
      given.count = true;
    } else if (name == "--stagger") {
      if (!value(text)) return parsed;
      const std::optional<long> ms = ParseWhole(text, 0, 3600000);
      if (!ms) {
        parsed.error = "bad stagger '" + text + "' (0 to 3600000 ms)";
        return parsed;
      }
      options.staggerMs = static_cast<int>(*ms);
      given.stagger = true;
    } else {
      parsed.error = "unknown option '" + arg + "'";
      return parsed;
    }
  }

  if (options.help || options.version) return parsed;
  parsed.error = CheckCommand(options, words, given);
  return parsed;
}

std::string UsageText() {
  return R"(Usage: relayctl [OPTIONS] COMMAND [ARGS]
Reads and switches the eight relays of a network power controller over UDP.

Commands:
  status              the eight inputs and the eight outputs, on or off, and both bytes
  inputs              the input byte (a clear bit is an input that is on)
  outputs             the output byte (a set bit is a relay that is on)
  on CH...            switch channels on   (--stagger MS: one at a time, MS apart)
  off CH...           switch channels off
  toggle CH...        flip channels
  set MASK            write the whole output byte (0 to 255, or 0x00 to 0xff)
  cycle CH...         switch channels off, wait, switch them on again
                      (--delay SECONDS, default 5; --stagger MS)
  watch               poll and print one time-stamped line per change
                      (--interval SECONDS, default 1; --count N polls, default no end)
  CH is 1 to 8, a range like 1-4, a list like 1,3,5, or all.
  on, off and toggle read the outputs first, change only the named channels, then read
  them back and print the state the controller now has.

Options:
  -H, --host HOST     controller address or name; repeat for several controllers
                      (default: $RELAYCTL_HOST, else IPV4 in ./relaypanel.ini)
  -p, --port PORT     UDP port (default 7070)
  -t, --timeout MS    wait for each reply (default 1000)
  -r, --retries N     repeat an exchange that failed, N more times (default 0)
      --json          print JSON, one object per line
  -q, --quiet         print no results, only errors
  -h, --help          print this help
  -V, --version       print the version

Exit status: 0 success; 1 no answer, refused write or read-back mismatch; 2 usage error.
)";
}

std::string VersionText() {
  return "relayctl " RELAYCTL_VERSION "\n";
}

}  // namespace relayctl
