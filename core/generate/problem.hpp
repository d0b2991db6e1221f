#pragma once

#include <string>
#include <vector>

namespace kalkora {

enum class Operator { Plus, Minus, Times, Divide, FractionBar };

// One problem as a generator draws it: its operands, each exactly as written ("37", "37.25"),
// and the operators between them. Its cell text and its answer are both worked out from this.
struct Problem {
  std::vector<std::string> operands;
  std::vector<Operator> operators;  // one fewer than the operands

  friend bool operator==(const Problem&, const Problem&) = default;
};

// The operator as written between two operands: " + ", " - ", " × ", " ÷ " or " / ".
const char* OperatorText(Operator op);

// The cell text: the operands joined by their operators, then " =" ("37.25 + 52.80 =").
std::string ProblemText(const Problem& problem);

}  // namespace kalkora
