#include "core/generate/kind_heading.hpp"

#include <gtest/gtest.h>

#include <string>

#include "fakes/gbk.hpp"

namespace kalkora {
namespace {

TEST(KindHeading, HasTheScoreFieldAtColumn70ExceptForChainedAdditionSubtraction) {
  for (const ExerciseKindInfo& info : kExerciseKinds) {
    const std::string heading = KindHeading(info.kind);
    const std::string gbk = testing::Utf8ToGbk(heading);
    const bool longer = info.kind == ExerciseKind::ChainAddSub;
    EXPECT_EQ(gbk.size(), longer ? 78u : 76u) << heading;
    EXPECT_EQ(gbk.find(testing::Utf8ToGbk("评分：")), longer ? 72u : 70u) << heading;
    EXPECT_TRUE(heading.starts_with("  ") && heading.ends_with("评分："));
  }
  EXPECT_EQ(KindHeading(ExerciseKind::Subtraction),
            "  减法运算题" + std::string(58, ' ') + "评分：");
}

}  // namespace
}  // namespace kalkora
