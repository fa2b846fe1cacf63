#pragma once
// relayctl watch: poll the controllers and print one line per change.

#include <memory>
#include <vector>

#include "tools/relayctl/Controller.h"
#include "tools/relayctl/Format.h"
#include "tools/relayctl/Options.h"
#include "tools/relayctl/Sink.h"

namespace relayctl {

// Polls every controller in turn each interval until --count polls are done or SIGINT or
// SIGTERM arrives. Returns kFailed when some poll got no answer, else kOk.
int RunWatch(const Options& options, std::vector<std::unique_ptr<Controller>>& controllers,
             Printer& printer, Sink& err);

}  // namespace relayctl
