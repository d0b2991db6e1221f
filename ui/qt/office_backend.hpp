#pragma once

#include <optional>

#include "core/base/message_box.hpp"
#include "core/base/office_locator.hpp"
#include "core/base/template_store.hpp"
#include "core/base/word_automation.hpp"

namespace kalkora::qt {

// The word processor that the generate button drives. When this build can drive none,
// `unavailable` says so and the button shows it instead of starting a run.
struct OfficeBackend {
  WordAutomation& automation;
  OfficeLocator& locator;
  TemplateStore& store;
  std::optional<UserMessage> unavailable = std::nullopt;
};

}  // namespace kalkora::qt
