#pragma once

#include <optional>

#include "core/base/controls.hpp"
#include "core/base/message_box.hpp"

namespace kalkora {

// The seven checks of the window's settings, in order; the message of the first that fails,
// or nothing when the settings can make a sheet.
std::optional<UserMessage> ValidateSettings(Controls& controls);

}  // namespace kalkora
