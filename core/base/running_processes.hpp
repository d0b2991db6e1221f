#pragma once

namespace kalkora {

// Which processes run, for files that carry their writer's process id in their names.
// Implemented by the platform's edge (system/posix, system/win32).

// This process's id.
int CurrentProcessId();

// Whether a process with this id runs now (one that runs but is not ours to inspect counts).
bool ProcessIsRunning(int processId);

}  // namespace kalkora
