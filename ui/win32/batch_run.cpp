#include "ui/win32/batch_run.hpp"

#include <shellapi.h>

#include <random>
#include <string>

#include "core/app/batch_command.hpp"
#include "core/app/batch_messages.hpp"
#include "core/app/form_table.hpp"
#include "core/app/generate_command.hpp"
#include "core/app/settings_controls.hpp"
#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/sheet.hpp"
#include "core/generate/validate_settings.hpp"
#include "system/win32/utf16.hpp"
#include "ui/win32/batch_dialog.hpp"
#include "ui/win32/batch_file.hpp"
#include "ui/win32/batch_progress.hpp"

namespace kalkora::win32 {
namespace {

// The settings a class set is made from, in words: "加法运算题，每份 18 题，1 到 100".
std::string SettingsSummary(Controls& controls) {
  const std::optional<ExerciseKind> kind = FirstTickedKind(controls);
  std::string summary = (kind ? std::string(KindInfo(*kind).headingWord) : std::string()) +
                        "，每份 " + std::to_string(ChosenSheetSize(controls)) + " 题，" +
                        controls.ReadText(form::编辑框1) + " 到 " +
                        controls.ReadText(form::编辑框2);
  if (IsTicked(controls, form::单选框5)) {
    summary += "，" + controls.ReadText(form::编辑框3) + " 位小数";
  }
  return summary;
}

// The window's settings copied into memory, for the thread that writes the set.
SettingsControls SettingsOf(Controls& window) {
  SettingsControls settings;
  for (const ControlSpec& item : MainForm().controls) {
    if (item.kind == ControlKind::CheckBox) {
      settings.WriteState(item.name, window.ReadState(item.name));
    } else if (item.kind == ControlKind::RadioButton && window.ReadState(item.name) == 1) {
      settings.Select(item.name);
    } else if (item.kind == ControlKind::EditBox) {
      settings.WriteText(item.name, window.ReadText(item.name));
    }
  }
  return settings;
}

int RandomSheetCode() {
  std::random_device device;
  return std::uniform_int_distribution<int>(kFirstSheetCode, kLastSheetCode)(device);
}

BatchResult Write(HWND window, HINSTANCE instance, BatchRunParts& parts, const BatchChoice& choice,
                  const LocalDateTime& date) {
  SettingsControls settings = SettingsOf(parts.controls);
  const BatchRequest request{choice.sheets, choice.firstCode, choice.answers, date, choice.path};
  const bool toPdf = FormatOfPath(request.outputPath) == DocumentFormat::Pdf;
  return WriteWithProgress(window, instance, toPdf, [&](const BatchProgress& progress) {
    return RunBatch(settings, request, parts.converter, progress, RandomSheetCode);
  });
}

// Offers the set as a Word document when nothing can make the PDF; true when taken.
bool TakesDocxInstead(HWND window, const UserMessage& noConverter) {
  const std::wstring text = ToUtf16(noConverter.text + "\n\n要改为生成 Word 文档吗？");
  return ::MessageBoxW(window, text.c_str(), ToUtf16(noConverter.caption).c_str(),
                       MB_YESNO | MB_ICONWARNING) == IDYES;
}

// Each file in whatever the system opens it with: Word, another office or WordPad.
void OpenWrittenFiles(HWND window, const BatchResult& result, MessageBox& messages) {
  std::string unopened;
  for (const std::string& file : result.files) {
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteW(window, L"open", ToUtf16(file).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32) unopened += "\n" + file;
  }
  if (!unopened.empty()) {
    messages.Show({"题卡已保存，但没有找到打开它的程序：" + unopened, kBatchCaption});
  }
}

}  // namespace

void RunBatchFromWindow(HWND window, HINSTANCE instance, BatchRunParts parts) {
  // The dialog is modal, so the settings cannot change while it is open: refusing them before
  // it opens spares the user filling it in for nothing.
  if (const std::optional<UserMessage> refusal = ValidateSettings(parts.controls)) {
    parts.messages.Show(*refusal);
    return;
  }
  const LocalDateTime today = parts.clock.Now();
  std::optional<BatchChoice> choice = AskForBatch(window, instance, SettingsSummary(parts.controls),
                                                  today, parts.converter != nullptr);
  if (!choice) return;

  BatchResult result = Write(window, instance, parts, *choice, today);
  if (result.outcome == BatchOutcome::NoConverter && TakesDocxInstead(window, result.message)) {
    choice->path = WithFormatExtension(choice->path, DocumentFormat::Docx);
    if (!MayReplace(window, BatchFiles(choice->path, choice->answers))) return;
    result = Write(window, instance, parts, *choice, today);
  }
  if (const auto failure = ReportBatchResult(result, choice->sheets, parts.controls)) {
    parts.messages.Show(*failure);
  }
  if (result.outcome == BatchOutcome::Written) OpenWrittenFiles(window, result, parts.messages);
}

}  // namespace kalkora::win32
