#include "core/base/exercise_kind.hpp"

#include "core/base/form_names.hpp"

namespace kalkora {

const std::array<ExerciseKindInfo, kKindCount> kExerciseKinds = {{
    {ExerciseKind::Addition, form::选择框1, "  选择加法题库", "加法运算题", 58},
    {ExerciseKind::Subtraction, form::选择框2, "  选择减法题库", "减法运算题", 58},
    {ExerciseKind::Multiplication, form::选择框3, "  选择乘法题库", "乘法运算题", 58},
    {ExerciseKind::Division, form::选择框4, "  选择除法题库", "除法运算题", 58},
    {ExerciseKind::AddSubMixed, form::选择框5, "  选择加减混合题库", "加减混合运算题", 54},
    {ExerciseKind::MulDivMixed, form::选择框6, "  选择乘除混合题库", "乘除混合运算题", 54},
    {ExerciseKind::FourOpMixed, form::选择框7, "  选择加减乘除混合题库", "加减乘除混合运算题", 50},
    {ExerciseKind::ChainAddition, form::选择框8, "  选择加法连续运算题库", "连续加法运算题", 54},
    {ExerciseKind::ChainAddSub, form::选择框9, "  选择加减法连续运算题库", "连续加减法运算题", 54},
    {ExerciseKind::Fraction, form::选择框10, "  选择分数题库", "分数运算题", 58},
}};

const ExerciseKindInfo& KindInfo(ExerciseKind kind) {
  return kExerciseKinds[static_cast<std::size_t>(kind)];
}

std::optional<ExerciseKind> FirstTickedKind(Controls& controls) {
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    if (IsTicked(controls, info.box)) return info.kind;
  }
  return std::nullopt;
}

}  // namespace kalkora
