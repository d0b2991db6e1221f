#include "core/app/class_set_flow.hpp"

#include <filesystem>
#include <random>

#include "core/app/batch_messages.hpp"
#include "core/app/pending_file.hpp"
#include "core/generate/kind_heading.hpp"
#include "core/generate/rule_presets.hpp"
#include "core/generate/sheet.hpp"
#include "core/generate/validate_settings.hpp"

namespace kalkora {
namespace {

BatchResult Write(ClassSetParts& parts, const SheetSettings& settings, const BatchChoice& choice,
                  const LocalDateTime& date) {
  const BatchRequest request{choice.sheets, choice.firstCode, choice.answers, date, choice.path};
  const bool toPdf = FormatOfPath(request.outputPath) == DocumentFormat::Pdf;
  return parts.window.WriteWithProgress(choice.sheets, toPdf, [&](const BatchProgress& progress) {
    return RunBatch(settings, request, parts.converter, progress, RandomSheetCode);
  });
}

Question DocxInstead(const UserMessage& noConverter) {
  return {{noConverter.text + "\n\n要改为生成 Word 文档吗？", noConverter.caption},
          "生成 .docx",
          "取消"};
}

void OpenWrittenFiles(ClassSetWindow& window, const BatchResult& result) {
  std::vector<std::string> unopened;
  for (const std::string& file : result.files) {
    if (!window.OpenFile(file)) unopened.push_back(file);
  }
  if (!unopened.empty()) window.ShowMessage(UnopenedFilesMessage(unopened));
}

}  // namespace

void RunClassSet(ClassSetParts parts) {
  const SheetSettings form = ReadSheetSettings(parts.controls);
  // The dialog is modal, so the settings cannot change while it is open: refusing them before
  // it opens spares the user filling it in for nothing.
  if (const std::optional<UserMessage> refusal = ValidateSettings(form)) {
    parts.window.ShowMessage(*refusal);
    return;
  }
  const LocalDateTime today = parts.clock.Now();
  std::optional<BatchChoice> choice =
      parts.window.AskForBatch(SettingsSummary(form), today, parts.converter != nullptr);
  if (!choice) return;
  const SheetSettings settings = WithRules(form, choice->rules);

  BatchResult result = Write(parts, settings, *choice, today);
  if (result.outcome == BatchOutcome::NoConverter &&
      parts.window.Ask(DocxInstead(result.message))) {
    choice->path = WithFormatExtension(choice->path, DocumentFormat::Docx);
    if (!MayReplace(parts.window, BatchFiles(choice->path, choice->answers))) return;
    result = Write(parts, settings, *choice, today);
  }
  if (const auto failure = ReportBatchResult(result, choice->sheets, parts.controls)) {
    parts.window.ShowMessage(*failure);
  }
  if (result.outcome == BatchOutcome::Written) OpenWrittenFiles(parts.window, result);
}

SheetSettings WithRules(const SheetSettings& form, const SheetRules& rules) {
  SheetSettings settings = form;
  settings.rules = rules;
  if (const RulePreset* preset = FindRulePreset(rules.presetName)) {
    settings.kind = preset->kind;
    settings.from = std::string(preset->from);
    settings.to = std::string(preset->to);
    settings.decimals = false;
  }
  return settings;
}

std::optional<UserMessage> RulesConflict(const SheetSettings& settings) {
  if (!AnyRuleSet(settings.rules)) return std::nullopt;
  if (const std::optional<UserMessage> refusal = ValidateSettings(settings)) return refusal;
  std::string refusal;
  if (RuledDraw::Prepare(settings, refusal)) return std::nullopt;
  return UserMessage{refusal, "提示："};
}

std::string SettingsSummary(const SheetSettings& settings) {
  std::string summary = settings.kind ? std::string(KindInfo(*settings.kind).headingWord) : "";
  summary +=
      "，每份 " + std::to_string(settings.size) + " 题，" + settings.from + " 到 " + settings.to;
  if (settings.decimals) summary += "，" + settings.places + " 位小数";
  return summary;
}

int RandomSheetCode() {
  std::random_device device;
  return std::uniform_int_distribution<int>(kFirstSheetCode, kLastSheetCode)(device);
}

std::vector<std::string> BatchFiles(const std::string& path, bool answers) {
  std::vector<std::string> files{path};
  if (answers) files.push_back(AnswerKeyPath(path));
  return files;
}

std::string WithFormatExtension(const std::string& path, DocumentFormat format) {
  if (path.empty()) return path;
  std::string stem = path;
  if (FormatOfPath(path)) {
    stem.resize(stem.size() - Utf8FromPath(PathFromUtf8(path).extension()).size());
  }
  return stem + (format == DocumentFormat::Pdf ? ".pdf" : ".docx");
}

bool MayReplace(ClassSetWindow& window, const std::vector<std::string>& files) {
  std::vector<std::string> existing;
  std::error_code error;
  for (const std::string& file : files) {
    if (std::filesystem::exists(PathFromUtf8(file), error)) existing.push_back(file);
  }
  return existing.empty() || window.Ask({ReplaceMessage(existing), "替换", "不替换", true});
}

}  // namespace kalkora
