#pragma once
// The one-shot commands of relayctl, run on one controller.

#include "tools/relayctl/Controller.h"
#include "tools/relayctl/Format.h"
#include "tools/relayctl/Options.h"
#include "tools/relayctl/Sink.h"

namespace relayctl {

// Exit codes.
constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// Runs every command but watch on one controller. Returns kOk or kFailed; errors go to err.
int RunCommand(const Options& options, Controller& controller, Printer& printer, Sink& err);

}  // namespace relayctl
