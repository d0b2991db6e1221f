#pragma once

#include "core/app/batch_memory.hpp"

namespace kalkora::win32 {

// Where the batch dialog keeps its last choices: string values under HKEY_CURRENT_USER.
inline constexpr wchar_t kBatchMemoryKey[] = L"Software\\Kalkora\\Batch";

// The batch dialog's last choices: the defaults when nothing is stored yet.
BatchMemory LoadBatchMemory();
void SaveBatchMemory(const BatchMemory& memory);

}  // namespace kalkora::win32
