#include "core/generate/generate_problem.hpp"

#include "core/generate/chain_problems.hpp"
#include "core/generate/fraction_problem.hpp"
#include "core/generate/pair_problems.hpp"

namespace kalkora {

std::optional<Problem> GenerateProblem(GenerationContext& context, int p) {
  const std::optional<ExerciseKind> kind = context.settings.kind;
  const int sheetSize = context.settings.size;
  if (!kind) return std::nullopt;
  switch (*kind) {
    case ExerciseKind::Addition:
      return Addition(context);
    case ExerciseKind::Subtraction:
      return Subtraction(context);
    case ExerciseKind::Multiplication:
      return Multiplication(context);
    case ExerciseKind::Division:
      return Division(context);
    case ExerciseKind::AddSubMixed:
      return AddSubMixed(context, p);
    case ExerciseKind::MulDivMixed:
      return MulDivMixed(context, p);
    case ExerciseKind::FourOpMixed:
      return FourOpMixed(context, p);
    case ExerciseKind::ChainAddition:
      return ChainAdditionProblem(context, sheetSize);
    case ExerciseKind::ChainAddSub:
      return ChainAddSubProblem(context, p, sheetSize);
    case ExerciseKind::Fraction:
      return FractionProblem(context);
  }
  return std::nullopt;
}

}  // namespace kalkora
