#include "core/base/running_processes.hpp"

#include <windows.h>

namespace kalkora {

int CurrentProcessId() { return static_cast<int>(::GetCurrentProcessId()); }

bool ProcessIsRunning(int processId) {
  if (processId <= 0) return false;
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours
  // A process that has ended keeps its object while handles to it remain: ask whether it ended.
  const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  ::CloseHandle(process);
  return running;
}

}  // namespace kalkora
