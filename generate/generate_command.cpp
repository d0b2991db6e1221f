#include "generate/generate_command.hpp"

#include <optional>

#include "app/exercise_kind.hpp"
#include "app/form_names.hpp"
#include "generate/generation_context.hpp"
#include "generate/kind_heading.hpp"
#include "generate/sheet_loop.hpp"
#include "generate/validate_settings.hpp"
#include "word/cell_writer.hpp"
#include "word/office_messages.hpp"
#include "word/template_deploy.hpp"
#include "word/word_detection.hpp"

namespace kalkora {
namespace {

bool ConnectWord(WordAutomation& automation) {
  return automation.CreateApplication() && automation.AttachDocuments() &&
         automation.TakeDocumentsObject();
}

// Heading, problems and date; false when the office stopped answering on the way.
bool WriteSheet(GenerateCommandParts& parts, int sheetSize) {
  CellWriter writer(parts.automation, parts.clock);
  const std::optional<ExerciseKind> kind = FirstTickedKind(parts.controls);
  GenerationContext context{parts.controls, parts.state, parts.clock};
  return (!kind || writer.BeginSheet(KindHeading(*kind))) &&
         RunSheetLoop(context, sheetSize, writer) && writer.FinishSheet();
}

}  // namespace

int ChosenSheetSize(Controls& controls) {
  if (IsTicked(controls, form::单选框1)) return 18;
  if (IsTicked(controls, form::单选框2)) return 24;
  if (IsTicked(controls, form::单选框3)) return 30;
  return 0;
}

void RunGenerateCommand(GenerateCommandParts parts) {
  if (const std::optional<UserMessage> refusal = ValidateSettings(parts.controls)) {
    parts.messages.Show(*refusal);
    return;
  }
  if (!DetectWord(parts.controls, parts.locator)) {
    parts.messages.Show(OfficeMessage(kWordMissing));
    return;
  }
  if (!ConnectWord(parts.automation)) {
    parts.messages.Show(OfficeMessage(kWordNotStarted));
    return;
  }
  const int sheetSize = ChosenSheetSize(parts.controls);
  if (sheetSize == 0) return;
  if (const std::optional<UserMessage> failure =
          DeployTemplate(sheetSize, parts.store, parts.automation)) {
    parts.automation.ReleaseDocuments();
    parts.messages.Show(*failure);
    return;
  }
  if (!WriteSheet(parts, sheetSize)) {
    parts.automation.ReleaseDocuments();
    parts.messages.Show(OfficeMessage(kWordStoppedMidRun));
  }
}

}  // namespace kalkora
