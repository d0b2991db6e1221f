#pragma once

#include <optional>

#include "core/base/message_box.hpp"
#include "core/generate/sheet_settings.hpp"

namespace kalkora {

// The seven checks of the form's settings, in order; the message of the first that fails, or
// nothing when the settings can make a sheet.
std::optional<UserMessage> ValidateSettings(const SheetSettings& settings);

}  // namespace kalkora
