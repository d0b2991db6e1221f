#pragma once

#include <string>

#include "app/clock.hpp"
#include "generate/random_generator.hpp"

namespace kalkora {

class WordAutomation;

// The values that live as long as the process. The documents collection itself is held by
// the office connection (WordAutomation), which the exit step releases.
struct ProgramState {
  std::string DecimalSuffix1;
  std::string DecimalSuffix2;
  std::string OperandText1;
  std::string OperandText2;
  RandomGenerator random;
};

ProgramState CreateProgramState();

// The exit step: releases the office's documents collection and application, then the texts.
void ReleaseProgramState(ProgramState& state, WordAutomation& automation);

// The window's creation handler: the first seeding of the generator.
void OnWindowCreated(ProgramState& state, Clock& clock);

}  // namespace kalkora
