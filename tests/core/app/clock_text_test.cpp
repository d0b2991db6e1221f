#include <gtest/gtest.h>

#include "core/app/clock_text.hpp"
#include "fakes/fake_clock.hpp"
#include "fakes/memory_controls.hpp"

namespace kalkora {
namespace {

TEST(ClockText, TickWritesOnlyPanelZero) {
  testing::MemoryControls controls;
  testing::FakeClock clock;
  clock.now = {2013, 1, 22, 8, 27, 27};
  OnClockTick(controls, clock);
  EXPECT_EQ(controls.Panel(0), "2013年1月22日8时27分27秒");
  EXPECT_EQ(controls.Panel(1), " 不要让童年太累...");
}

}  // namespace
}  // namespace kalkora
