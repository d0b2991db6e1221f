#include "core/base/system_error_cause.hpp"

#include <windows.h>

namespace kalkora {

std::error_condition SystemErrorCause(const std::error_code& error) {
  if (error.category() != std::system_category()) return error.default_error_condition();
  switch (static_cast<DWORD>(error.value())) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
      return std::errc::no_such_file_or_directory;
    case ERROR_ACCESS_DENIED:
      return std::errc::permission_denied;
    case ERROR_WRITE_PROTECT:
      return std::errc::read_only_file_system;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return std::errc::device_or_resource_busy;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
      return std::errc::no_space_on_device;
    case ERROR_FILENAME_EXCED_RANGE:
      return std::errc::filename_too_long;
    case ERROR_INVALID_NAME:
      return std::errc::invalid_argument;
    case ERROR_DIRECTORY:
      return std::errc::not_a_directory;
    default:
      return error.default_error_condition();
  }
}

}  // namespace kalkora
