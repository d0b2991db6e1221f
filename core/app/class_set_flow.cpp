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

BatchResult Write(ClassSetParts& parts, const BatchDialogInput& input, const BatchChoice& choice) {
  const SheetSettings settings = WithRules(input.form, choice.rules);
  const BatchRequest request{choice.sheets, choice.firstCode, choice.answers, input.today,
                             choice.path,   choice.title,     choice.nameLine};
  const bool toPdf = FormatOfPath(request.outputPath) == DocumentFormat::Pdf;
  return parts.window.WriteWithProgress(choice.sheets, toPdf, [&](const BatchProgress& progress) {
    return RunBatch(settings, request, parts.converter, progress,
                    [&input] { return input.randomCode; });
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

// One 生成 of the dialog: the set written, or the .docx instead where PDF cannot be made.
BatchSubmission Submit(ClassSetParts& parts, const BatchDialogInput& input, BatchChoice choice,
                       BatchResult& result) {
  result = Write(parts, input, choice);
  if (result.outcome == BatchOutcome::NoConverter) {
    if (!parts.window.Ask(DocxInstead(result.message))) return {false, std::nullopt};
    choice.path = WithFormatExtension(choice.path, DocumentFormat::Docx);
    if (!MayReplace(parts.window, BatchFiles(choice.path, choice.answers))) {
      return {false, std::nullopt};
    }
    result = Write(parts, input, choice);
  }
  std::optional<UserMessage> failure = ReportBatchResult(result, choice.sheets, parts.controls);
  if (!failure) return {};
  // The user stopped the run: the dialog goes with it.
  if (result.outcome == BatchOutcome::Cancelled) {
    parts.window.ShowMessage(*failure);
    return {};
  }
  return {false, std::move(failure)};
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
  const BatchDialogInput input{form, parts.clock.Now(), parts.converter != nullptr,
                               RandomSheetCode()};
  BatchResult result;
  parts.window.AskForBatch(
      input, [&](const BatchChoice& choice) { return Submit(parts, input, choice, result); });
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
  std::shared_ptr<const RuledDraw> draw;
  return SettingsRefusal(settings, draw, RuledDraw::Naming::Fields);
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
