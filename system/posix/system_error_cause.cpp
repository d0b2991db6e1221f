#include "core/base/system_error_cause.hpp"

namespace kalkora {

// POSIX reports errno values, which the standard library maps itself.
std::error_condition SystemErrorCause(const std::error_code& error) {
  return error.default_error_condition();
}

}  // namespace kalkora
