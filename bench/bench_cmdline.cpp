// The whole process `relayctl status` (two exchanges) against a minimal C client doing the
// same two exchanges and against a Python standard-library script doing the same, all
// against one relaysim on loopback, runs interleaved. Medians of the wall time from fork to
// reaping.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchStats.h"
#include "bench/Spawn.h"

namespace {

constexpr int kRuns = 60;

struct Sim {
  pid_t pid = -1;
  int in = -1;
  std::string port;
};

Sim StartSim() {
  int in[2];
  int out[2];
  if (::pipe(in) != 0 || ::pipe(out) != 0) std::exit(1);
  Sim sim;
  sim.pid = ::fork();
  if (sim.pid == 0) {
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    ::close(in[1]);
    ::close(out[0]);
    ::execl(RELAYSIM, RELAYSIM, "--bind", "127.0.0.1", "--port", "0", "--quiet", "--outputs",
            "0xA5", "--inputs", "0x5A", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  sim.in = in[1];
  std::string line;
  char c;
  while (::read(out[0], &c, 1) == 1 && c != '\n') line += c;
  ::close(out[0]);
  const std::size_t colon = line.rfind(':');
  if (line.rfind("relaysim listening on 127.0.0.1:", 0) != 0 || colon == std::string::npos) {
    std::fprintf(stderr, "bench_cmdline: relaysim did not start: %s\n", line.c_str());
    std::exit(1);
  }
  sim.port = line.substr(colon + 1);
  return sim;
}

}  // namespace

int main() {
  const Sim sim = StartSim();
  const std::vector<std::string> relayctl = {RELAYCTL, "-H", "127.0.0.1", "-p", sim.port, "status"};
  const std::vector<std::string> client = {MINIMAL_CLIENT, "127.0.0.1", sim.port};
  const std::vector<std::string> python = {PYTHON3, STATUS_PY, "127.0.0.1", sim.port};

  std::vector<double> tRelayctl;
  std::vector<double> tClient;
  std::vector<double> tPython;
  int failures = 0;
  // One unmeasured round loads every program into the page cache.
  for (const auto* argv : {&relayctl, &client, &python}) failures += bench::Run(*argv).status != 0;
  // The order turns every round, so no program always runs right after the Python
  // interpreter has swept the caches.
  const std::array<const std::vector<std::string>*, 3> programs = {&relayctl, &client, &python};
  const std::array<std::vector<double>*, 3> times = {&tRelayctl, &tClient, &tPython};
  for (int i = 0; i < kRuns; ++i) {
    for (int k = 0; k < 3; ++k) {
      const int which = (i + k) % 3;
      const bench::RunResult r = bench::Run(*programs[which]);
      failures += r.status != 0;
      times[which]->push_back(r.micros);
    }
  }
  ::kill(sim.pid, SIGTERM);
  ::waitpid(sim.pid, nullptr, 0);

  const double r = bench::Median(tRelayctl);
  const double c = bench::Median(tClient);
  const double p = bench::Median(tPython);
  std::printf(
      "command line: relayctl status median %.0f us, minimal C client %.0f us, Python "
      "script %.0f us (%d runs each, interleaved, %d failures)\n",
      r, c, p, kRuns, failures);
  bool ok = bench::VerdictAtMost("command line vs C", r / c, 1.3);
  ok = bench::VerdictAtLeast("command line vs Python", p / r, 10.0) && ok;
  return ok && failures == 0 ? 0 : 1;
}
