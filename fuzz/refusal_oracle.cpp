#include "refusal_oracle.hpp"

#include <cmath>

#include "number_oracle.hpp"

namespace kalkora::fuzzing {
namespace {

constexpr double kTolerance = 1e-07;

struct Check {
  const char* text;
  const char* caption;
  bool (*fails)(const FormState& form, double places);
};

// The kind the sheet is made of: the first ticked box in the fixed order, or -1 for none.
int FirstKind(const FormState& form) {
  for (int i = 0; i < 10; ++i) {
    if (form.kinds[static_cast<std::size_t>(i)]) return i;
  }
  return -1;
}

// The seven checks in the order they run. The first three captions end in a space. The kind
// checks look at the kind the sheet is made of.
constexpr Check kChecks[] = {
    {"没有选择要生成的加、减、乘、除、分数、连续加减法题库！", "提示： ",
     [](const FormState& form, double) { return form.kinds.none(); }},
    {"没有输入生成 几位小数点！", "提示： ",
     [](const FormState& form, double) { return form.decimalsOn && form.places.empty(); }},
    {"支持输入的小数点位数范围 1－－5位 之间！", "提示： ",
     [](const FormState&, double x) { return x - 5 > kTolerance || std::fabs(x) <= kTolerance; }},
    {"30题的作业，小数点如果大于3位，将无法显示出来！", "提示：",
     [](const FormState& form, double x) { return form.thirtyProblems && x - 3 > kTolerance; }},
    {"连续加减法题型不支持小数点生成！", "提示：",
     [](const FormState& form, double) { return FirstKind(form) == 7 && form.decimalsOn; }},
    {"连续加减法题型不支持小数点生成！", "提示：",
     [](const FormState& form, double) { return FirstKind(form) == 8 && form.decimalsOn; }},
    {"分数题型不支持小数点生成！", "提示：",
     [](const FormState& form, double) { return FirstKind(form) == 9 && form.decimalsOn; }},
};

}  // namespace

ExpectedRefusal RefusalFor(const FormState& form) {
  const double places = ReadNumber(form.places);
  int number = 1;
  for (const Check& check : kChecks) {
    if (check.fails(form, places)) return {number, UserMessage{check.text, check.caption}};
    ++number;
  }
  return {};
}

}  // namespace kalkora::fuzzing
