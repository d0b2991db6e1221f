#pragma once

#include "core/app/batch_memory.hpp"

namespace kalkora::qt {

// The batch dialog's last choices in the user's settings (QSettings: organisation "Kalkora",
// application "kalkora", group "batch"): the defaults when nothing is stored yet.
BatchMemory LoadBatchMemory();
void SaveBatchMemory(const BatchMemory& memory);

}  // namespace kalkora::qt
