#pragma once

#include "core/base/clock.hpp"
#include "core/base/controls.hpp"
#include "core/base/message_box.hpp"
#include "core/generate/program_state.hpp"
#include "core/base/office_locator.hpp"
#include "core/base/template_store.hpp"
#include "core/base/word_automation.hpp"

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
