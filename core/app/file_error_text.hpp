#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace kalkora {

// Why `target` could not be written, for the user: the common causes in Chinese (no such
// folder, no permission, a read-only file or disk, a full disk, a name Windows reserves, a
// folder where the file should be, ...), and the system's own text only for the rest.
std::string FileErrorText(const std::error_code& error, const std::filesystem::path& target);

// Whether a part of the path is a name Windows keeps for a device (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9, with any extension, in any case) or one it cannot keep as written (a
// name ending in a dot or a blank).
bool HasNameWindowsReserves(const std::filesystem::path& path);

}  // namespace kalkora
