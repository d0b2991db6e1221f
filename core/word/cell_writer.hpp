#pragma once

#include <string_view>

#include "core/base/clock.hpp"
#include "core/base/problem_writer.hpp"
#include "core/base/word_automation.hpp"

namespace kalkora {

// Puts a sheet's texts into the document just made from a template, moving the office's
// selection: the heading into paragraph 3, one problem per cell, the date below the table.
// Every step returns false as soon as an automation call fails.
class CellWriter : public ProblemWriter {
 public:
  CellWriter(WordAutomation& automation, Clock& clock) : automation_(automation), clock_(clock) {}

  bool BeginSheet(std::string_view heading);
  bool WriteProblemText(std::string_view text) override;
  bool AdvanceCells(int count) override;
  bool FinishSheet();

 private:
  bool MoveToNextCell();

  WordAutomation& automation_;
  Clock& clock_;
};

}  // namespace kalkora
