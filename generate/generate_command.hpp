#pragma once

#include "app/clock.hpp"
#include "app/controls.hpp"
#include "app/message_box.hpp"
#include "app/program_state.hpp"
#include "word/office_locator.hpp"
#include "word/template_store.hpp"
#include "word/word_automation.hpp"

namespace kalkora {

// Everything one click of the generate button works with.
struct GenerateCommandParts {
  Controls& controls;
  ProgramState& state;
  Clock& clock;
  MessageBox& messages;
  WordAutomation& automation;
  OfficeLocator& locator;
  TemplateStore& store;
};

// One whole worksheet run: validation, detection, connection, template, heading, problems,
// date. A refusal or an office failure shows one message and ends the run; nothing is typed
// once the office has failed.
void RunGenerateCommand(GenerateCommandParts parts);

// The sheet size chosen by the radio buttons 单选框1 to 单选框3; 0 when none is selected.
int ChosenSheetSize(Controls& controls);

}  // namespace kalkora
