#include "core/generate/validate_settings.hpp"

#include <cmath>

#include "core/generate/number_text.hpp"

namespace kalkora {
namespace {

constexpr double kTolerance = 1e-07;
constexpr std::string_view kCaptionSpaced = "提示： ";
constexpr std::string_view kCaption = "提示：";

UserMessage Refusal(std::string_view text, std::string_view caption) {
  return {std::string(text), std::string(caption)};
}

}  // namespace

std::optional<UserMessage> ValidateSettings(const SheetSettings& settings) {
  if (!settings.kind) {
    return Refusal("没有选择要生成的加、减、乘、除、分数、连续加减法题库！", kCaptionSpaced);
  }
  const bool decimalsOn = settings.decimals;
  if (decimalsOn && settings.places.empty()) {
    return Refusal("没有输入生成 几位小数点！", kCaptionSpaced);
  }
  const double places = ToNumber(settings.places);
  if (places - 5 > kTolerance || std::fabs(places) <= kTolerance) {
    return Refusal("支持输入的小数点位数范围 1－－5位 之间！", kCaptionSpaced);
  }
  if (settings.size == 30 && places - 3 > kTolerance) {
    return Refusal("30题的作业，小数点如果大于3位，将无法显示出来！", kCaption);
  }
  const ExerciseKind kind = *settings.kind;
  if ((kind == ExerciseKind::ChainAddition || kind == ExerciseKind::ChainAddSub) && decimalsOn) {
    return Refusal("连续加减法题型不支持小数点生成！", kCaption);
  }
  if (kind == ExerciseKind::Fraction && decimalsOn) {
    return Refusal("分数题型不支持小数点生成！", kCaption);
  }
  return std::nullopt;
}

}  // namespace kalkora
