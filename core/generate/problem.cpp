#include "core/generate/problem.hpp"

#include "core/generate/answer.hpp"

namespace kalkora {

const char* OperatorText(Operator op) {
  switch (op) {
    case Operator::Plus:
      return " + ";
    case Operator::Minus:
      return " - ";
    case Operator::Times:
      return " × ";
    case Operator::Divide:
      return " ÷ ";
    case Operator::FractionBar:
      return " / ";
  }
  return "";
}

std::string ProblemText(const Problem& problem) {
  std::string text;
  for (std::size_t i = 0; i < problem.operands.size(); ++i) {
    if (i > 0) text += OperatorText(problem.operators.at(i - 1));
    text += static_cast<int>(i) + 1 == problem.blank ? kBlankText : problem.operands[i];
  }
  if (problem.blank > 0) return text + " = " + ResultText(problem);
  return text + " =";
}

}  // namespace kalkora
