#pragma once

#include "core/base/clock.hpp"
#include "core/base/controls.hpp"
#include "core/base/message_box.hpp"
#include "core/base/office_locator.hpp"
#include "core/base/template_store.hpp"
#include "core/base/word_automation.hpp"
#include "core/generate/program_state.hpp"

namespace kalkora {

// The word processor's side of a run: its automation, where it is installed and where its
// templates are written. Each program's main chooses them; both windows hand them to every run.
struct OfficeParts {
  WordAutomation& automation;
  OfficeLocator& locator;
  TemplateStore& store;
};

// Everything one click of the generate button works with.
struct GenerateCommandParts {
  Controls& controls;
  ProgramState& state;
  Clock& clock;
  MessageBox& messages;
  OfficeParts office;
};

// One whole worksheet run: validation, detection, connection, template, heading, problems,
// date. A refusal or an office failure shows one message and ends the run; nothing is typed
// once the office has failed. An exception escaping an office edge ends the run as a failed
// call would, with the mid-run message; it never reaches the window.
void RunGenerateCommand(GenerateCommandParts parts);

}  // namespace kalkora
