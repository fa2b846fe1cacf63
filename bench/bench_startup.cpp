// Start-up: the real start-up path of relaypanel (the same TForm1, binding and settings
// load, on the offscreen platform) from process start to the first paint of the main window
// and out, against the bare Qt window with the same widgets, runs interleaved. Twice: with
// an existing settings file, and on a first run (no file: every key written as it is read,
// each write a crash-safe save). Also the peak resident size of both.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchStats.h"
#include "bench/Spawn.h"
#include "settings/IniU.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 20;

}  // namespace

int main() {
  char pattern[] = "/tmp/relaypanel-startup-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) return 1;
  const fs::path root(pattern);
  const fs::path existing = root / "existing";
  const fs::path first = root / "first";
  fs::create_directories(existing);
  fs::create_directories(first);
  const std::vector<std::string> panel = {RELAYPANEL_EXE};
  const std::vector<std::string> bare = {BARE_EXE};

  // The existing file is the one a first run leaves, pointed at loopback.
  if (bench::Run(panel, existing.string()).status != 0) {
    std::fprintf(stderr, "bench_startup: relaypanel did not start\n");
    return 1;
  }
  const std::string ini = (existing / "relaypanel.ini").string();
  if (!fs::exists(ini)) {
    std::fprintf(stderr, "bench_startup: the first run wrote no settings file\n");
    return 1;
  }
  settings::IniWriteString(ini, "relaypanel", "IPV4", "127.0.0.1");
  const auto fileSize = fs::file_size(ini);

  int failures = bench::Run(bare).status != 0;
  std::vector<double> tExisting, tFirst, tBare, rssPanel, rssBare;
  for (int i = 0; i < kRounds; ++i) {
    const bench::RunResult a = bench::Run(panel, existing.string());
    const bench::RunResult b = bench::Run(bare);
    fs::remove(first / "relaypanel.ini");
    const bench::RunResult c = bench::Run(panel, first.string());
    const bench::RunResult d = bench::Run(bare);
    failures += (a.status != 0) + (b.status != 0) + (c.status != 0) + (d.status != 0);
    failures += !fs::exists(first / "relaypanel.ini");
    tExisting.push_back(a.micros / 1000);
    tFirst.push_back(c.micros / 1000);
    tBare.push_back(b.micros / 1000);
    tBare.push_back(d.micros / 1000);
    rssPanel.push_back(static_cast<double>(a.maxRssKiB));
    rssBare.push_back(static_cast<double>(b.maxRssKiB));
    rssBare.push_back(static_cast<double>(d.maxRssKiB));
  }
  fs::remove_all(root);

  const double e = bench::Median(tExisting);
  const double f = bench::Median(tFirst);
  const double b = bench::Median(tBare);
  const double mp = bench::Median(rssPanel);
  const double mb = bench::Median(rssBare);
  std::printf(
      "start-up: to first paint and out, medians of %d runs each, interleaved: relaypanel "
      "with its settings file (%ju bytes) %.1f ms, on a first run %.1f ms, bare Qt window "
      "%.1f ms; %d failures\n",
      kRounds, static_cast<std::uintmax_t>(fileSize), e, f, b, failures);
  std::printf("memory: peak resident size relaypanel %.0f KiB, bare Qt window %.0f KiB\n", mp, mb);
  bool ok = bench::VerdictAtMost("start-up", e / b, 1.25);
  std::printf("(first run: %.1f ms over the bare window; the limit is 25 ms)\n", f - b);
  ok = bench::VerdictAtMost("start-up first run", f / b, (b + 25.0) / b) && ok;
  ok = bench::VerdictAtMost("memory", mp / mb, 1.15) && ok;
  return ok && failures == 0 ? 0 : 1;
}
