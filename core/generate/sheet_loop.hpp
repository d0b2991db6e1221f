#pragma once

#include <string_view>

#include "core/base/clock.hpp"
#include "core/base/controls.hpp"
#include "core/base/problem_writer.hpp"
#include "core/generate/program_state.hpp"

namespace kalkora {

// Problems per row of the sheet's table: 3, 4 or 5 for 18, 24 or 30 problems.
int ColumnsPerRow(int sheetSize);

// Cells to move on after problem p: none after the last, across the answer row below at the
// end of a problem row, else one.
int CellsToAdvance(int p, int sheetSize);

// Prepares (seeding from the clock's ticks), generates and writes problems 1 to sheetSize in
// reading order, each from the settings the controls hold when it is prepared. Returns false
// as soon as the writer fails; nothing more is written then.
bool RunSheetLoop(Controls& controls, ProgramState& state, Clock& clock, int sheetSize,
                  ProblemWriter& writer);

}  // namespace kalkora
