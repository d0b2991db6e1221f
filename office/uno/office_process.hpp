#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
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

}  // namespace kalkora::uno
