#include "core/app/generate_command.hpp"

#include <optional>

#include "core/base/exercise_kind.hpp"
#include "core/generate/kind_heading.hpp"
#include "core/generate/sheet_loop.hpp"
#include "core/generate/sheet_settings.hpp"
#include "core/generate/validate_settings.hpp"
#include "core/word/cell_writer.hpp"
#include "core/word/office_messages.hpp"
#include "core/word/template_deploy.hpp"
#include "core/word/word_detection.hpp"

namespace kalkora {
namespace {

bool ConnectWord(WordAutomation& automation) {
  return automation.CreateApplication() && automation.AttachDocuments() &&
         automation.TakeDocumentsObject();
}

// Heading, problems and date; false when the office stopped answering on the way.
bool WriteSheet(GenerateCommandParts& parts, int sheetSize) {
  CellWriter writer(parts.office.automation, parts.clock);
  const std::optional<ExerciseKind> kind = FirstTickedKind(parts.controls);
  return (!kind || writer.BeginSheet(KindHeading(*kind))) &&
         RunSheetLoop(parts.controls, parts.state, parts.clock, sheetSize, writer) &&
         writer.FinishSheet();
}

// Everything after the settings have passed: the office's part of the run.
void RunWithOffice(GenerateCommandParts& parts) {
  OfficeParts& office = parts.office;
  if (!DetectWord(parts.controls, office.locator)) {
    parts.messages.Show(OfficeMessage(kWordMissing));
    return;
  }
  if (!ConnectWord(office.automation)) {
    parts.messages.Show(
        office.automation.ConnectionRefusal().value_or(OfficeMessage(kWordNotStarted)));
    return;
  }
  const int sheetSize = ReadSheetSettings(parts.controls).size;
  if (sheetSize == 0) return;
  if (const std::optional<UserMessage> failure =
          DeployTemplate(sheetSize, office.store, office.automation)) {
    office.automation.ReleaseDocuments();
    parts.messages.Show(*failure);
    return;
  }
  if (!WriteSheet(parts, sheetSize)) {
    office.automation.ReleaseDocuments();
    parts.messages.Show(OfficeMessage(kWordStoppedMidRun));
  }
}

// Lets go of the documents after an edge has thrown; an edge that throws again is past helping.
void ReleaseDocumentsAfterAThrow(WordAutomation& automation) noexcept {
  try {
    automation.ReleaseDocuments();
  } catch (...) {
  }
}

}  // namespace

void RunGenerateCommand(GenerateCommandParts parts) {
  if (const std::optional<UserMessage> refusal =
          ValidateSettings(ReadSheetSettings(parts.controls))) {
    parts.messages.Show(*refusal);
    return;
  }
  try {
    RunWithOffice(parts);
  } catch (...) {
    // The edges report a failed call by returning false; one that throws instead (whatever it
    // throws, UNO and COM wrappers included) has failed the same way.
    ReleaseDocumentsAfterAThrow(parts.office.automation);
    parts.messages.Show(OfficeMessage(kWordStoppedMidRun));
  }
}

}  // namespace kalkora
