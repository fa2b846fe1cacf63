// relayctl: read and switch the controller's relays from scripts.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tools/relayctl/Commands.h"
#include "tools/relayctl/Controller.h"
#include "tools/relayctl/DefaultHost.h"
#include "tools/relayctl/Format.h"
#include "tools/relayctl/Options.h"
#include "tools/relayctl/Sink.h"
#include "tools/relayctl/Watch.h"

using namespace relayctl;

namespace {

int UsageError(const std::string& message) {
  FileSink(stderr) << "relayctl: " + message + "\nTry 'relayctl --help'.\n";
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedCommandLine parsed =
      ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.ok()) return UsageError(parsed.error);
  Options options = parsed.options;
  if (options.help) {
    FileSink(stdout) << UsageText();
    return kOk;
  }
  if (options.version) {
    FileSink(stdout) << VersionText();
    return kOk;
  }

  if (options.hosts.empty()) {
    const DefaultHost found = FindDefaultHost(std::getenv("RELAYCTL_HOST"), "relaypanel.ini");
    if (!found.error.empty()) return UsageError(found.error);
    options.hosts.push_back(found.host);
  }

  std::vector<std::unique_ptr<Controller>> controllers;
  for (const std::string& host : options.hosts) {
    controllers.push_back(
        std::make_unique<Controller>(host, options.port, options.timeoutMs, options.retries));
  }
  FileSink out(stdout);
  FileSink err(stderr);
  Printer printer(out, options.json, options.quiet, options.hosts.size() > 1);

  if (options.command == "watch") return RunWatch(options, controllers, printer, err);

  // One controller after another; the exit code is the worst of them.
  int code = kOk;
  for (const std::unique_ptr<Controller>& controller : controllers) {
    code = std::max(code, RunCommand(options, *controller, printer, err));
  }
  return code;
}
