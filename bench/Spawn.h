#pragma once
// Runs a program to its end with its output discarded, and reports how long it took from
// fork to reaping and its peak resident size.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchStats.h"

namespace bench {

struct RunResult {
  double micros = 0;
  long maxRssKiB = 0;
  int status = -1;  // exit code, or -1 when it did not exit normally
};

inline RunResult Run(const std::vector<std::string>& argv, const std::string& cwd = "") {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  // posix_spawn: the parent's side of starting a process costs the same for every program.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
  RunResult result;
  const auto start = Clock::now();
  pid_t pid = -1;
  const int rc = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  if (rc != 0 || ::wait4(pid, &status, 0, &usage) != pid) return result;
  result.micros = Micros(Clock::now() - start);
  result.maxRssKiB = usage.ru_maxrss;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace bench
