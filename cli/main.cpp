// kalkora-sheets: a class set of worksheets, with answer keys, from the command line.
#include <cerrno>
#include <functional>
#include <iostream>
#include <memory>

#include "cli/progress_report.hpp"
#include "core/app/batch_command.hpp"
#include "core/app/class_set_flow.hpp"
#include "core/app/file_error_text.hpp"
#include "core/app/sheets_command_line.hpp"
#include "core/base/system_clock.hpp"
#include "core/generate/rule_presets.hpp"
#include "core/generate/sheet.hpp"

#include "cli/interruption.hpp"
#include "cli/windows_console.hpp"
#ifdef KALKORA_WITH_QT
#include "paint/qt/offscreen_application.hpp"
#include "paint/qt/qt_pdf_writer.hpp"
#endif
#ifdef _WIN32
#include "office/com/word_pdf_writer.hpp"
#include "paint/win32/printer_pdf_writer.hpp"
#endif

namespace {

using namespace kalkora;

// What writes PDF in this build: Qt's painter where it has one; on Windows the PDF printer
// where it is installed, else Word's export; null where there is none.
std::unique_ptr<PdfWriter> MakePdfWriter() {
#ifdef KALKORA_WITH_QT
  return std::make_unique<qt::QtPdfWriter>();
#elif defined(_WIN32)
  if (win32::PdfPrinterInstalled()) return std::make_unique<win32::PrinterPdfWriter>();
  if (!com::WordIsRegistered()) return nullptr;
  return std::make_unique<com::WordPdfWriter>(com::CreateWordApplication);
#else
  return nullptr;
#endif
}

// Writes to standard output; a text that cannot be written whole (a full disk, a closed pipe)
// is a failure to write, exit code 3.
int Print(const std::string& text) {
  errno = 0;
  std::cout << text << std::flush;
  if (std::cout) return 0;
  const std::error_code error = errno != 0 ? std::error_code(errno, std::generic_category())
                                           : std::make_error_code(std::errc::io_error);
  std::cerr << "kalkora-sheets: 无法写出到标准输出（" << FileErrorText(error, {}) << "）\n";
  return BatchExitCode(BatchOutcome::NotWritten);
}

}  // namespace

int main(int argc, char** argv) {
  [[maybe_unused]] const cli::ConsoleOutput console{};
  // Made before any other thread, so that none of them takes the signals.
  const cli::Interruption interruption([] {});
  const auto interrupted = [&interruption] { return interruption.Happened(); };
  SystemClock clock;
  const ParsedCommandLine parsed =
      ParseSheetsCommandLine(cli::CommandLineArguments(argc, argv), clock.Now());
  switch (parsed.action) {
    case CommandLineAction::Help:
      return Print(SheetsHelp());
    case CommandLineAction::Version:
      return Print("kalkora-sheets " KALKORA_VERSION "\n");
    case CommandLineAction::ListPresets:
      return Print(RulePresetTable());
    case CommandLineAction::UsageError:
      std::cerr << "kalkora-sheets: " << parsed.error << '\n' << SheetsUsage();
      return BatchExitCode(BatchOutcome::UsageError);
    case CommandLineAction::Run:
      break;
  }

  const SheetSettings settings = SettingsOf(parsed.options);
  cli::ProgressLine progress(std::cerr);
  const bool pdfWanted = FormatOfPath(parsed.options.request.outputPath) == DocumentFormat::Pdf;
#ifdef KALKORA_WITH_QT
  // The painter's fonts and PDF need Qt's application object: no display, no windows.
  const auto application = pdfWanted ? qt::MakeOffscreenApplication(argc, argv) : nullptr;
#endif
  const std::unique_ptr<PdfWriter> pdf = pdfWanted ? MakePdfWriter() : nullptr;

  const BatchResult result = RunBatch(
      settings, parsed.options.request, pdf.get(),
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
