#include "tools/relayctl/Commands.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "tools/relayctl/Channels.h"

namespace relayctl {

namespace {

class Run {
 public:
  Run(const Options& options, Controller& controller, Printer& printer, Sink& err)
      : options_(options), controller_(controller), printer_(printer), err_(err) {}

  int Status() {
    std::uint8_t inputs = 0, outputs = 0;
    if (!controller_.ReadInputs(inputs) || !controller_.ReadOutputs(outputs)) return Fail();
    if (printer_.Json()) {
      printer_.Record(Host(),
                      "\"inputs\":" + InputsJson(inputs) + ",\"outputs\":" + OutputsJson(outputs));
    } else {
      printer_.Line(Host(), "inputs " + std::to_string(inputs) + " " + InputWords(inputs));
      printer_.Line(Host(), "outputs " + std::to_string(outputs) + " " + OutputWords(outputs));
    }
    return kOk;
  }

  int Inputs() {
    std::uint8_t inputs = 0;
    if (!controller_.ReadInputs(inputs)) return Fail();
    if (printer_.Json()) {
      printer_.Record(Host(), "\"inputs\":" + InputsJson(inputs));
    } else {
      printer_.Line(Host(), std::to_string(inputs));
    }
    return kOk;
  }

  int Outputs() {
    std::uint8_t outputs = 0;
    if (!controller_.ReadOutputs(outputs)) return Fail();
    if (printer_.Json()) {
      printer_.Record(Host(), "\"outputs\":" + OutputsJson(outputs));
    } else {
      printer_.Line(Host(), std::to_string(outputs));
    }
    return kOk;
  }

  // on, off, toggle: start from what the controller has, so other channels stay as they are.
  int Change(std::uint8_t (*rule)(std::uint8_t current, std::uint8_t named)) {
    std::uint8_t current = 0;
    if (!controller_.ReadOutputs(current)) return Fail();
    return Apply(rule(current, options_.channels));
  }

  int On() {
    std::uint8_t current = 0;
    if (!controller_.ReadOutputs(current)) return Fail();
    return SwitchOn(current);
  }

  int Set() { return Apply(options_.mask); }

  int Cycle() {
    std::uint8_t current = 0;
    if (!controller_.ReadOutputs(current)) return Fail();
    std::uint8_t state = 0;
    if (!WriteAndCheck(static_cast<std::uint8_t>(current & ~options_.channels), state)) {
      return Finish(state, kFailed);
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(options_.delaySeconds));
    return SwitchOn(state);
  }

 private:
  const std::string& Host() const { return controller_.Host(); }

  int Fail() {
    err_ << "relayctl: " << controller_.Error() << '\n';
    return kFailed;
  }

  // Writes wanted and reads it back. state is what the controller reports afterwards
  // (wanted when the read-back failed, so the caller can still name it).
  bool WriteAndCheck(std::uint8_t wanted, std::uint8_t& state) {
    readBack_ = false;
    if (!controller_.WriteOutputs(wanted)) {
      Fail();
      return false;
    }
    if (!controller_.ReadOutputs(state)) {
      Fail();
      return false;
    }
    readBack_ = true;
    if (state != wanted) {
      err_ << "relayctl: " << Host() << ":" << options_.port << ": read-back shows outputs "
           << static_cast<int>(state) << ", " << static_cast<int>(wanted) << " was written\n";
      return false;
    }
    return true;
  }

  int Apply(std::uint8_t wanted) {
    std::uint8_t state = 0;
    return Finish(state, WriteAndCheck(wanted, state) ? kOk : kFailed);
  }

  // Switches the named channels on from current; with --stagger one channel per write.
  int SwitchOn(std::uint8_t current) {
    if (options_.staggerMs == 0)
      return Apply(static_cast<std::uint8_t>(current | options_.channels));
    std::uint8_t state = current;
    bool first = true;
    for (int channel : ChannelsOf(options_.channels)) {
      const std::uint8_t bit = static_cast<std::uint8_t>(1u << (channel - 1));
      if (state & bit) continue;
      if (!first) std::this_thread::sleep_for(std::chrono::milliseconds(options_.staggerMs));
      first = false;
      if (!WriteAndCheck(static_cast<std::uint8_t>(state | bit), state)) {
        return Finish(state, kFailed);
      }
    }
    // Every named channel was on already: still confirm the controller takes the state.
    if (first) return Apply(state);
    return Finish(state, kOk);
  }

  // Prints the state the controller reported, when it reported one.
  int Finish(std::uint8_t state, int code) {
    if (!readBack_) return code;
    if (printer_.Json()) {
      printer_.Record(Host(), "\"outputs\":" + OutputsJson(state));
    } else {
      printer_.Line(Host(), "outputs " + std::to_string(state) + " " + OutputWords(state));
    }
    return code;
  }

  const Options& options_;
  Controller& controller_;
  Printer& printer_;
  Sink& err_;
  bool readBack_ = false;
};

std::uint8_t OffRule(std::uint8_t current, std::uint8_t named) {
  return static_cast<std::uint8_t>(current & ~named);
}
std::uint8_t ToggleRule(std::uint8_t current, std::uint8_t named) {
  return static_cast<std::uint8_t>(current ^ named);
}

}  // namespace

int RunCommand(const Options& options, Controller& controller, Printer& printer, Sink& err) {
  Run run(options, controller, printer, err);
  const std::string& command = options.command;
  if (command == "status") return run.Status();
  if (command == "inputs") return run.Inputs();
  if (command == "outputs") return run.Outputs();
  if (command == "on") return run.On();
  if (command == "off") return run.Change(OffRule);
  if (command == "toggle") return run.Change(ToggleRule);
  if (command == "set") return run.Set();
  if (command == "cycle") return run.Cycle();
  err << "relayctl: command '" << command << "' cannot run here\n";
  return kUsage;
}

}  // namespace relayctl
