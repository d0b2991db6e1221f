#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "office/uno/office_process.hpp"

namespace kalkora::uno {

// True when a window can be shown: X11 or Wayland is there.
bool HasDisplay();
// The pipe this user's Kalkora shares with its office: "kalkora-<uid>".
std::string DefaultPipeName();

struct UnoOfficeOptions {
  std::string pipeName = DefaultPipeName();
  std::string profileUrl;  // -env:UserInstallation for a started office; empty: the user's
  bool headless = !HasDisplay();
  // Where the templates that sheets are made from are kept: a document of ours is one made
  // from a template there.
  std::string templateFolder;
  std::string officeProgram;  // soffice to start; empty: the one on the search path
  std::chrono::milliseconds connectTimeout{30000};
};

// What the connections to one office share (the time limit gives each of its workers a
// connection of its own): how the office is reached and started, and the office we started.
// Safe from any thread.
class OfficeSession {
 public:
  explicit OfficeSession(UnoOfficeOptions options) : options_(std::move(options)) {}

  const UnoOfficeOptions& Options() const { return options_; }

  // The process id of the office we started, while it runs.
  std::optional<pid_t> RunningPid();
  // The office we started if it still runs (it may still be coming up: it is waited for, not
  // started twice), else a newly started one; null when none could be started.
  std::shared_ptr<OfficeChild> StartUnlessRunning(const OfficeLaunch& launch);

 private:
  const UnoOfficeOptions options_;
  std::mutex mutex_;
  std::shared_ptr<OfficeChild> child_;
};

}  // namespace kalkora::uno
