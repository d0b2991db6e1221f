#include "core/word/template_deploy.hpp"

#include "core/word/office_messages.hpp"

namespace kalkora {

std::optional<UserMessage> DeployTemplate(int sheetSize, TemplateStore& store,
                                          WordAutomation& automation) {
  const TemplateWrite written = store.Write(sheetSize);
  if (!written.written) return OfficeMessage(kTemplateNotWritten, written.path);
  if (!automation.AddDocument(written.path)) return OfficeMessage(kTemplateNotOpened, written.path);
  if (!automation.ShowApplication()) return OfficeMessage(kWordStoppedMidRun);
  return std::nullopt;
}

}  // namespace kalkora
