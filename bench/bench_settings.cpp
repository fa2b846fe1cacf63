// The cost of one IniReadString of a present key and of one IniWriteString on the file a
// first run leaves behind (made here by the window's own first start-up and close). Every
// call loads the whole file; a read of a present key loads it twice, a write loads it once
// and saves it crash-safely (temporary file, fsync, rename). Printed, no target.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/Platform.h"
#include "bench/BenchStats.h"
#include "settings/IniU.h"

namespace {

class QuietPlatform : public app::Platform {
 public:
  void ShowMessage(const std::string&, app::MessageIcon, const std::string& text) override {
    std::fprintf(stderr, "bench_settings: unexpected message: %s\n", text.c_str());
    std::exit(1);
  }
  bool OpenUrl(const std::string&) override { return false; }
  void Quit() override {}
  std::string ExecutablePath() override { return "/opt/bench/relaypanel"; }
};

}  // namespace

int main() {
  char pattern[] = "/tmp/relaypanel-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) return 1;
  const std::filesystem::path dir(pattern);
  std::filesystem::current_path(dir);

  // The first run: every key written with its design value. Nothing is sent: the start
  // and exit presets are off on a first run.
  {
    QuietPlatform platform;
    app::TForm1 form(platform);
    form.Create();
    form.Show();
    if (form.M_OnOff.Checked()) return 1;
    form.Close();
  }
  const std::string file = "relaypanel.ini";
  const auto size = std::filesystem::file_size(file);

  std::vector<double> reads;
  std::vector<double> writes;
  for (int i = 0; i < 400; ++i) {
    auto t0 = bench::Clock::now();
    const std::string value = settings::IniReadString(file, "relaypanel", "Port", "x");
    reads.push_back(bench::Micros(bench::Clock::now() - t0));
    if (value != "80") return 1;
    if (i % 4 == 0) {
      t0 = bench::Clock::now();
      settings::IniWriteString(file, "relaypanel", "Port", "80");
      writes.push_back(bench::Micros(bench::Clock::now() - t0));
    }
  }
  std::printf(
      "settings: first-run file %ju bytes; IniReadString (present key) median %.1f us "
      "(p90 %.1f); IniWriteString median %.1f us (p90 %.1f)\n",
      static_cast<std::uintmax_t>(size), bench::Median(reads), bench::Percentile(reads, 0.9),
      bench::Median(writes), bench::Percentile(writes, 0.9));
  std::filesystem::current_path("/");
  std::filesystem::remove_all(dir);
  return 0;
}
