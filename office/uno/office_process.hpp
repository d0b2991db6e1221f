#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kalkora::uno {

// How an office is started so that it accepts our connection.
struct OfficeLaunch {
  std::string program;     // the soffice program, links resolved
  std::string pipeName;    // the UNO pipe it accepts on
  std::string profileUrl;  // -env:UserInstallation; empty for the user's own profile
  bool headless = false;
  std::vector<std::string> environment = {};  // "NAME=value" for the office, over ours
};

// Starts the office in a session of its own. Runs soffice.bin beside the program when it is
// there, so that the process id is the office's own and not that of a launcher in front of it.
// None when it could not be started.
std::optional<pid_t> StartOffice(const OfficeLaunch& launch);

enum class ChildState { Running, Exited, RestartRequested, Failed };

// Looks at a started office without blocking; an exited one is reaped.
ChildState PollOffice(pid_t pid);

// An office we started, reaped by a thread of its own the moment it ends, so that it never
// lingers as a zombie. Only this one child is waited for: no SIGCHLD handler takes the statuses
// of other children (Qt's, for instance).
class OfficeChild {
 public:
  // Null when it could not be started.
  static std::shared_ptr<OfficeChild> Start(const OfficeLaunch& launch);

  pid_t Pid() const { return pid_; }
  ChildState State() const;

 private:
  struct Watch;
  OfficeChild(pid_t pid, std::shared_ptr<Watch> watch) : pid_(pid), watch_(std::move(watch)) {}

  pid_t pid_;
  std::shared_ptr<Watch> watch_;  // shared with the reaping thread
};

}  // namespace kalkora::uno
