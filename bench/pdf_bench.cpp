// Prints how long a class set of 40 sheets of 30 problems with their keys takes as PDF, drawn
// by the Qt page painter: as a whole kalkora-sheets process, and the pages alone through
// RunBatch in this process.
// usage: pdf_bench KALKORA_SHEETS
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "batch_timing.hpp"
#include "core/app/batch_command.hpp"
#include "core/generate/sheet_settings.hpp"
#include "paint/qt/offscreen_application.hpp"
#include "paint/qt/qt_pdf_writer.hpp"

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
  const bench::Figures process = bench::Time(7, [&] {
    status = bench::RunProgram({argv[1], "--kind", "four-ops", "--problems", "30", "--decimals",
                                "2", "--sheets", "40", "--answers", "--output", output});
  });
  std::printf("whole kalkora-sheets process, 80 PDF pages: median %.0f ms (%.0f-%.0f), exit %d\n",
              process.median, process.fastest, process.slowest, status);

  int appArgc = 1;
  const auto application = qt::MakeOffscreenApplication(appArgc, argv);
  const SheetSettings settings{ExerciseKind::FourOpMixed, 30, "1", "100", true, "2"};
  const BatchRequest request{40, 482913, true, {2026, 12, 9, 8, 30, 0}, output};
  qt::QtPdfWriter writer;
  BatchOutcome outcome = BatchOutcome::NotWritten;
  const bench::Figures inProcess = bench::Time(
      7, [&] { outcome = RunBatch(settings, request, &writer, {}, [] { return 0; }).outcome; });
  std::printf("RunBatch to two PDFs in this process:       median %.0f ms (%.0f-%.0f), %s\n",
              inProcess.median, inProcess.fastest, inProcess.slowest,
              outcome == BatchOutcome::Written ? "written" : "NOT written");
  std::filesystem::remove_all(folder);
  return status;
}
