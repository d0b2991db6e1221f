#include "core/app/batch_preview.hpp"

#include "core/app/batch_messages.hpp"
#include "core/word/sheet_pages.hpp"

namespace kalkora {

BatchPreview PreviewBatch(const BatchDialogInput& input, const BatchChoice& choice, bool key) {
  const SheetSettings settings = WithRules(input.form, choice.rules);
  std::shared_ptr<const RuledDraw> draw;
  if (std::optional<UserMessage> refusal = SettingsRefusal(settings, draw)) {
    return {std::nullopt, std::move(*refusal)};
  }
  if (choice.firstCode && !IsSheetCode(*choice.firstCode))
    return {std::nullopt, SheetCodeMessage()};
  if (!choice.title.empty() && !TitleFits(choice.title)) {
    return {std::nullopt, TitleMessage(TitleLimit())};
  }
  const Sheet sheet =
      MakeSheet(settings, choice.firstCode.value_or(input.randomCode), input.today, draw.get());
  BatchRequest request;
  request.title = choice.title;
  request.nameLine = choice.nameLine;
  return {LayOutPage(AsRequested(key ? AnswerKeyPage(sheet) : WorksheetPage(sheet), request)), {}};
}

}  // namespace kalkora
