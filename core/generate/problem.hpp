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
  int blank = 0;                    // where the pupil writes: 0 the result, n the n-th operand

  friend bool operator==(const Problem&, const Problem&) = default;
};

// The operator as written between two operands: " + ", " - ", " × ", " ÷ " or " / ".
const char* OperatorText(Operator op);

// An operand blank: full-width parentheses around two ideographic spaces.
inline constexpr char kBlankText[] = "（　　）";

// The cell text: the operands joined by their operators, then " =" ("37.25 + 52.80 ="). With an
// operand blank, that operand is kBlankText and the result follows ("（　　） + 7 = 15").
std::string ProblemText(const Problem& problem);

}  // namespace kalkora
