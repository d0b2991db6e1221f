#pragma once

#include <optional>

#include "app/message_box.hpp"
#include "word/template_store.hpp"
#include "word/word_automation.hpp"

namespace kalkora {

// Writes the template of the sheet size, has the office add a new document from it and shows
// the office. Returns the message that ends the run when a step fails, else nothing.
std::optional<UserMessage> DeployTemplate(int sheetSize, TemplateStore& store,
                                          WordAutomation& automation);

}  // namespace kalkora
