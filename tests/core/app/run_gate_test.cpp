#include "core/app/run_gate.hpp"

#include <gtest/gtest.h>

namespace kalkora {
namespace {

TEST(RunGate, RunsFollowOneAnotherAndNeverNest) {
  RunGate runs;
  EXPECT_TRUE(runs.BeginRun());
  EXPECT_FALSE(runs.BeginRun()) << "a click while a run holds the window";
  EXPECT_FALSE(runs.EndRun());
  EXPECT_TRUE(runs.BeginRun());
  EXPECT_FALSE(runs.EndRun());
}

TEST(RunGate, ACloseRequestDuringARunWaitsForItsEndAndNoRunStartsAfter) {
  RunGate runs;
  ASSERT_TRUE(runs.BeginRun());
  EXPECT_FALSE(runs.RequestClose()) << "the window stays while the run goes on";
  EXPECT_FALSE(runs.BeginRun()) << "a click queued behind the request";
  EXPECT_TRUE(runs.EndRun()) << "the run's end closes the window";
  EXPECT_TRUE(runs.RequestClose());
  EXPECT_FALSE(runs.BeginRun());
}

TEST(RunGate, WithoutARunTheWindowClosesAtOnceAndStartsNoneAfter) {
  RunGate runs;
  EXPECT_TRUE(runs.RequestClose());
  EXPECT_FALSE(runs.BeginRun());
}

}  // namespace
}  // namespace kalkora
