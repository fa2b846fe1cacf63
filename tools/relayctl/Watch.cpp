#include "tools/relayctl/Watch.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>

#include "tools/relayctl/Commands.h"

namespace relayctl {

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int) {
  stopRequested = 1;
}

struct Seen {
  std::optional<std::uint8_t> inputs, outputs;  // unset until read, and after a failure
  bool failing = false;
};

// Waits one interval in short slices, so a stop request ends the wait promptly.
void Pause(double seconds) {
  using namespace std::chrono;
  const auto until =
      steady_clock::now() + duration_cast<steady_clock::duration>(duration<double>(seconds));
  while (!stopRequested) {
    const auto now = steady_clock::now();
    if (now >= until) return;
    std::this_thread::sleep_for(std::min<steady_clock::duration>(until - now, milliseconds(50)));
  }
}

void PrintState(Printer& printer, const std::string& host, std::uint8_t inputs,
                std::uint8_t outputs) {
  const std::string time = TimestampNow();
  if (printer.Json()) {
    printer.Record(host, "\"time\":" + JsonString(time) + ",\"inputs\":" + InputsJson(inputs) +
                             ",\"outputs\":" + OutputsJson(outputs));
  } else {
    printer.Line(host, time + " inputs " + std::to_string(inputs) + " " + InputWords(inputs) +
                           " outputs " + std::to_string(outputs) + " " + OutputWords(outputs));
  }
}

}  // namespace

int RunWatch(const Options& options, std::vector<std::unique_ptr<Controller>>& controllers,
             Printer& printer, Sink& err) {
  stopRequested = 0;
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);

  std::vector<Seen> seen(controllers.size());
  int code = kOk;
  for (long poll = 0; !stopRequested; ++poll) {
    if (poll > 0) {
      Pause(options.intervalSeconds);
      if (stopRequested) break;
    }
    for (std::size_t i = 0; i < controllers.size() && !stopRequested; ++i) {
      Controller& controller = *controllers[i];
      std::uint8_t inputs = 0, outputs = 0;
      const bool ok = controller.ReadInputs(inputs) && controller.ReadOutputs(outputs);
      // An exchange cut short by the stop request is not a failure of the controller.
      if (stopRequested) break;
      Seen& last = seen[i];
      if (!ok) {
        code = kFailed;
        // Said once when a controller stops answering, not on every poll.
        if (!last.failing) err << "relayctl: " << controller.Error() << '\n';
        last = Seen{std::nullopt, std::nullopt, true};
        continue;
      }
      if (last.failing) {
        err << "relayctl: " << controller.Host() << ":" << options.port << ": answering again\n";
      }
      if (last.inputs != inputs || last.outputs != outputs) {
        PrintState(printer, controller.Host(), inputs, outputs);
      }
      last = Seen{inputs, outputs, false};
    }
    if (options.count > 0 && poll + 1 >= options.count) break;
  }
  err.Flush();
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  return code;
}

}  // namespace relayctl
