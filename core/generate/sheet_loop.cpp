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

bool RunSheetLoop(GenerationContext& context, Clock& clock, int sheetSize, ProblemWriter& writer) {
  std::optional<std::uint32_t> tick;
  for (int p = 1; p <= sheetSize; ++p) {
    tick = PrepareProblem(context, clock, tick);
    if (const std::optional<std::string> text = GenerateProblem(context, p, sheetSize)) {
      if (!writer.WriteProblemText(*text)) return false;
    }
    if (p < sheetSize && !writer.AdvanceCells(CellsToAdvance(p, sheetSize))) return false;
  }
  return true;
}

}  // namespace kalkora
