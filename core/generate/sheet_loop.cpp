#include "core/generate/sheet_loop.hpp"

#include <cstdint>
#include <optional>

#include "core/generate/generate_problem.hpp"
#include "core/generate/prepare_problem.hpp"

namespace kalkora {

int ColumnsPerRow(int sheetSize) { return sheetSize / 6; }

int CellsToAdvance(int p, int sheetSize) {
  if (p == sheetSize) return 0;
  const int columns = ColumnsPerRow(sheetSize);
  return p % columns == 0 ? columns + 1 : 1;
}

bool RunSheetLoop(Controls& controls, ProgramState& state, Clock& clock, int sheetSize,
                  ProblemWriter& writer) {
  std::optional<std::uint32_t> tick;
  for (int p = 1; p <= sheetSize; ++p) {
    SheetSettings settings = ReadSheetSettings(controls);
    settings.size = sheetSize;  // the sheet being typed, whatever the radio buttons say now
    GenerationContext context{settings, state};
    tick = PrepareProblem(context, clock, tick);
    if (const std::optional<Problem> problem = GenerateProblem(context, p)) {
      if (!writer.WriteProblemText(ProblemText(*problem))) return false;
    }
    if (p < sheetSize && !writer.AdvanceCells(CellsToAdvance(p, sheetSize))) return false;
  }
  return true;
}

}  // namespace kalkora
