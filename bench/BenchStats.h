#pragma once
// Medians and the one-line verdict every benchmark ends with. The machine is noisy: every
// figure is a median, and every target a ratio against a baseline from the same run.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Micros(Clock::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t i = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
  return values[i];
}

// "NAME: ratio X (target <= Y) ok" or "... over", alone on its line.
inline bool VerdictAtMost(const std::string& name, double ratio, double target) {
  const bool ok = ratio <= target;
  std::printf("%s: ratio %.2f (target <= %.2f) %s\n", name.c_str(), ratio, target,
              ok ? "ok" : "over");
  return ok;
}

// For "at least N times faster": the ratio is how many times faster we are.
inline bool VerdictAtLeast(const std::string& name, double ratio, double target) {
  const bool ok = ratio >= target;
  std::printf("%s: ratio %.2f (target >= %.2f) %s\n", name.c_str(), ratio, target,
              ok ? "ok" : "over");
  return ok;
}

}  // namespace bench
