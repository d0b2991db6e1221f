#include <gtest/gtest.h>

#include "core/base/form_names.hpp"
#include "core/generate/operand_draw.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"

namespace kalkora {
namespace {

TEST(RandomInt, EqualBoundsDoNotAdvanceTheGenerator) {
  RandomGenerator random, untouched;
  random.Seed(77);
  untouched.Seed(77);
  EXPECT_EQ(RandomInt(random, 5, 5), 5);
  EXPECT_EQ(RandomInt(random, -20, -3), 0);  // both clamp to 0
  EXPECT_EQ(random.Next(), untouched.Next());
}

TEST(RandomInt, BoundOrderDoesNotMatterAndNegativesCountAsZero) {
  RandomGenerator a, b, c;
  for (std::uint32_t seed = 0; seed < 200; ++seed) {
    a.Seed(seed);
    b.Seed(seed);
    c.Seed(seed);
    ASSERT_EQ(RandomInt(a, 1, 100), RandomInt(b, 100, 1));
    ASSERT_EQ(RandomInt(c, -20, 10), [&] {
      RandomGenerator d;
      d.Seed(seed);
      return RandomInt(d, 0, 10);
    }());
  }
}

TEST(RandomInt, NeverExceedsTheLowerBoundPlus32767) {
  RandomGenerator random;
  random.Seed(3);
  for (int i = 0; i < 20000; ++i) {
    const std::int32_t value = RandomInt(random, 0, 100000);
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 32767);
  }
  for (int i = 0; i < 2000; ++i) {
    const std::int32_t value = RandomInt(random, 2147483600, 0);
    ASSERT_LE(value, 32767) << "span capped at 2147483646 + 1, so lo + g % span";
  }
  EXPECT_LE(RandomInt(random, 2147483647, 2147483646), 2147483647);
}

struct RangeCase {
  const char* from;
  const char* to;
  int lowest;
  int highest;
};

class DrawOperandTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(DrawOperandTest, StaysWithinTheReadRange) {
  SheetSettings settings;
  settings.from = GetParam().from;
  settings.to = GetParam().to;
  ProgramState state;
  GenerationContext context{settings, state};
  int seen_low = 1 << 30, seen_high = -1;
  for (std::uint32_t seed = 0; seed < 3000; ++seed) {
    state.random.Seed(seed);
    const int value = DrawOperand(context);
    seen_low = std::min(seen_low, value);
    seen_high = std::max(seen_high, value);
  }
  EXPECT_EQ(seen_low, GetParam().lowest);
  EXPECT_EQ(seen_high, GetParam().highest);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, DrawOperandTest,
    ::testing::Values(RangeCase{"5", "5", 5, 5}, RangeCase{"100", "1", 1, 100},
                      RangeCase{"-20", "10", 0, 10}, RangeCase{"-20", "-3", 0, 0},
                      RangeCase{"2.9", "10.7", 2, 10}, RangeCase{"", "3", 0, 3},
                      RangeCase{"abc", "3", 0, 3}, RangeCase{"１", "１２", 1, 12},
                      RangeCase{"12abc", "12", 12, 12}, RangeCase{"4294967297", "2", 1, 2}));

}  // namespace
}  // namespace kalkora
