#pragma once

#include <optional>

#include "core/base/message_box.hpp"
#include "core/base/template_store.hpp"
#include "core/base/word_automation.hpp"

namespace kalkora {

// Writes the template of the sheet size, has the office add a new document from it and shows
// the office. Returns the message that ends the run when a step fails, else nothing.
std::optional<UserMessage> DeployTemplate(int sheetSize, TemplateStore& store,
                                          WordAutomation& automation);

}  // namespace kalkora
