// Prints how long a class set of 40 sheets of 30 problems with their keys takes as PDF: as a
// whole kalkora-sheets process (which starts and stops an office of its own), and through
// RunBatch with the converter's office already running.
// usage: pdf_bench KALKORA_SHEETS
#include <cstdio>
#include <filesystem>

#include "batch_timing.hpp"
#include "core/app/batch_command.hpp"
#include "core/generate/sheet_settings.hpp"
#include "office/uno/uno_document_converter.hpp"

int main(int argc, char** argv) {
  using namespace kalkora;
  if (argc != 2) {
    std::fprintf(stderr, "usage: pdf_bench KALKORA_SHEETS\n");
    return 2;
  }
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kalkora-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string output = (folder / "set.pdf").string();

  int status = 0;
  const bench::Figures process = bench::Time(3, [&] {
    status = bench::RunProgram({argv[1], "--kind", "four-ops", "--problems", "30", "--decimals",
                                "2", "--sheets", "40", "--answers", "--output", output});
  });
  std::printf(
      "whole kalkora-sheets process (PDF, office started): median %.0f ms (%.0f-%.0f), exit %d\n",
      process.median, process.fastest, process.slowest, status);

  const SheetSettings settings{ExerciseKind::FourOpMixed, 30, "1", "100", true, "2"};
  const BatchRequest request{40, 482913, true, {2026, 12, 9, 8, 30, 0}, output};
  uno::UnoDocumentConverter converter;
  BatchOutcome outcome = RunBatch(settings, request, &converter, {}, [] { return 0; }).outcome;
  const bench::Figures warm = bench::Time(
      3, [&] { outcome = RunBatch(settings, request, &converter, {}, [] { return 0; }).outcome; });
  std::printf(
      "RunBatch to two PDFs, office running:               median %.0f ms (%.0f-%.0f), %s\n",
      warm.median, warm.fastest, warm.slowest,
      outcome == BatchOutcome::Written ? "written" : "NOT written");
  std::filesystem::remove_all(folder);
  return status;
}
