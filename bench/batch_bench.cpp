// Prints how long a class set of 40 sheets of 30 problems with their keys takes as .docx: in
// the core (sheets, keys and both documents' bytes in memory), through RunBatch to files, and
// as a whole kalkora-sheets process.
// usage: batch_bench KALKORA_SHEETS
#include <cstdio>
#include <filesystem>

#include "batch_timing.hpp"
#include "core/app/batch_command.hpp"
#include "core/generate/sheet_settings.hpp"
#include "core/word/sheet_pages.hpp"

int main(int argc, char** argv) {
  using namespace kalkora;
  if (argc != 2) {
    std::fprintf(stderr, "usage: batch_bench KALKORA_SHEETS\n");
    return 2;
  }
  constexpr int kSheets = 40;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kalkora-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string output = (folder / "set.docx").string();

  // Two places: the longest answers.
  const SheetSettings settings{ExerciseKind::FourOpMixed, 30, "1", "100", true, "2"};
  const LocalDateTime date{2026, 12, 9, 8, 30, 0};

  std::size_t bytes = 0;
  const bench::Figures core = bench::Time(25, [&] {
    std::vector<DocumentPage> sheets, keys;
    for (int i = 0; i < kSheets; ++i) {
      const Sheet sheet = MakeSheet(settings, SheetCode(482913, i), date);
      sheets.push_back(WorksheetPage(sheet));
      keys.push_back(AnswerKeyPage(sheet));
    }
    bytes = WriteDocx(sheets, {}).size() + WriteDocx(keys, {}).size();
  });
  std::printf(
      "core, %d sheets + keys to .docx bytes: median %.2f ms (%.2f-%.2f), processor %.2f ms, "
      "%zu bytes\n",
      kSheets, core.median, core.fastest, core.slowest, core.cpuMedian, bytes);

  BatchRequest request{kSheets, 482913, true, date, output};
  const bench::Figures batch =
      bench::Time(15, [&] { RunBatch(settings, request, nullptr, {}, [] { return 0; }); });
  std::printf(
      "RunBatch to two .docx files:            median %.2f ms (%.2f-%.2f), processor %.2f ms\n",
      batch.median, batch.fastest, batch.slowest, batch.cpuMedian);

  const std::vector<std::string> command{argv[1], "--kind",     "four-ops", "--problems",
                                         "30",    "--decimals", "2",        "--sheets",
                                         "40",    "--answers",  "--output", output};
  int status = bench::RunProgram(command);  // warms the file cache
  const bench::Figures single = bench::Time(9, [&] { status = bench::RunProgram(command); });
  std::printf("whole kalkora-sheets process (.docx):   median %.1f ms (%.1f-%.1f), exit %d\n",
              single.median, single.fastest, single.slowest, status);

  // The same set under the preset whose draw counts the most outcomes, with no repeats.
  const std::vector<std::string> ruled{
      argv[1],    "--preset", "100以内不进位加法", "--distinct", "--problems", "30",
      "--sheets", "40",       "--answers",         "--output",   output};
  status = bench::RunProgram(ruled);
  const bench::Figures rules = bench::Time(9, [&] { status = bench::RunProgram(ruled); });
  std::printf("the same under 100以内不进位加法 --distinct: median %.1f ms (%.1f-%.1f), exit %d\n",
              rules.median, rules.fastest, rules.slowest, status);
  std::filesystem::remove_all(folder);
  return status;
}
