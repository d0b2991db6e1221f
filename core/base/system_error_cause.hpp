#pragma once

#include <system_error>

namespace kalkora {

// The portable cause (a std::errc) of an error the file system reported. On Windows the
// system's own codes (access denied, a full disk, a sharing violation, ...) are not all known
// to the standard library as std::errc; the platform's edge (system/posix, system/win32) maps
// them.
std::error_condition SystemErrorCause(const std::error_code& error);

}  // namespace kalkora
