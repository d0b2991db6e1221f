#include "core/word/bounded_call.hpp"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace kalkora {
namespace {

using namespace std::chrono_literals;

// What the work's thread reports once the work has returned.
struct Afterwards {
  std::promise<std::pair<bool, bool>> reported;  // taken, result
  AfterWork Hook() {
    return [this](bool taken, bool result) { reported.set_value({taken, result}); };
  }
};

// Calls that each take less than the limit may together take longer: the limit is per call.
TEST(BoundedWork, EachCallHasTheLimitNotTheWholeWork) {
  Afterwards afterwards;
  int calls = 0;
  const auto result = RunBoundedWork(
      [&](const std::function<bool()>& nextCall) {
        for (int i = 0; i < 6; ++i) {
          if (!nextCall()) return false;
          ++calls;
          std::this_thread::sleep_for(40ms);
        }
        return true;
      },
      afterwards.Hook(), 150ms);
  EXPECT_EQ(result, std::optional<bool>(true));
  EXPECT_EQ(calls, 6);
  EXPECT_EQ(afterwards.reported.get_future().get(), std::make_pair(true, true));
}

// A call that overruns its limit gives no result at once; the work learns that the caller has
// gone at its next call, and its end is reported as not taken, so it can clean up.
TEST(BoundedWork, AnOverrunningCallFailsAtOnceAndTheWorkEndsAlone) {
  Afterwards afterwards;
  std::promise<void> officeAnswers;
  std::shared_future<void> answered = officeAnswers.get_future().share();
  auto afterHang = std::make_shared<std::promise<bool>>();
  std::future<bool> nextCallAfterHang = afterHang->get_future();
  const auto started = std::chrono::steady_clock::now();
  const auto result = RunBoundedWork(
      [answered, afterHang](const std::function<bool()>& nextCall) {
        if (!nextCall()) return false;
        answered.wait();  // an office that does not answer
        afterHang->set_value(nextCall());
        return true;
      },
      afterwards.Hook(), 100ms);
  EXPECT_EQ(result, std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
  officeAnswers.set_value();
  EXPECT_FALSE(nextCallAfterHang.get());
  EXPECT_EQ(afterwards.reported.get_future().get(), std::make_pair(false, true));
}

// The caller waits through the window's hook, step by step, until the work answers.
TEST(BoundedWork, TheCallerWaitsThroughTheHook) {
  int steps = 0;
  const OfficeWait wait = [&](const Settled& settled) {
    while (!settled(5ms)) ++steps;
  };
  const auto result = RunBoundedWork(
      [](const std::function<bool()>& nextCall) {
        std::this_thread::sleep_for(50ms);
        return nextCall() && false;
      },
      {}, 1s, wait);
  EXPECT_EQ(result, std::optional<bool>(false));
  EXPECT_GT(steps, 2);
}

}  // namespace
}  // namespace kalkora
