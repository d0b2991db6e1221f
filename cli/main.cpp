// kalkora-sheets: a class set of worksheets, with answer keys, from the command line.
#include <iostream>
#include <memory>
#include <random>

#include "cli/progress_report.hpp"
#include "core/app/batch_command.hpp"
#include "core/app/sheets_command_line.hpp"
#include "core/base/system_clock.hpp"
#include "core/generate/sheet.hpp"

#ifdef KALKORA_WITH_UNO
#include "office/uno/uno_document_converter.hpp"
#endif

namespace {

using namespace kalkora;

// The office that turns .docx into PDF, where this build has one.
std::unique_ptr<DocumentConverter> OfficeConverter() {
#ifdef KALKORA_WITH_UNO
  return std::make_unique<uno::UnoDocumentConverter>();
#else
  return nullptr;
#endif
}

int RandomCode() {
  std::random_device device;
  return std::uniform_int_distribution<int>(kFirstSheetCode, kLastSheetCode)(device);
}

}  // namespace

int main(int argc, char** argv) {
  SystemClock clock;
  const ParsedCommandLine parsed =
      ParseSheetsCommandLine(std::vector<std::string>(argv + 1, argv + argc), clock.Now());
  switch (parsed.action) {
    case CommandLineAction::Help:
      std::cout << SheetsHelp();
      return 0;
    case CommandLineAction::Version:
      std::cout << "kalkora-sheets " KALKORA_VERSION "\n";
      return 0;
    case CommandLineAction::UsageError:
      std::cerr << "kalkora-sheets: " << parsed.error << '\n' << SheetsUsage();
      return BatchExitCode(BatchOutcome::UsageError);
    case CommandLineAction::Run:
      break;
  }

  SettingsControls settings;
  ApplySettings(parsed.options, settings);
  cli::ProgressLine progress(std::cerr);
  const std::unique_ptr<DocumentConverter> office =
      FormatOfPath(parsed.options.request.outputPath) == DocumentFormat::Pdf ? OfficeConverter()
                                                                             : nullptr;
  std::unique_ptr<cli::ReportingConverter> converter;
  if (office) converter = std::make_unique<cli::ReportingConverter>(*office, progress);

  const BatchResult result = RunBatch(
      settings, parsed.options.request, converter.get(),
      [&progress](int done, int total) { return progress.Update(done, total); }, RandomCode);
  progress.Finish();
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
