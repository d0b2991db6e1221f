#include "core/base/running_processes.hpp"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace kalkora {

int CurrentProcessId() { return ::getpid(); }

bool ProcessIsRunning(int processId) {
  if (processId <= 0) return false;
  // Signal 0 checks only; EPERM means the process is there but another user's.
  return ::kill(processId, 0) == 0 || errno == EPERM;
}

}  // namespace kalkora
