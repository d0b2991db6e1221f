#include <gtest/gtest.h>

#include <functional>

#include "core/base/exercise_kind.hpp"
#include "core/base/form_names.hpp"
#include "core/generate/validate_settings.hpp"
#include "fakes/memory_controls.hpp"

namespace kalkora {
namespace {

using testing::MemoryControls;

const UserMessage kNoKind{"没有选择要生成的加、减、乘、除、分数、连续加减法题库！", "提示： "};
const UserMessage kNoPlaces{"没有输入生成 几位小数点！", "提示： "};
const UserMessage kPlacesRange{"支持输入的小数点位数范围 1－－5位 之间！", "提示： "};
const UserMessage kThirtyPlaces{"30题的作业，小数点如果大于3位，将无法显示出来！", "提示："};
const UserMessage kChainDecimals{"连续加减法题型不支持小数点生成！", "提示："};
const UserMessage kFractionDecimals{"分数题型不支持小数点生成！", "提示："};

struct ValidationCase {
  const char* name;
  std::function<void(MemoryControls&)> setUp;
  std::optional<UserMessage> expected;
};

void Places(MemoryControls& c, const char* text) { c.WriteText(form::编辑框3, text); }
void DecimalsOn(MemoryControls& c) { c.Select(form::单选框5); }

const ValidationCase kCases[] = {
    {"defaults pass", [](MemoryControls&) {}, std::nullopt},
    {"no kind", [](MemoryControls& c) { c.WriteState(form::选择框1, 0); }, kNoKind},
    {"no kind reported before empty places",
     [](MemoryControls& c) {
       c.WriteState(form::选择框1, 0);
       DecimalsOn(c);
       Places(c, "");
     },
     kNoKind},
    {"decimals on, places empty",
     [](MemoryControls& c) {
       DecimalsOn(c);
       Places(c, "");
     },
     kNoPlaces},
    {"decimals off, places empty", [](MemoryControls& c) { Places(c, ""); }, kPlacesRange},
    {"places 0", [](MemoryControls& c) { Places(c, "0"); }, kPlacesRange},
    {"places 6", [](MemoryControls& c) { Places(c, "6"); }, kPlacesRange},
    {"places not a number", [](MemoryControls& c) { Places(c, "x"); }, kPlacesRange},
    {"places 7 on 30 problems",
     [](MemoryControls& c) {
       c.Select(form::单选框3);
       Places(c, "7");
     },
     kPlacesRange},
    {"places -2 pass", [](MemoryControls& c) { Places(c, "-2"); }, std::nullopt},
    {"places 2.5 with decimals on pass",
     [](MemoryControls& c) {
       DecimalsOn(c);
       Places(c, "2.5");
     },
     std::nullopt},
    {"places 5 pass on 18 problems", [](MemoryControls& c) { Places(c, "5"); }, std::nullopt},
    {"places 4 on 24 problems pass",
     [](MemoryControls& c) {
       c.Select(form::单选框2);
       Places(c, "4");
     },
     std::nullopt},
    {"places 4 on 30 problems, decimals off",
     [](MemoryControls& c) {
       c.Select(form::单选框3);
       Places(c, "4");
     },
     kThirtyPlaces},
    {"places 3 on 30 problems pass",
     [](MemoryControls& c) {
       c.Select(form::单选框3);
       Places(c, "3");
     },
     std::nullopt},
    {"chained addition with decimals",
     [](MemoryControls& c) {
       c.ChooseKind(form::选择框8);
       DecimalsOn(c);
     },
     kChainDecimals},
    {"chained addition-subtraction with decimals",
     [](MemoryControls& c) {
       c.ChooseKind(form::选择框9);
       DecimalsOn(c);
     },
     kChainDecimals},
    {"fractions with decimals",
     [](MemoryControls& c) {
       c.ChooseKind(form::选择框10);
       DecimalsOn(c);
     },
     kFractionDecimals},
    {"fractions without decimals pass", [](MemoryControls& c) { c.ChooseKind(form::选择框10); },
     std::nullopt},
};

TEST(ValidateSettings, RefusesWithTheFirstFailingCheck) {
  for (const ValidationCase& testCase : kCases) {
    MemoryControls controls;
    testCase.setUp(controls);
    EXPECT_EQ(ValidateSettings(ReadSheetSettings(controls)), testCase.expected) << testCase.name;
  }
}

}  // namespace
}  // namespace kalkora
