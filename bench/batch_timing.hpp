#pragma once

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

extern char** environ;

namespace kalkora::bench {

struct Figures {
  double median;
  double fastest;
  double slowest;
  double cpuMedian;  // this process's processor time, which other programs do not inflate
};

// Milliseconds of `runs` runs of the work.
inline Figures Time(int runs, const std::function<void()>& work) {
  std::vector<double> milliseconds;
  std::vector<double> cpu;
  for (int run = 0; run < runs; ++run) {
    const std::clock_t cpuStart = std::clock();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    milliseconds.push_back(elapsed.count());
    cpu.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
  }
  if (milliseconds.empty()) return {};
  std::sort(milliseconds.begin(), milliseconds.end());
  std::sort(cpu.begin(), cpu.end());
  return {milliseconds[milliseconds.size() / 2], milliseconds.front(),
          milliseconds[milliseconds.size() - 1], cpu[cpu.size() / 2]};
}

// Runs a program to its end; its exit status, or -1.
inline int RunProgram(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace kalkora::bench
