#pragma once

#include <string>

#include "core/base/clock.hpp"
#include "core/generate/random_generator.hpp"

namespace kalkora {

// The values that live as long as the process. The documents collection itself is held by
// the office connection (WordAutomation), which each program's main releases at exit.
struct ProgramState {
  std::string DecimalSuffix1;
  std::string DecimalSuffix2;
  std::string OperandText1;
  std::string OperandText2;
  RandomGenerator random;
};

ProgramState CreateProgramState();

// The exit step: releases the program's texts.
void ReleaseProgramState(ProgramState& state);

// The window's creation handler: the first seeding of the generator.
void OnWindowCreated(ProgramState& state, Clock& clock);

}  // namespace kalkora
