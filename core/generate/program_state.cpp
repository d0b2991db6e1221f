#include "core/generate/program_state.hpp"

namespace kalkora {

ProgramState CreateProgramState() { return {}; }

void ReleaseProgramState(ProgramState& state) {
  state.DecimalSuffix1.clear();
  state.DecimalSuffix2.clear();
  state.OperandText1.clear();
  state.OperandText2.clear();
}

void OnWindowCreated(ProgramState& state, Clock& clock) { state.random.Seed(clock.TickCount()); }

}  // namespace kalkora
