// kalkora-sheets: a class set of worksheets, with answer keys, from the command line.
#include <functional>
#include <iostream>
#include <memory>

#include "cli/progress_report.hpp"
#include "core/app/batch_command.hpp"
#include "core/app/class_set_flow.hpp"
#include "core/app/sheets_command_line.hpp"
#include "core/base/system_clock.hpp"
#include "core/generate/rule_presets.hpp"
#include "core/generate/sheet.hpp"

#include "cli/interruption.hpp"
#include "cli/windows_console.hpp"
#ifdef KALKORA_WITH_UNO
#include "office/uno/uno_document_converter.hpp"
#endif
#ifdef _WIN32
#include "office/com/word_document_converter.hpp"
#endif

namespace {

using namespace kalkora;

// The office that turns .docx into PDF, where this build has one, and how to stop it at once.
struct Office {
  std::unique_ptr<DocumentConverter> converter;
  std::function<void()> abort = [] {};
};

Office OfficeConverter() {
#ifdef KALKORA_WITH_UNO
  auto converter = std::make_unique<uno::UnoDocumentConverter>();
  uno::UnoDocumentConverter* const office = converter.get();
  return {std::move(converter), [office] { office->Abort(); }};
#elif defined(_WIN32)
  if (!com::WordIsRegistered()) return {};
  return {std::make_unique<com::WordDocumentConverter>(com::CreateWordApplication)};
#else
  return {};
#endif
}

}  // namespace

int main(int argc, char** argv) {
  [[maybe_unused]] const cli::ConsoleOutput console{};
  SystemClock clock;
  const ParsedCommandLine parsed =
      ParseSheetsCommandLine(cli::CommandLineArguments(argc, argv), clock.Now());
  switch (parsed.action) {
    case CommandLineAction::Help:
      std::cout << SheetsHelp();
      return 0;
    case CommandLineAction::Version:
      std::cout << "kalkora-sheets " KALKORA_VERSION "\n";
      return 0;
    case CommandLineAction::ListPresets:
      std::cout << RulePresetTable();
      return 0;
    case CommandLineAction::UsageError:
      std::cerr << "kalkora-sheets: " << parsed.error << '\n' << SheetsUsage();
      return BatchExitCode(BatchOutcome::UsageError);
    case CommandLineAction::Run:
      break;
  }

  const SheetSettings settings = SettingsOf(parsed.options);
  cli::ProgressLine progress(std::cerr);
  const Office office = FormatOfPath(parsed.options.request.outputPath) == DocumentFormat::Pdf
                            ? OfficeConverter()
                            : Office{};
  std::unique_ptr<cli::ReportingConverter> converter;
  if (office.converter) {
    converter = std::make_unique<cli::ReportingConverter>(*office.converter, progress);
  }
  // Made before any thread of the office's runtime, so that none of them takes the signals.
  const cli::Interruption interruption(office.abort);
  const auto interrupted = [&interruption] { return interruption.Happened(); };

  const BatchResult result = RunBatch(
      settings, parsed.options.request, converter.get(),
      [&](int done, int total) { return !interrupted() && progress.Update(done, total); },
      RandomSheetCode);
  progress.Finish();
  if (result.outcome != BatchOutcome::Written && interrupted()) {
    std::cerr << "kalkora-sheets: 已中断，没有写入文件。\n";
    return 130;
  }
  switch (result.outcome) {
    case BatchOutcome::Written:
      break;
    case BatchOutcome::Refused:
      // The refusal exactly as the window shows it.
      std::cerr << result.message.text << '\n';
      break;
    case BatchOutcome::UsageError:
      std::cerr << "kalkora-sheets: " << result.message.text << '\n' << SheetsUsage();
      break;
    default:
      std::cerr << "kalkora-sheets: " << result.message.text << '\n';
      break;
  }
  return BatchExitCode(result.outcome);
}
