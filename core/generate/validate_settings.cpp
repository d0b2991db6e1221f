#include "core/generate/validate_settings.hpp"

#include <cmath>

#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
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

std::optional<UserMessage> ValidateSettings(Controls& controls) {
  using namespace form;
  if (!FirstTickedKind(controls)) {
    return Refusal("没有选择要生成的加、减、乘、除、分数、连续加减法题库！", kCaptionSpaced);
  }
  const bool decimalsOn = IsTicked(controls, 单选框5);
  if (decimalsOn && controls.ReadText(编辑框3).empty()) {
    return Refusal("没有输入生成 几位小数点！", kCaptionSpaced);
  }
  const double places = ToNumber(controls.ReadText(编辑框3));
  if (places - 5 > kTolerance || std::fabs(places) <= kTolerance) {
    return Refusal("支持输入的小数点位数范围 1－－5位 之间！", kCaptionSpaced);
  }
  if (IsTicked(controls, 单选框3) && places - 3 > kTolerance) {
    return Refusal("30题的作业，小数点如果大于3位，将无法显示出来！", kCaption);
  }
  if ((IsTicked(controls, 选择框8) || IsTicked(controls, 选择框9)) && decimalsOn) {
    return Refusal("连续加减法题型不支持小数点生成！", kCaption);
  }
  if (IsTicked(controls, 选择框10) && decimalsOn) {
    return Refusal("分数题型不支持小数点生成！", kCaption);
  }
  return std::nullopt;
}

}  // namespace kalkora
